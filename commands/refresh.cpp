// RefreshShortcuts: rescans the folder of the selected tab and rebuilds the list and the view.
#include "commands/refresh.h"

#include "commands/live_view.h"
#include "commands/row_filler.h"
#include "commands/command_state.h"
#include "commands/selected_rows.h"
#include "commands/sort_rows.h"
#include "commands/startup_rows.h"
#include "controls/main_tabs.h"
#include "controls/shortcut_view.h"
#include "controls/status_bar.h"
#include "model/bound_folder.h"
#include "model/folder_path.h"
#include "model/item_index.h"
#include "model/link_name.h"
#include "model/localized_names.h"
#include "model/shortcut_list.h"
#include "model/shortcut_state.h"
#include "model/startup_switch.h"
#include "res/resource_ids.h"

namespace {

const wchar_t kPattern[] = L"\\*";

int g_commandsRunning = 0;
bool g_refreshWaiting = false;
int g_listedTab = -1;   // the tab of the rows on show
RowRef g_iniStamps[2];  // each folder's desktop.ini as last listed, the user's and the all-users'

// What the menus show of a folder: every entry but the two dot entries and the folder's own
// desktop.ini, which Windows hides from the menus and runs nothing from.
bool IsListed(const wchar_t* name)
{
    return lstrcmpW(name, L".") != 0 && lstrcmpW(name, L"..") != 0 && !SameName(name, L"desktop.ini");
}

// Adds every file and subfolder of folder, in file-system order, by its exact UTF-16 name: the
// rows' names are on show at once, and each file unchanged since the last listing keeps what was
// read of it there; the rest is filled afterwards. With switches (a Startup folder), each item also
// shows whether Windows has switched it off. False when the folder could not be read; an empty
// folder is read.
bool AddShortcutsOf(const HeapString& folder, const StartupSwitches* switches, StartupSource source,
                    const ItemIndex& listed, FolderDigest& digest)
{
    HeapString pattern(folder);
    pattern.Append(kPattern);
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW(pattern.GetBuffer(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_FILE_NOT_FOUND;
    // desktop.ini names the other files: when it changed, every name is read again.
    HeapString ini(folder);
    ini.Append(L"\\desktop.ini");
    RowStamp iniStamp;
    bool iniRead = ReadFileStamp(ini.GetBuffer(), &iniStamp);
    RowRef& last = g_iniStamps[source == kSourceCommonFolder];
    RowRef now = RowRef::File(source, ini.GetBuffer(), iniRead ? iniStamp : RowStamp());
    bool namesKept = last.SameRow(kRowFile, source, ini.GetBuffer()) && SameStamp(last.GetStamp(), now.GetStamp());
    last = now;
    do {
        digest.Add(entry);
        if (!IsListed(entry.cFileName))
            continue;
        ShortcutItem* item = g_shortcutList.Add();
        if (!item)
            continue;
        item->SetFile(folder.GetBuffer(), entry.cFileName, entry.dwFileAttributes);
        item->SetSource(source);
        item->SetStamp(FileStamp(entry));
        ShortcutItem* before = namesKept && !item->IsFilled() ? listed.FindUnchanged(item->GetRef()) : 0;
        if (before)
            item->TakeDetails(*before);
        if (switches && item->IsUsable() && switches->IsOff(entry.cFileName))
            item->AddStates(kStateSwitchedOff);
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    return true;
}

// What the user holds in the rows of a tab listed again: the selection, by row identity, the focus and
// the scroll position. The sort is the view's own and stays anyway.
class HeldRows {
public:
    HeldRows() : m_top(GetTopRow())
    {
        const ShortcutItem* focused = GetRowItem(GetFocusedRow());
        if (focused)
            m_focused = focused->GetRef();
    }
    void Restore() const
    {
        for (int i = 0; i < m_selected.GetCount(); ++i) {
            int row = FindRow(m_selected.Get(i));
            if (row >= 0)
                SelectRow(row, false);
        }
        int focused = FindRow(m_focused);
        if (focused >= 0)
            SelectRow(focused, IsRowSelected(focused));
        ScrollRowToTop(m_top);
    }

private:
    SelectedRows m_selected;
    RowRef m_focused;
    int m_top;
};

// The status bar's second part: how many shortcuts, or what went wrong, in the program's words.
void ShowOutcome(HWND mainWindow, UINT wordsId, int count)
{
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(mainWindow, GWLP_HINSTANCE));
    char words[128] = "";
    char text[160] = "";
    LoadStringA(instance, wordsId, words, sizeof(words));
    wsprintfA(text, words, count);
    g_statusBar.SetWords(1, text);
}

}  // namespace

CommandScope::CommandScope(HWND mainWindow) : m_mainWindow(mainWindow)
{
    ++g_commandsRunning;
}

CommandScope::~CommandScope()
{
    if (--g_commandsRunning == 0 && g_refreshWaiting)
        RefreshShortcuts(m_mainWindow);
}

bool IsRefreshWaiting()
{
    return g_refreshWaiting;
}

int RefreshShortcuts(HWND mainWindow)
{
    int tab = GetSelectedTab();
    return RefreshShortcuts(mainWindow, tab, GetFolderPath(mainWindow, tab));
}

// The tab is read once, by the caller, so the rows, the path and the buttons all speak of it.
int RefreshShortcuts(HWND mainWindow, int tab, const HeapString& folder)
{
    // A fill would take the rows from under the command, or the row from under the editor.
    if (g_commandsRunning > 0 || GetNameEditor()) {
        g_refreshWaiting = true;
        return 0;
    }
    g_refreshWaiting = false;
    // Only the tab listed again keeps what the user holds; another tab starts afresh.
    bool again = tab == g_listedTab;
    HeldRows held;
    g_listedTab = tab;
    // The last listing's items give their details to the rows unchanged since, on this tab only.
    StopFilling();
    ShortcutList before;
    before.Swap(g_shortcutList);
    if (!again)
        before.RemoveAll();
    ItemIndex listed(before);
    bool found = folder.GetLength() > 0;
    bool startup = IsStartupTab(tab);
    bool read = false;
    // The status bar never keeps another tab's path: with no folder it shows none.
    g_statusBar.SetText(0, found ? folder.GetBuffer() : L"");
    FolderDigest digest;
    if (found && startup) {
        StartupSwitches switches;
        read = AddShortcutsOf(folder, &switches, kSourceUserFolder, listed, digest);
    } else if (found) {
        read = AddShortcutsOf(folder, 0, kSourceUserFolder, listed, digest);
    }
    // Windows starts the machine's folder and the Run keys as well: the tab lists what it starts.
    HeapString common;
    if (startup) {
        common = GetSourceFolder(kSourceCommonFolder);
        StartupSwitches switches(GetStartupSource(kSourceCommonFolder).switches);
        if (common.GetLength())
            AddShortcutsOf(common, &switches, kSourceCommonFolder, listed, digest);
        AddRegistryRows(listed);
    }
    before.RemoveAll();
    // Filled whatever happened: rows, or none, never the last folder's.
    ShowPlaceColumn(startup);
    FillShortcutView();
    KeepChosenOrder();
    if (again)
        held.Restore();
    StartFilling(found ? folder : HeapString(L""), common);
    WatchListedSources(found ? folder.GetBuffer() : L"", startup, digest.Get());
    ShowOutcome(mainWindow,
                !found ? IDS_FOLDER_NOT_FOUND
                : read ? IDS_SHORTCUT_COUNT
                       : IDS_FOLDER_UNREADABLE,
                g_shortcutList.GetCount());
    // Once per fill; after that only selection changes move the buttons.
    UpdateCommandStates();
    return found ? 1 : 0;
}
