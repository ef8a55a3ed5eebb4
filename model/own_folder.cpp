#include "model/own_folder.h"

#include <shlobj.h>

bool MakeOwnPath(const wchar_t* name, wchar_t (&path)[MAX_PATH])
{
    const wchar_t kOwn[] = L"\\Quiverdesk";
    if (FAILED(SHGetFolderPathW(0, CSIDL_LOCAL_APPDATA | CSIDL_FLAG_CREATE, 0, SHGFP_TYPE_CURRENT, path))
        || lstrlenW(path) + lstrlenW(kOwn) + lstrlenW(name) >= MAX_PATH)
        return false;
    lstrcpynW(path + lstrlenW(path), kOwn, ARRAYSIZE(kOwn));
    CreateDirectoryW(path, 0);
    lstrcpynW(path + lstrlenW(path), name, MAX_PATH - lstrlenW(path));
    return true;
}
