// The "\\?\" form of a path, and which names need it.
#include "model/exact_path.h"

#include <windows.h>

#include "model/path_text.h"

bool IsTrimmedByWin32(const wchar_t* name)
{
    int length = name ? lstrlenW(name) : 0;
    return length > 0 && (name[length - 1] == L'.' || name[length - 1] == L' ');
}

bool PathIsTrimmedByWin32(const wchar_t* path)
{
    const wchar_t* backslash = FindLastBackslash(path);
    return IsTrimmedByWin32(backslash ? backslash + 1 : path);
}

HeapString ExactPath(const wchar_t* path)
{
    if (!path)
        return HeapString();
    // Already exact, or a device path, which the prefix would break.
    if (path[0] == L'\\' && path[1] == L'\\' && (path[2] == L'?' || path[2] == L'.'))
        return HeapString(path);
    if (path[0] == L'\\' && path[1] == L'\\') {
        HeapString exact(L"\\\\?\\UNC\\");
        return exact.Append(path + 2);
    }
    HeapString exact(L"\\\\?\\");
    return exact.Append(path);
}
