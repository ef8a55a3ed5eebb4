// ChangeWatch: folder notifications re-armed with FindNextChangeNotification, registry ones by a
// fresh RegNotifyChangeKeyValue, which the system makes for one signal only. A folder is known by
// its volume and file index, so a folder renamed away, whose notification follows it, or another
// folder made in its place, is told from the one watched. Wine signals no watch on a key that is
// deleted: the watch on its parent's subkeys does.
#include "model/change_watch.h"

#include "model/heap_string.h"

namespace {

const DWORD kFolderChanges = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME | FILE_NOTIFY_CHANGE_ATTRIBUTES
                             | FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE;
const DWORD kKeyChanges = REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET;

// Cuts path at its last backslash; false when it has none left to cut.
bool CutLastPart(wchar_t* path)
{
    wchar_t* cut = path + lstrlenW(path);
    while (cut > path && *cut != L'\\')
        --cut;
    if (cut == path)
        return false;
    // A drive's root keeps its backslash.
    if (cut[-1] == L':')
        ++cut;
    if (!*cut)
        return false;
    *cut = L'\0';
    return true;
}

// The key, or its nearest parent that exists; exact tells which. Null when not even root opens.
HKEY OpenNearest(HKEY root, const wchar_t* subKey, bool* exact)
{
    wchar_t path[MAX_PATH];
    lstrcpynW(path, subKey, MAX_PATH);
    *exact = true;
    for (;;) {
        HKEY key = 0;
        // The 64-bit view from either build, as the listing reads the machine's keys.
        if (RegOpenKeyExW(root, path, 0, KEY_NOTIFY | KEY_QUERY_VALUE | KEY_WOW64_64KEY, &key) == ERROR_SUCCESS)
            return key;
        if (!path[0])
            return 0;
        *exact = false;
        wchar_t* cut = path + lstrlenW(path);
        while (cut > path && *cut != L'\\')
            --cut;
        *cut = L'\0';
    }
}

}  // namespace

ChangeWatch::ChangeWatch() : m_count(0) {}

ChangeWatch::~ChangeWatch()
{
    Stop();
}

void ChangeWatch::Close(int index)
{
    Watch& watch = m_watches[index];
    if (watch.key)
        RegCloseKey(watch.key);
    watch.key = 0;
    // A key's watch signals an event; a folder's is a notification handle, or an event while
    // there is nothing to watch.
    HANDLE& handle = m_handles[index];
    if (handle && (watch.kind == kKey || watch.kind == kKeyParent || !watch.exact))
        CloseHandle(handle);
    else if (handle)
        FindCloseChangeNotification(handle);
    handle = 0;
}

void ChangeWatch::Stop()
{
    for (int i = 0; i < m_count; ++i) {
        Close(i);
        delete[] m_watches[i].path;
    }
    m_count = 0;
}

bool ChangeWatch::Add(Kind kind, HKEY root, const wchar_t* path)
{
    if (m_count == kMaxWatches)
        return false;
    Watch& watch = m_watches[m_count];
    ZeroMemory(&watch, sizeof(watch));
    watch.kind = kind;
    watch.root = root;
    watch.path = CopyText(path);
    if (!watch.path)
        return false;
    m_handles[m_count] = 0;
    Arm(m_count);
    ++m_count;
    return true;
}

bool ChangeWatch::WatchFolder(const wchar_t* folderPath)
{
    return Add(kFolder, 0, folderPath) && Add(kFolderParent, 0, folderPath);
}

bool ChangeWatch::WatchKey(HKEY root, const wchar_t* subKey)
{
    return Add(kKey, root, subKey) && Add(kKeyParent, root, subKey);
}

