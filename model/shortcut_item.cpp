// ShortcutItem: one .lnk file, read through the shell-link object; its name and icon index are
// asked of the shell once, when it is bound.
#include "model/shortcut_item.h"

#include <new>

#include "model/bound_folder.h"
#include "model/path_text.h"

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

// A heap copy of text (null stays null): new[], the item's to free.
char* CopyText(const char* text)
{
    if (!text)
        return 0;
    int size = lstrlenA(text) + 1;
    char* copy = new (std::nothrow) char[size];
    if (copy)
        CopyMemory(copy, text, size);
    return copy;
}

}  // namespace

ShortcutItem::ShortcutItem() : m_path(0), m_name(0), m_iconIndex(-1), m_states(0), m_target(0), m_targetRead(false), m_link(0), m_persistFile(0)
{
    void* link = 0;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, 0, CLSCTX_INPROC_SERVER, IID_IShellLinkA, &link)))
        m_link = static_cast<IShellLinkA*>(link);
}

ShortcutItem::ShortcutItem(Prototype) : m_path(0), m_name(0), m_iconIndex(-1), m_states(0), m_target(0), m_targetRead(false), m_link(0), m_persistFile(0) {}

ShortcutItem::~ShortcutItem()
{
    Reset();
    if (m_link)
        m_link->Release();
}

Cloneable* ShortcutItem::Clone() const
{
    return new (std::nothrow) ShortcutItem;
}

void ShortcutItem::Reset()
{
    if (m_persistFile)
        m_persistFile->Release();
    m_persistFile = 0;
    delete[] m_path;
    m_path = 0;
    delete[] m_name;
    m_name = 0;
    delete[] m_target;
    m_target = 0;
    m_targetRead = false;
    m_iconIndex = -1;
    m_states = 0;
}

bool ShortcutItem::Load(const char* path)
{
    Reset();
    // The file's own folder, bound for this one item.
    char folderPath[MAX_PATH];
    const char* name = path ? FindLastBackslash(path) : 0;
    if (!name || name - path >= MAX_PATH)
        return false;
    lstrcpynA(folderPath, path, static_cast<int>(name - path) + 1);
    BoundFolder folder;
    folder.Bind(folderPath);
    return Load(folder, folderPath, name + 1);
}

bool ShortcutItem::Load(const BoundFolder& folder, const char* folderPath, const char* name)
{
    Reset();
    if (!folderPath || !name || HoldsWildcard(folderPath) || HoldsWildcard(name))
        return false;
    int folderLength = lstrlenA(folderPath);
    int size = folderLength + 1 + lstrlenA(name) + 1;
    m_path = new (std::nothrow) char[size];
    if (!m_path)
        return false;
    CopyMemory(m_path, folderPath, folderLength);
    m_path[folderLength] = '\\';
    CopyMemory(m_path + folderLength + 1, name, size - folderLength - 1);

    char displayName[MAX_PATH];
    folder.Describe(name, displayName, sizeof(displayName), &m_iconIndex);
    m_name = CopyText(displayName);
    return size <= MAX_PATH && LoadLink();
}

bool ShortcutItem::LoadLink()
{
    if (!m_link)
        return false;
    void* persistFile = 0;
    if (FAILED(m_link->QueryInterface(IID_IPersistFile, &persistFile)))
        return false;
    m_persistFile = static_cast<IPersistFile*>(persistFile);
    WCHAR widePath[MAX_PATH];
    if (ToWidePath(m_path, widePath) && SUCCEEDED(m_persistFile->Load(widePath, STGM_READ))) {
        ReadTarget();
        return true;
    }
    m_persistFile->Release();
    m_persistFile = 0;
    return false;
}

void ShortcutItem::MarkUnusable(const char* shownName)
{
    Reset();
    m_name = CopyText(shownName);
}

bool ShortcutItem::GetDisplayName(char* buffer, int capacity) const
{
    ClearText(buffer, capacity);
    if (m_name && buffer && capacity > 0)
        lstrcpynA(buffer, m_name, capacity);
    return true;
}

void ShortcutItem::ReadTarget()
{
    char target[MAX_PATH];
    // Cleared first: the link may answer S_FALSE and leave the buffer untouched.
    ClearText(target, sizeof(target));
    WIN32_FIND_DATAA findData;
    HRESULT result = m_link->GetPath(target, sizeof(target), &findData, SLGP_UNCPRIORITY);
    target[sizeof(target) - 1] = '\0';
    m_target = CopyText(target);
    m_targetRead = SUCCEEDED(result) && m_target;
}

bool ShortcutItem::GetTargetPath(char* buffer, int capacity) const
{
    ClearText(buffer, capacity);
    if (!m_targetRead || !buffer || capacity <= 0)
        return false;
    lstrcpynA(buffer, m_target, capacity);
    return true;
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

bool ShortcutItem::GetArguments(char* buffer, int capacity) const
{
    ClearText(buffer, capacity);
    if (!m_persistFile || !buffer || capacity <= 0)
        return false;
    HRESULT result = m_link->GetArguments(buffer, capacity);
    buffer[capacity - 1] = '\0';
    return SUCCEEDED(result);
}
