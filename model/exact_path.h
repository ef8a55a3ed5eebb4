// Paths as the file system holds them. Win32 trims trailing dots and spaces from a path's last
// part, so "Twin.lnk." names "Twin.lnk": only a "\\?\" path, which Win32 passes on untouched,
// reaches such a file, and the shell takes no such path.
#ifndef QUIVERDESK_MODEL_EXACT_PATH_H
#define QUIVERDESK_MODEL_EXACT_PATH_H

#include "model/heap_string.h"

// True when Win32 would read name as another one: it ends with a dot or a space. The shell's
// calls, which take no "\\?\" path, must not be handed it.
bool IsTrimmedByWin32(const wchar_t* name);
// The same for the last part of path.
bool PathIsTrimmedByWin32(const wchar_t* path);

// path, absolute, as a "\\?\" path that names exactly it ("\\?\UNC\" for a share).
HeapString ExactPath(const wchar_t* path);

#endif
