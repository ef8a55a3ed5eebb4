// The program's own folder under the user's local application data, where it keeps what the user
// may want back (saved Run values) and what it remembers between runs.
#ifndef QUIVERDESK_MODEL_OWN_FOLDER_H
#define QUIVERDESK_MODEL_OWN_FOLDER_H

#include <windows.h>

// %LOCALAPPDATA%\Quiverdesk followed by name ("\Backups"), the folder made when missing. False
// when the shell names no local application data or the path would not fit.
bool MakeOwnPath(const wchar_t* name, wchar_t (&path)[MAX_PATH]);

#endif
