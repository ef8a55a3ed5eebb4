// RefreshShortcuts: rescans the folder of the selected tab and rebuilds the list and the view.
#include "commands/refresh.h"

#include "commands/live_view.h"
#include "commands/row_filler.h"
#include "commands/command_state.h"
#include "commands/selected_rows.h"
#include "commands/sort_rows.h"
#include "commands/tab_sources.h"
#include "controls/main_tabs.h"
#include "controls/shortcut_view.h"
#include "controls/status_bar.h"
#include "model/folder_path.h"
#include "model/item_index.h"
#include "model/shortcut_list.h"
#include "model/shortcut_state.h"
#include "model/startup_switch.h"
#include "res/resource_ids.h"

namespace {

int g_commandsRunning = 0;
bool g_refreshWaiting = false;
int g_listedTab = -1;        // the tab of the rows on show
TabSources g_listedSources;  // what that tab listed
TabReading g_listedReading;  // and what the listing read beside the entries

// Makes a row of each entry, by its exact name, with the stamp of what was read and its switch:
// what the shell says of it is filled afterwards, or taken from the last listing.
class RowAdder : public SourceVisitor {
public:
    explicit RowAdder(const TabSources& tab) : m_tab(tab), m_switches(tab)
    {
        // The program's own module holds its words; regedit's name for the unnamed value.
        m_unnamed[0] = L'\0';
        LoadStringW(GetModuleHandleW(0), IDS_DEFAULT_VALUE, m_unnamed, 64);
    }

    virtual void Visit(const SourceEntry& entry)
    {
        ShortcutItem* item = g_shortcutList.Add();
        if (!item)
            return;
        if (entry.value) {
            // A value of another type than text is listed all the same, unreadable, to be deleted.
            item->SetValue(entry.source, entry.name, entry.value->command.GetBuffer(),
                           entry.value->expanded.GetBuffer());
            // An empty name would leave the row blank.
            if (!entry.name[0])
                item->SetShownName(m_unnamed);
        } else {
            const HeapString& folder = entry.source == kSourceCommonFolder ? m_tab.common : m_tab.folder;
            item->SetFile(folder.GetBuffer(), entry.name, entry.attributes);
            item->SetSource(entry.source);
        }
        item->SetStamp(entry.stamp);
        if (item->IsUsable() && m_switches.IsOff(entry))
            item->AddStates(kStateSwitchedOff);
    }

private:
    RowAdder(const RowAdder&);
    RowAdder& operator=(const RowAdder&);

    const TabSources& m_tab;
    TabSwitches m_switches;
    wchar_t m_unnamed[64];
};

// Each row unchanged since the last listing of its tab takes what was read of it there. The
// names desktop.ini gives are the shell's to read again when it changed: every row of that
// folder is read again then.
void TakeUnchangedDetails(ShortcutList& before, bool again, const TabReading& reading)
{
    if (!again)
        return;
    bool namesKept[2] = {
        SameStamp(reading.iniStamps[0], g_listedReading.iniStamps[0]),
        SameStamp(reading.iniStamps[1], g_listedReading.iniStamps[1]),
    };
    ItemIndex listed(before);
    for (int i = 0; i < g_shortcutList.GetCount(); ++i) {
        ShortcutItem* item = g_shortcutList.GetAt(i);
        if (item->IsFilled() || (!item->GetValueName() && !namesKept[item->GetSource() == kSourceCommonFolder]))
            continue;
        ShortcutItem* unchanged = listed.FindUnchanged(item->GetRef());
        if (unchanged && unchanged->IsFilled())
            item->TakeDetails(*unchanged);
    }
}

bool SameFolder(const HeapString& left, const HeapString& right)
{
    return CompareStringOrdinal(left.GetBuffer() ? left.GetBuffer() : L"", -1,
                                right.GetBuffer() ? right.GetBuffer() : L"", -1, TRUE)
           == CSTR_EQUAL;
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

bool IsListingHeld()
{
    return g_commandsRunning > 0 || GetNameEditor();
}

void ShowRowCount(HWND mainWindow)
{
    if (g_listedReading.folderRead)
        ShowOutcome(mainWindow, IDS_SHORTCUT_COUNT, GetRowCount());
}

int RefreshShortcuts(HWND mainWindow)
{
    int tab = GetSelectedTab();
    return RefreshShortcuts(mainWindow, tab, GetFolderPath(mainWindow, tab));
}

// The tab is read once, by the caller, so the rows, the path and the buttons all speak of it.
int RefreshShortcuts(HWND mainWindow, int tabIndex, const HeapString& folder)
{
    // A fill would take the rows from under the command, or the row from under the editor.
    if (IsListingHeld()) {
        g_refreshWaiting = true;
        return 0;
    }
    g_refreshWaiting = false;
    // Only the tab listed again, from the same folders, keeps what the user holds and what was
    // read; another tab starts afresh.
    TabSources tab;
    tab.startup = IsStartupTab(tabIndex);
    tab.folder = folder;
    if (tab.startup)
        tab.common = GetSourceFolder(kSourceCommonFolder);
    bool again = tabIndex == g_listedTab && SameFolder(tab.folder, g_listedSources.folder)
                 && SameFolder(tab.common, g_listedSources.common);
    HeldRows held;
    StopFilling();
    ShortcutList before;
    before.Swap(g_shortcutList);
    bool found = folder.GetLength() > 0;
    // The status bar never keeps another tab's path: with no folder it shows none.
    g_statusBar.SetText(0, found ? folder.GetBuffer() : L"");
    RowAdder adder(tab);
    TabReading reading = EnumerateTab(tab, adder);
    TakeUnchangedDetails(before, again, reading);
    before.RemoveAll();
    g_listedTab = tabIndex;
    g_listedSources = tab;
    g_listedReading = reading;
    // Filled whatever happened: rows, or none, never the last folder's.
    ShowPlaceColumn(tab.startup);
    FillShortcutView();
    KeepChosenOrder();
    if (again)
        held.Restore();
    StartFilling(tab.folder, tab.common);
    WatchListedSources(tabIndex, tab, reading);
    bool read = reading.folderRead;
    ShowOutcome(mainWindow,
                !found ? IDS_FOLDER_NOT_FOUND
                : read ? IDS_SHORTCUT_COUNT
                       : IDS_FOLDER_UNREADABLE,
                g_shortcutList.GetCount());
    // Once per fill; after that only selection changes move the buttons.
    UpdateCommandStates();
    return found ? 1 : 0;
}
