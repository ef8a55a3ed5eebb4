// ChangeWatch: folder notifications re-armed with FindNextChangeNotification, registry ones by a
// fresh RegNotifyChangeKeyValue, which the system makes for one signal only.
#include "model/change_watch.h"

#include "model/heap_string.h"

namespace {

const DWORD kFolderChanges = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME | FILE_NOTIFY_CHANGE_ATTRIBUTES
                             | FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE;
const DWORD kKeyChanges = REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET;

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

void ChangeWatch::Stop()
{
    for (int i = 0; i < m_count; ++i) {
        if (m_keys[i].subKey) {
            if (m_keys[i].key)
                RegCloseKey(m_keys[i].key);
            delete[] m_keys[i].subKey;
            CloseHandle(m_handles[i]);
        } else {
            FindCloseChangeNotification(m_handles[i]);
        }
    }
    m_count = 0;
}

bool ChangeWatch::WatchFolder(const wchar_t* folderPath)
{
    if (m_count == kMaxWatches)
        return false;
    HANDLE handle = FindFirstChangeNotificationW(folderPath, FALSE, kFolderChanges);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    m_handles[m_count] = handle;
    m_keys[m_count].root = 0;
    m_keys[m_count].subKey = 0;
    m_keys[m_count].key = 0;
    m_keys[m_count].exact = false;
    ++m_count;
    return true;
}

bool ChangeWatch::WatchKey(HKEY root, const wchar_t* subKey)
{
    if (m_count == kMaxWatches)
        return false;
    HANDLE event = CreateEventW(0, FALSE, FALSE, 0);
    wchar_t* copy = CopyText(subKey);
    if (!event || !copy) {
        if (event)
            CloseHandle(event);
        delete[] copy;
        return false;
    }
    m_handles[m_count] = event;
    m_keys[m_count].root = root;
    m_keys[m_count].subKey = copy;
    m_keys[m_count].key = 0;
    m_keys[m_count].exact = false;
    ++m_count;
    return ArmKey(m_count - 1);
}

// A key that exists is watched again as it is: closing a watched key may signal its event, and
// a loop of such signals would wake the program for nothing. A key deleted under its watch, or
// one that did not exist, is looked for again.
bool ChangeWatch::ArmKey(int index)
{
    KeyWatch& watch = m_keys[index];
    if (watch.key && watch.exact
        && RegNotifyChangeKeyValue(watch.key, FALSE, kKeyChanges, m_handles[index], TRUE) == ERROR_SUCCESS)
        return true;
    bool exact = true;
    HKEY key = OpenNearest(watch.root, watch.subKey, &exact);
    if (watch.key)
        RegCloseKey(watch.key);
    watch.key = key;
    watch.exact = exact;
    return key && RegNotifyChangeKeyValue(key, !exact, kKeyChanges, m_handles[index], TRUE) == ERROR_SUCCESS;
}

bool ChangeWatch::Rearm(int index)
{
    if (index < 0 || index >= m_count)
        return false;
    // A key that cannot be watched again leaves its event unsignalled; a folder's handle stays
    // signalled.
    if (m_keys[index].subKey) {
        ArmKey(index);
        return true;
    }
    return FindNextChangeNotification(m_handles[index]) != FALSE;
}
