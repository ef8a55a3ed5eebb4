// RunShellFileOperation: SHFileOperationA takes lists of names, each list ended by a second zero.
#include "model/shell_file_operation.h"

#include "model/path_text.h"

namespace {

// A list of the one name, or false when it can't name exactly one file.
bool ToNameList(const char* path, char (&list)[MAX_PATH + 1])
{
    ZeroMemory(list, sizeof(list));
    if (!path || lstrlenA(path) >= MAX_PATH || HoldsWildcard(path))
        return false;
    lstrcpynA(list, path, MAX_PATH);
    return true;
}

}  // namespace

bool RunShellFileOperation(HWND owner, UINT operation, const char* path, const char* newPath, FILEOP_FLAGS flags)
{
    char source[MAX_PATH + 1];
    char destination[MAX_PATH + 1];
    if (!ToNameList(path, source) || (newPath && !ToNameList(newPath, destination)))
        return false;

    SHFILEOPSTRUCTA request;
    ZeroMemory(&request, sizeof(request));
    request.hwnd = owner;
    request.wFunc = operation;
    request.pFrom = source;
    request.pTo = newPath ? destination : 0;
    request.fFlags = flags;
    int result = SHFileOperationA(&request);
    return result == 0 && !request.fAnyOperationsAborted;
}
