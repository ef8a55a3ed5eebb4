// BoundFolder: the folder's shell object and id list, and per file one parse and one file-info call.
#include "model/bound_folder.h"

#include <shellapi.h>

#include "model/path_text.h"

namespace {

bool ToWide(const char* text, WCHAR (&wide)[MAX_PATH])
{
    return text && MultiByteToWideChar(CP_ACP, 0, text, -1, wide, MAX_PATH) > 0;
}

}  // namespace

BoundFolder::BoundFolder() : m_folder(0), m_absolute(0) {}

BoundFolder::~BoundFolder()
{
    Release();
}

void BoundFolder::Release()
{
    if (m_folder)
        m_folder->Release();
    m_folder = 0;
    ILFree(m_absolute);
    m_absolute = 0;
}

bool BoundFolder::Bind(const char* path)
{
    Release();
    WCHAR wide[MAX_PATH];
    if (HoldsWildcard(path) || !ToWide(path, wide))
        return false;
    IShellFolder* desktop = 0;  // one reference, released below
    if (FAILED(SHGetDesktopFolder(&desktop)))
        return false;
    void* folder = 0;
    if (SUCCEEDED(desktop->ParseDisplayName(0, 0, wide, 0, &m_absolute, 0))
        && SUCCEEDED(desktop->BindToObject(m_absolute, 0, IID_IShellFolder, &folder)))
        m_folder = static_cast<IShellFolder*>(folder);
    desktop->Release();
    if (!m_folder)
        Release();
    return m_folder != 0;
}

bool BoundFolder::Describe(const char* name, char* displayName, int capacity, int* iconIndex) const
{
    if (displayName && capacity > 0)
        displayName[0] = '\0';
    *iconIndex = -1;
    WCHAR wide[MAX_PATH];
    LPITEMIDLIST child = 0;  // owned; freed below
    if (!m_folder || HoldsWildcard(name) || !ToWide(name, wide)
        || FAILED(m_folder->ParseDisplayName(0, 0, wide, 0, &child, 0)))
        return false;
    LPITEMIDLIST full = ILCombine(m_absolute, child);  // owned; freed below
    ILFree(child);
    if (!full)
        return false;
    SHFILEINFOA info;
    ZeroMemory(&info, sizeof(info));
    // The system list is shared by the whole process: no icon is made or copied here.
    bool known = SHGetFileInfoA(reinterpret_cast<LPCSTR>(full), 0, &info, sizeof(info),
                                SHGFI_PIDL | SHGFI_DISPLAYNAME | SHGFI_SYSICONINDEX | SHGFI_SMALLICON) != 0;
    ILFree(full);
    if (!known)
        return false;
    if (displayName && capacity > 0)
        lstrcpynA(displayName, info.szDisplayName, capacity);
    *iconIndex = info.iIcon;
    return true;
}
