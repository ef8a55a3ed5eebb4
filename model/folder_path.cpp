// GetFolderPath: asks the shell where the user's Send To or Startup folder is.
#include "model/folder_path.h"

#include <shlobj.h>

#include "model/path_text.h"

namespace {

// A folder whose long path the code page can't hold is still reached through its short (8.3)
// form. Only here does the program read a wide path, and it hands on only 8-bit text that names
// the same folder exactly; false when no such text exists.
bool ShortFormOf(LPCITEMIDLIST idList, char* path)
{
    WCHAR longPath[MAX_PATH];
    WCHAR shortPath[MAX_PATH];
    if (!SHGetPathFromIDListW(idList, longPath))
        return false;
    DWORD length = GetShortPathNameW(longPath, shortPath, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return false;
    BOOL lossy = FALSE;
    return WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, shortPath, -1, path, MAX_PATH, 0, &lossy) > 0
        && !lossy && !HoldsWildcard(path);
}

}  // namespace

int FolderForTab(int tabIndex)
{
    return tabIndex == 1 ? CSIDL_STARTUP : CSIDL_SENDTO;
}

HeapString GetFolderPath(HWND owner, int tabIndex)
{
    HeapString result;
    IMalloc* allocator = 0;  // one reference, released below
    if (FAILED(SHGetMalloc(&allocator)))
        return result;
    char* path = static_cast<char*>(allocator->Alloc(MAX_PATH));
    if (path) {
        LPITEMIDLIST idList = 0;
        if (SUCCEEDED(SHGetSpecialFolderLocation(owner, FolderForTab(tabIndex), &idList))) {
            if (SHGetPathFromIDListA(idList, path) && (!HoldsWildcard(path) || ShortFormOf(idList, path)))
                result.Assign(path);
            allocator->Free(idList);
        }
        allocator->Free(path);
    }
    allocator->Release();
    return result;
}
