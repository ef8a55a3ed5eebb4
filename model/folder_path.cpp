// GetFolderPath: asks the shell where the user's Send To or Startup folder is, in UTF-16, so a
// profile such as C:\Users\José is named as it is.
#include "model/folder_path.h"

#include <shlobj.h>

int FolderForTab(int tabIndex)
{
    return IsStartupTab(tabIndex) ? CSIDL_STARTUP : CSIDL_SENDTO;
}

HeapString GetFolderPath(HWND owner, int tabIndex)
{
    HeapString result;
    IMalloc* allocator = 0;  // one reference, released below
    if (FAILED(SHGetMalloc(&allocator)))
        return result;
    wchar_t* path = static_cast<wchar_t*>(allocator->Alloc(MAX_PATH * sizeof(wchar_t)));
    if (path) {
        LPITEMIDLIST idList = 0;
        if (SUCCEEDED(SHGetSpecialFolderLocation(owner, FolderForTab(tabIndex), &idList))) {
            if (SHGetPathFromIDListW(idList, path))
                result.Assign(path);
            allocator->Free(idList);
        }
        allocator->Free(path);
    }
    allocator->Release();
    return result;
}
