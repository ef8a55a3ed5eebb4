// BoundFolder: the folder's shell object and id list, and per file one parse and one file-info call.
#include "model/bound_folder.h"

#include <shellapi.h>

BoundFolder::BoundFolder() : m_folder(0), m_absolute(0), m_iconsWanted(true) {}

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

bool BoundFolder::Bind(const wchar_t* path)
{
    Release();
    if (!path || !path[0])
        return false;
    IShellFolder* desktop = 0;  // one reference, released below
    if (FAILED(SHGetDesktopFolder(&desktop)))
        return false;
    void* folder = 0;
    if (SUCCEEDED(desktop->ParseDisplayName(0, 0, const_cast<wchar_t*>(path), 0, &m_absolute, 0))
        && SUCCEEDED(desktop->BindToObject(m_absolute, 0, IID_IShellFolder, &folder)))
        m_folder = static_cast<IShellFolder*>(folder);
    desktop->Release();
    if (!m_folder)
        Release();
    return m_folder != 0;
}

bool BoundFolder::Describe(const wchar_t* name, wchar_t* displayName, int capacity, int* iconIndex) const
{
    if (displayName && capacity > 0)
        displayName[0] = L'\0';
    *iconIndex = -1;
    LPITEMIDLIST child = 0;  // owned; freed below
    if (!m_folder || !name || FAILED(m_folder->ParseDisplayName(0, 0, const_cast<wchar_t*>(name), 0, &child, 0)))
        return false;
    LPITEMIDLIST full = ILCombine(m_absolute, child);  // owned; freed below
    ILFree(child);
    if (!full)
        return false;
    SHFILEINFOW info;
    ZeroMemory(&info, sizeof(info));
    // The system list is shared by the whole process: no icon is made or copied here.
    UINT icons = m_iconsWanted ? SHGFI_SYSICONINDEX | SHGFI_SMALLICON : 0;
    bool known =
        SHGetFileInfoW(reinterpret_cast<LPCWSTR>(full), 0, &info, sizeof(info), SHGFI_PIDL | SHGFI_DISPLAYNAME | icons)
        != 0;
    ILFree(full);
    if (!known)
        return false;
    if (displayName && capacity > 0)
        lstrcpynW(displayName, info.szDisplayName, capacity);
    *iconIndex = m_iconsWanted ? info.iIcon : -1;
    return true;
}
