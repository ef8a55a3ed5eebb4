// A shell link's target path, exactly as the file system names it.
#ifndef QUIVERDESK_MODEL_LINK_TARGET_H
#define QUIVERDESK_MODEL_LINK_TARGET_H

#include <windows.h>
#include <shlobj.h>

// The link's GetPath answer, cleared first (S_FALSE may leave the buffer untouched). Some shell
// link objects (Wine's) answer with the 8-bit form of a path the code page can't hold, so Café
// reads as Cafe: where the link's id list names a path of the same 8-bit form, that exact path
// is the answer instead.
HRESULT ReadLinkTarget(IShellLinkW* link, wchar_t (&target)[MAX_PATH]);

#endif
