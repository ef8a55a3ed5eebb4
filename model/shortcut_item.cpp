// ShortcutItem: one file; a .lnk file is read through the shell-link object. Its name and icon
// index are asked of the shell once, when it is bound.
#include "model/shortcut_item.h"

#include <initializer_list>
#include <new>

#include <shellapi.h>

#include "model/bound_folder.h"
#include "model/exact_path.h"
#include "model/heap_string.h"
#include "model/link_target.h"
#include "model/localized_names.h"
#include "model/link_name.h"
#include "model/path_text.h"
#include "model/publisher.h"
#include "model/shortcut_state.h"

namespace {

void ClearText(wchar_t* buffer, int capacity)
{
    if (buffer && capacity > 0)
        buffer[0] = L'\0';
}

// The file name as the shell shows a shortcut's: without ".lnk".
void ShownName(const wchar_t* name, wchar_t (&shown)[MAX_PATH])
{
    lstrcpynW(shown, name, MAX_PATH);
    wchar_t* period = FindLastPeriod(shown);
    if (period && period != shown && CompareStringOrdinal(period, -1, L".lnk", -1, TRUE) == CSTR_EQUAL)
        *period = L'\0';
}

}  // namespace

ShortcutItem::ShortcutItem()
    : m_path(0), m_name(0), m_iconIndex(-1), m_states(0), m_filledStates(0), m_setStates(0), m_filled(false),
      m_target(0), m_targetRead(false), m_publisher(0), m_isShortcut(false), m_source(kSourceUserFolder),
      m_valueName(0), m_command(0), m_arguments(0), m_expanded(0), m_link(0), m_persistFile(0)
{
}

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
    for (wchar_t** text :
         {&m_path, &m_name, &m_target, &m_publisher, &m_valueName, &m_command, &m_arguments, &m_expanded}) {
        delete[] * text;
        *text = 0;
    }
    m_targetRead = false;
    m_isShortcut = false;
    m_source = kSourceUserFolder;
    m_iconIndex = -1;
    m_states = 0;
    m_filledStates = 0;
    m_setStates = 0;
    m_filled = false;
    ZeroMemory(&m_stamp, sizeof(m_stamp));
}

namespace {

// Swapped, not copied: each side keeps one owner for every text and reference.
template <typename T>
void Trade(T& left, T& right)
{
    T held = left;
    left = right;
    right = held;
}

}  // namespace

void ShortcutItem::TakeDetails(ShortcutItem& old)
{
    Trade(m_name, old.m_name);
    Trade(m_iconIndex, old.m_iconIndex);
    Trade(m_target, old.m_target);
    Trade(m_targetRead, old.m_targetRead);
    Trade(m_publisher, old.m_publisher);
    Trade(m_isShortcut, old.m_isShortcut);
    Trade(m_command, old.m_command);
    Trade(m_arguments, old.m_arguments);
    Trade(m_expanded, old.m_expanded);
    Trade(m_link, old.m_link);
    Trade(m_persistFile, old.m_persistFile);
    Trade(m_filled, old.m_filled);
    Trade(m_filledStates, old.m_filledStates);
    m_states |= m_filledStates;
}

void ShortcutItem::Exchange(ShortcutItem& other)
{
    unsigned states = other.m_states;
    TakeDetails(other);
    Trade(m_path, other.m_path);
    Trade(m_setStates, other.m_setStates);
    Trade(m_source, other.m_source);
    Trade(m_valueName, other.m_valueName);
    Trade(m_stamp, other.m_stamp);
    other.m_states = m_states;
    m_states = states;
}

void ShortcutItem::Forget()
{
    Reset();
    m_filled = true;
}

unsigned ShortcutItem::GetKnownStates() const
{
    return (m_states & (kStateSwitchedOff | kStateHidden | kStateNew | kStateBack)) | m_setStates | m_filledStates;
}

void ShortcutItem::ForgetCheckedStates()
{
    m_states = GetKnownStates();
}

RowRef ShortcutItem::GetRef() const
{
    return m_valueName ? RowRef::Value(m_source, m_valueName, m_stamp) : RowRef::File(m_source, m_path, m_stamp);
}

bool ShortcutItem::Is(const RowRef& ref) const
{
    return m_valueName ? ref.SameRow(kRowValue, m_source, m_valueName) : ref.SameRow(kRowFile, m_source, m_path);
}

bool ShortcutItem::Load(const wchar_t* path)
{
    Reset();
    // The file's own folder, bound for this one item.
    wchar_t folderPath[MAX_PATH];
    const wchar_t* name = path ? FindLastBackslash(path) : 0;
    if (!name || name - path >= MAX_PATH)
        return false;
    lstrcpynW(folderPath, path, static_cast<int>(name - path) + 1);
    BoundFolder folder;
    folder.Bind(folderPath);
    RowStamp stamp;
    DWORD attributes = ReadFileStamp(path, &stamp) ? stamp.attributes : INVALID_FILE_ATTRIBUTES;
    bool loaded = Load(folder, folderPath, name + 1, attributes);
    if (attributes != INVALID_FILE_ATTRIBUTES)
        m_stamp = stamp;
    return loaded;
}

bool ShortcutItem::Load(const BoundFolder& folder, const wchar_t* folderPath, const wchar_t* name, DWORD attributes,
                        const LocalizedNames* names)
{
    return SetFile(folderPath, name, attributes) && FillFile(folder, names);
}

