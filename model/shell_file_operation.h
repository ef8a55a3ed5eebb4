// One file handed to the shell's own file operation, with its confirmations and its undo.
#ifndef QUIVERDESK_MODEL_SHELL_FILE_OPERATION_H
#define QUIVERDESK_MODEL_SHELL_FILE_OPERATION_H

#include <windows.h>
#include <shellapi.h>

// Runs operation (FO_DELETE, FO_RENAME) on the one file at path, to newPath where the operation
// has one. True only when the shell reports it done: not aborted and no error. A path that would
// not fit MAX_PATH or holds a wildcard is refused: the shell would take it for every file it matches.
bool RunShellFileOperation(HWND owner, UINT operation, const wchar_t* path, const wchar_t* newPath, FILEOP_FLAGS flags);

#endif
