// RunShellFileOperation: SHFileOperationW takes lists of names, each list ended by a second zero.
#include "model/shell_file_operation.h"

#include "model/path_text.h"

namespace {

// A list of the one name, or false when it can't name exactly one file.
bool ToNameList(const wchar_t* path, wchar_t (&list)[MAX_PATH + 1])
{
    ZeroMemory(list, sizeof(list));
    if (!path || !path[0] || lstrlenW(path) >= MAX_PATH || HoldsWildcard(path))
        return false;
    lstrcpynW(list, path, MAX_PATH);
    return true;
}

}  // namespace

bool RunShellFileOperation(HWND owner, UINT operation, const wchar_t* path, const wchar_t* newPath, FILEOP_FLAGS flags)
{
    wchar_t source[MAX_PATH + 1];
    wchar_t destination[MAX_PATH + 1];
    if (!ToNameList(path, source) || (newPath && !ToNameList(newPath, destination)))
        return false;

    SHFILEOPSTRUCTW request;
    ZeroMemory(&request, sizeof(request));
    request.hwnd = owner;
    request.wFunc = operation;
    request.pFrom = source;
    request.pTo = newPath ? destination : 0;
    request.fFlags = flags;
    int result = SHFileOperationW(&request);
    return result == 0 && !request.fAnyOperationsAborted;
}
