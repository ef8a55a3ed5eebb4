// Files handed to the shell's own file operation, with its confirmations and its undo.
#ifndef QUIVERDESK_MODEL_SHELL_FILE_OPERATION_H
#define QUIVERDESK_MODEL_SHELL_FILE_OPERATION_H

#include <windows.h>
#include <shellapi.h>

// Runs operation (FO_DELETE, FO_RENAME) on the count files at paths, in one operation, so the
// shell asks once for them all, to newPath where the operation has one. True only when the shell
// reports it done: not aborted and no error. Nothing runs when a path would not fit MAX_PATH,
// holds a wildcard (the shell would take it for every file it matches) or ends in a dot or a
// space (the shell would reach the file Win32 trims it to). aborted, where given, tells whether
// the user cancelled, as against a failure.
bool RunShellFileOperation(HWND owner, UINT operation, const wchar_t* const* paths, int count, const wchar_t* newPath,
                           FILEOP_FLAGS flags, bool* aborted = 0);
// The same for one file.
inline bool RunShellFileOperation(HWND owner, UINT operation, const wchar_t* path, const wchar_t* newPath,
                                  FILEOP_FLAGS flags)
{
    return RunShellFileOperation(owner, operation, &path, 1, newPath, flags);
}

#endif