// The folder's identity, or zeros while nothing is at its path.
ChangeWatch::FolderId ChangeWatch::ReadFolderId(const wchar_t* path)
{
    ChangeWatch::FolderId id = {0, 0, 0};
    HANDLE folder = CreateFileW(path, FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, 0,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, 0);  // owned; closed below
    if (folder == INVALID_HANDLE_VALUE)
        return id;
    BY_HANDLE_FILE_INFORMATION information;
    if (GetFileInformationByHandle(folder, &information) && (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        id.volume = information.dwVolumeSerialNumber;
        id.indexHigh = information.nFileIndexHigh;
        id.indexLow = information.nFileIndexLow;
    }
    CloseHandle(folder);
    return id;
}

bool ChangeWatch::SameFolder(const FolderId& left, const FolderId& right)
{
    return left.volume == right.volume && left.indexHigh == right.indexHigh && left.indexLow == right.indexLow;
}

bool ChangeWatch::KeyMoved(const Watch& watch) const
{
    if (watch.exact && watch.key)
        return RegQueryInfoKeyW(watch.key, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0) == ERROR_KEY_DELETED;
    wchar_t path[MAX_PATH];
    lstrcpynW(path, watch.path, MAX_PATH);
    HKEY key = 0;
    if ((watch.kind == kKeyParent && !CutLastPart(path))
        || RegOpenKeyExW(watch.root, path, 0, KEY_QUERY_VALUE | KEY_WOW64_64KEY, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

void ChangeWatch::ArmFolder(int index)
{
    Watch& watch = m_watches[index];
    Close(index);
    wchar_t path[MAX_PATH];
    lstrcpynW(path, watch.path, MAX_PATH);
    HANDLE handle = INVALID_HANDLE_VALUE;
    if (watch.kind == kFolder) {
        watch.id = ReadFolderId(path);
        if (watch.id.volume || watch.id.indexHigh || watch.id.indexLow)
            handle = FindFirstChangeNotificationW(path, FALSE, kFolderChanges);
    } else {
        // The nearest parent that exists: a folder made or renamed into the path shows there.
        while (handle == INVALID_HANDLE_VALUE && CutLastPart(path))
            handle = FindFirstChangeNotificationW(path, FALSE, FILE_NOTIFY_CHANGE_DIR_NAME);
    }
    watch.exact = handle != INVALID_HANDLE_VALUE;
    // Nothing to watch yet: an event that never signals holds the place, so the handles stay in
    // step with the watches.
    m_handles[index] = watch.exact ? handle : CreateEventW(0, FALSE, FALSE, 0);
}

// A key that exists is watched again as it is: closing a watched key may signal its event, and
// a loop of such signals would wake the program for nothing. A key deleted under its watch, or
// one that did not exist, is looked for again.
bool ChangeWatch::ArmKey(int index)
{
    Watch& watch = m_watches[index];
    if (!m_handles[index])
        m_handles[index] = CreateEventW(0, FALSE, FALSE, 0);
    if (!m_handles[index])
        return false;
    if (watch.key && watch.exact
        && RegNotifyChangeKeyValue(watch.key, FALSE, watch.kind == kKey ? kKeyChanges : REG_NOTIFY_CHANGE_NAME,
                                   m_handles[index], TRUE)
               == ERROR_SUCCESS)
        return true;
    wchar_t path[MAX_PATH];
    lstrcpynW(path, watch.path, MAX_PATH);
    // The parent's watch is on its subkeys alone, and only where the parent exists.
    bool exact = true;
    HKEY key = watch.kind == kKeyParent && !CutLastPart(path) ? 0 : OpenNearest(watch.root, path, &exact);
    if (watch.key)
        RegCloseKey(watch.key);
    watch.key = key;
    watch.exact = exact;
    DWORD changes = watch.kind == kKey && exact ? kKeyChanges : REG_NOTIFY_CHANGE_NAME;
    return key && RegNotifyChangeKeyValue(key, !exact, changes, m_handles[index], TRUE) == ERROR_SUCCESS;
}

void ChangeWatch::Arm(int index)
{
    if (m_watches[index].kind == kKey || m_watches[index].kind == kKeyParent)
        ArmKey(index);
    else
        ArmFolder(index);
}

void ChangeWatch::Rearm(int index)
{
    if (index < 0 || index >= m_count)
        return;
    Watch& watch = m_watches[index];
    if (watch.kind == kKey || watch.kind == kKeyParent) {
        ArmKey(index);
        return;
    }
    // A folder that went or was replaced leaves its handle signalled for good, or watching the
    // folder that moved away.
    bool same = watch.kind != kFolder || SameFolder(ReadFolderId(watch.path), watch.id);
    if (!watch.exact || !same || !FindNextChangeNotification(m_handles[index]))
        ArmFolder(index);
}

void ChangeWatch::Revive()
{
    for (int i = 0; i < m_count; ++i) {
        Watch& watch = m_watches[i];
        if (watch.kind == kFolder) {
            if (!SameFolder(ReadFolderId(watch.path), watch.id))
                ArmFolder(i);
        } else if (watch.kind == kFolderParent) {
            // The nearest existing parent may be nearer now, or gone.
            ArmFolder(i);
        } else if (KeyMoved(watch)) {
            ArmKey(i);
        }
    }
}
