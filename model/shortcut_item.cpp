// ShortcutItem: one .lnk file, read through the shell-link object; name and icon come from the shell.
#include "model/shortcut_item.h"

#include <new>
#include <shellapi.h>

namespace {

// Wide form of an ANSI path for the persistence interface; false when it would not fit.
bool ToWidePath(const char* path, WCHAR (&wide)[MAX_PATH])
{
    return path && MultiByteToWideChar(CP_ACP, 0, path, -1, wide, MAX_PATH) > 0;
}

void ClearText(char* buffer, int capacity)
{
    if (buffer && capacity > 0)
        buffer[0] = '\0';
}

}  // namespace

ShortcutItem::ShortcutItem() : m_path(0), m_link(0), m_persistFile(0)
{
    void* link = 0;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, 0, CLSCTX_INPROC_SERVER, IID_IShellLinkA, &link)))
        m_link = static_cast<IShellLinkA*>(link);
}

ShortcutItem::~ShortcutItem()
{
    if (m_link)
        m_link->Release();
    if (m_persistFile)
        m_persistFile->Release();
    delete[] m_path;
}

Cloneable* ShortcutItem::Clone() const
{
    return new (std::nothrow) ShortcutItem;
}

bool ShortcutItem::Load(const char* path)
{
    delete[] m_path;
    m_path = 0;
    if (!path)
        return false;
    int size = lstrlenA(path) + 1;
    m_path = new (std::nothrow) char[size];
    if (!m_path)
        return false;
    CopyMemory(m_path, path, size);

    if (m_persistFile) {
        m_persistFile->Release();
        m_persistFile = 0;
    }
    if (!m_link)
        return false;
    void* persistFile = 0;
    if (FAILED(m_link->QueryInterface(IID_IPersistFile, &persistFile)))
        return false;
    m_persistFile = static_cast<IPersistFile*>(persistFile);

    WCHAR widePath[MAX_PATH];
    if (size <= MAX_PATH && ToWidePath(m_path, widePath) && SUCCEEDED(m_persistFile->Load(widePath, STGM_READ)))
        return true;
    m_persistFile->Release();
    m_persistFile = 0;
    return false;
}

bool ShortcutItem::GetDisplayName(char* buffer, int capacity) const
{
    SHFILEINFOA info;
    ZeroMemory(&info, sizeof(info));
    if (m_path)
        SHGetFileInfoA(m_path, 0, &info, sizeof(info), SHGFI_DISPLAYNAME);
    if (buffer && capacity > 0)
        lstrcpynA(buffer, info.szDisplayName, capacity);
    return true;
}

HICON ShortcutItem::GetSmallIcon() const
{
    SHFILEINFOA info;
    ZeroMemory(&info, sizeof(info));
    if (!m_path || !SHGetFileInfoA(m_path, 0, &info, sizeof(info), SHGFI_ICON | SHGFI_SMALLICON))
        return 0;
    return info.hIcon;
}

bool ShortcutItem::GetTargetPath(char* buffer, int capacity) const
{
    // Cleared first: the link may answer S_FALSE and leave the buffer untouched.
    ClearText(buffer, capacity);
    if (!m_persistFile || !buffer || capacity <= 0)
        return false;
    WIN32_FIND_DATAA findData;
    HRESULT result = m_link->GetPath(buffer, capacity, &findData, SLGP_UNCPRIORITY);
    buffer[capacity - 1] = '\0';
    return SUCCEEDED(result);
}

bool ShortcutItem::GetDescription(char* buffer, int capacity) const
{
    ClearText(buffer, capacity);
    if (!m_persistFile || !buffer || capacity <= 0)
        return false;
    HRESULT result = m_link->GetDescription(buffer, capacity);
    buffer[capacity - 1] = '\0';
    return SUCCEEDED(result);
}
