// RunShellFileOperation: SHFileOperationW takes lists of names, each list ended by a second zero.
#include "model/shell_file_operation.h"

#include <new>

#include "model/exact_path.h"
#include "model/path_text.h"

namespace {

// True when the shell would take path for exactly the file it names.
bool NamesOneFile(const wchar_t* path)
{
    return path && path[0] && lstrlenW(path) < MAX_PATH && !HoldsWildcard(path) && !PathIsTrimmedByWin32(path);
}

// The names one after another, each ended by its zero, the list by a second; null when one of
// them can't name exactly one file. new[]; the caller's to delete[].
wchar_t* ToNameList(const wchar_t* const* paths, int count)
{
    int units = 1;
    for (int i = 0; i < count; ++i) {
        if (!NamesOneFile(paths[i]))
            return 0;
        units += lstrlenW(paths[i]) + 1;
    }
    wchar_t* list = new (std::nothrow) wchar_t[units];
    if (!list)
        return 0;
    wchar_t* at = list;
    for (int i = 0; i < count; ++i) {
        int length = lstrlenW(paths[i]) + 1;
        CopyMemory(at, paths[i], length * sizeof(wchar_t));
        at += length;
    }
    *at = L'\0';
    return list;
}

}  // namespace

bool RunShellFileOperation(HWND owner, UINT operation, const wchar_t* const* paths, int count, const wchar_t* newPath,
                           FILEOP_FLAGS flags, bool* aborted)
{
    if (aborted)
        *aborted = false;
    if (count <= 0)
        return false;
    wchar_t* source = ToNameList(paths, count);                    // owned; freed below
    wchar_t* destination = newPath ? ToNameList(&newPath, 1) : 0;  // owned; freed below
    bool done = false;
    if (source && (destination || !newPath)) {
        SHFILEOPSTRUCTW request;
        ZeroMemory(&request, sizeof(request));
        request.hwnd = owner;
        request.wFunc = operation;
        request.pFrom = source;
        request.pTo = destination;
        request.fFlags = flags;
        int result = SHFileOperationW(&request);
        done = result == 0 && !request.fAnyOperationsAborted;
        if (aborted)
            *aborted = request.fAnyOperationsAborted != FALSE;
    }
    delete[] source;
    delete[] destination;
    return done;
}
