#include "model/own_folder.h"

#include <shlobj.h>

bool MakeOwnPath(const wchar_t* name, wchar_t (&path)[MAX_PATH])
{
    const wchar_t kOwn[] = L"\\Quiverdesk";
    if (FAILED(SHGetFolderPathW(0, CSIDL_LOCAL_APPDATA | CSIDL_FLAG_CREATE, 0, SHGFP_TYPE_CURRENT, path))
        || lstrlenW(path) + lstrlenW(kOwn) + lstrlenW(name) >= MAX_PATH)
        return false;
    lstrcatW(path, kOwn);
    CreateDirectoryW(path, 0);
    lstrcatW(path, name);
    return true;
}