bool ShortcutItem::SetFile(const wchar_t* folderPath, const wchar_t* name, DWORD attributes)
{
    Reset();
    m_filled = true;
    if (!folderPath || !name)
        return false;
    int folderLength = lstrlenW(folderPath);
    int size = folderLength + 1 + lstrlenW(name) + 1;
    // Until the shell names it, the row goes by its file's name, as Explorer shows one it has
    // not read yet; a name Win32 trims keeps it for good, since the shell would describe the file
    // it is trimmed to.
    wchar_t shown[MAX_PATH];
    if (IsTrimmedByWin32(name))
        lstrcpynW(shown, name, MAX_PATH);
    else
        ShownName(name, shown);
    // The shell's file operations and its link object take no longer path: the row is shown,
    // by its name, but nothing may act on it.
    if (size > MAX_PATH) {
        MarkUnusable(shown);
        return false;
    }
    m_path = new (std::nothrow) wchar_t[size];
    if (!m_path)
        return false;
    CopyMemory(m_path, folderPath, folderLength * sizeof(wchar_t));
    m_path[folderLength] = L'\\';
    CopyMemory(m_path + folderLength + 1, name, (size - folderLength - 1) * sizeof(wchar_t));
    m_name = CopyText(shown);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        attributes = GetFileAttributesW(ExactPath(m_path).GetBuffer());
    // The menu leaves a hidden file out, whatever it is.
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_HIDDEN))
        m_states |= kStateHidden;
    const wchar_t* extension = FindLastPeriod(name);
    m_isShortcut = extension && SameName(extension, L".lnk")
                   && !(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY));
    m_filled = false;
    return true;
}

bool ShortcutItem::FillFile(const BoundFolder& folder, const LocalizedNames* names, PublisherLookups* publishers)
{
    if (m_filled || !m_path)
        return false;
    m_filled = true;
    const wchar_t* name = FindLastBackslash(m_path) + 1;
    wchar_t displayName[MAX_PATH] = L"";
    wchar_t localized[MAX_PATH];
    if (IsTrimmedByWin32(name)) {
        SHFILEINFOW info;
        ZeroMemory(&info, sizeof(info));
        if (SHGetFileInfoW(name, FILE_ATTRIBUTE_NORMAL, &info, sizeof(info),
                           SHGFI_USEFILEATTRIBUTES | SHGFI_SYSICONINDEX | SHGFI_SMALLICON))
            m_iconIndex = info.iIcon;
    } else {
        folder.Describe(name, displayName, MAX_PATH, &m_iconIndex);
        // The menu's name: desktop.ini's, or an @-reference the shell handed back unread.
        if ((names && names->Find(name, localized, MAX_PATH))
            || (displayName[0] == L'@' && ResolveIndirectName(displayName, localized, MAX_PATH)))
            lstrcpynW(displayName, localized, MAX_PATH);
        if (displayName[0])
            SetShownName(displayName);
    }
    if (!m_isShortcut || !LoadLink())
        return false;
    ReadPublisherOf(publishers);
    return true;
}

bool ShortcutItem::MakeLink()
{
    void* link = 0;
    if (!m_link && SUCCEEDED(CoCreateInstance(CLSID_ShellLink, 0, CLSCTX_INPROC_SERVER, IID_IShellLinkW, &link)))
        m_link = static_cast<IShellLinkW*>(link);
    return m_link != 0;
}

bool ShortcutItem::LoadLink()
{
    if (!MakeLink())
        return false;
    void* persistFile = 0;
    if (FAILED(m_link->QueryInterface(IID_IPersistFile, &persistFile)))
        return false;
    m_persistFile = static_cast<IPersistFile*>(persistFile);
    if (SUCCEEDED(m_persistFile->Load(m_path, STGM_READ))) {
        ReadTarget();
        return true;
    }
    m_persistFile->Release();
    m_persistFile = 0;
    return false;
}

void ShortcutItem::MarkUnusable(const wchar_t* shownName)
{
    Reset();
    m_name = CopyText(shownName);
    m_filled = true;  // nothing more can be read of it
}

bool ShortcutItem::GetDisplayName(wchar_t* buffer, int capacity) const
{
    ClearText(buffer, capacity);
    if (m_name && buffer && capacity > 0)
        lstrcpynW(buffer, m_name, capacity);
    return true;
}

void ShortcutItem::ReadTarget()
{
    wchar_t target[MAX_PATH];
    HRESULT result = ReadLinkTarget(m_link, target);
    m_target = CopyText(target);
    m_targetRead = SUCCEEDED(result) && m_target;
}

void ShortcutItem::ReadPublisherOf(PublisherLookups* publishers)
{
    m_publisher = publishers ? CopyText(publishers->Find(GetTarget())) : ReadPublisher(GetTarget());
}

bool ShortcutItem::GetTargetPath(wchar_t* buffer, int capacity) const
{
    ClearText(buffer, capacity);
    if (!m_targetRead || !buffer || capacity <= 0)
        return false;
    lstrcpynW(buffer, m_target, capacity);
    return true;
}

bool ShortcutItem::GetDescription(wchar_t* buffer, int capacity) const
{
    ClearText(buffer, capacity);
    if (m_command && buffer && capacity > 0) {
        lstrcpynW(buffer, m_command, capacity);
        return true;
    }
    if (!m_persistFile || !buffer || capacity <= 0)
        return false;
    HRESULT result = m_link->GetDescription(buffer, capacity);
    buffer[capacity - 1] = L'\0';
    return SUCCEEDED(result);
}

bool ShortcutItem::GetArguments(wchar_t* buffer, int capacity) const
{
    ClearText(buffer, capacity);
    if (m_arguments && buffer && capacity > 0) {
        lstrcpynW(buffer, m_arguments, capacity);
        return true;
    }
    if (!m_persistFile || !buffer || capacity <= 0)
        return false;
    HRESULT result = m_link->GetArguments(buffer, capacity);
    buffer[capacity - 1] = L'\0';
    return SUCCEEDED(result);
}
