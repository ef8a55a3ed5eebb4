// RefreshShortcuts: rescans the folder of the selected tab and rebuilds the list and the view.
#include "commands/refresh.h"

#include <new>

#include "commands/command_state.h"
#include "commands/entry_marks.h"
#include "commands/held_rows.h"
#include "commands/live_view.h"
#include "commands/row_filler.h"
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
unsigned g_listingCount = 0;

// A listing puts this many rows on show at once, by name, and the rest in slices: each costs the
// view some twenty microseconds under Wine. A screenful of the tallest screens at 96 DPI is fewer.
const int kRowsAtOnce = 128;

// More rows changed than this, and the view is filled afresh: each row changed in place costs a
// search of the view for it.
const int kMostRowsChanged = 64;

// Each new item unchanged since the last listing of its tab takes what was read of it there.
void TakeUnchangedDetails(ShortcutList& fresh, const ShortcutList& before)
{
    ItemIndex listed(before);
    for (int i = 0; i < fresh.GetCount(); ++i) {
        ShortcutItem* item = fresh.GetAt(i);
        ShortcutItem* unchanged = item->IsFilled() ? 0 : listed.FindUnchanged(item->GetRef());
        if (unchanged && unchanged->IsFilled())
            item->TakeDetails(*unchanged);
    }
}

// How a listing of the tab on show differs from its rows: what each new item is to the row of
// the same file or value, by the item's place in g_shortcutList.
class RowChanges {
public:
    RowChanges(const ShortcutList& fresh, const ItemIndex& rows)
        : m_places(new (std::nothrow) int[fresh.GetCount() > 0 ? fresh.GetCount() : 1]),
          m_seen(new (std::nothrow) bool[g_shortcutList.GetCount() > 0 ? g_shortcutList.GetCount() : 1]()), m_count(0)
    {
        if (!m_places || !m_seen)
            return;
        for (int i = 0; i < fresh.GetCount(); ++i) {
            const ShortcutItem* item = fresh.GetAt(i);
            bool unchanged = false;
            int place = item->IsUsable() ? rows.Find(item->GetRef(), &unchanged) : -1;
            if (place >= 0 && !m_seen[place])
                m_seen[place] = true;
            else
                place = -1;
            // A row to add, or one whose file changed: each costs a search of the view.
            if (place < 0 || !unchanged || !g_shortcutList.GetAt(place)->IsFilled())
                ++m_count;
            m_places[i] = place >= 0 && unchanged && g_shortcutList.GetAt(place)->IsFilled() ? place : -2 - place;
        }
        for (int place = 0; place < g_shortcutList.GetCount(); ++place)
            m_count += g_shortcutList.GetAt(place)->IsUsable() && !m_seen[place];
    }
    ~RowChanges()
    {
        delete[] m_places;
        delete[] m_seen;
    }
    // False when memory ran out, or so many rows changed that the view is better filled afresh.
    bool AreFew() const { return m_places && m_seen && m_count <= kMostRowsChanged; }
    // The place of the row unchanged for the new item i; -1 for a new row; or -2 - place for a
    // row whose file or value changed.
    int GetPlace(int i) const { return m_places[i]; }
    bool WasSeen(int place) const { return m_seen[place]; }

private:
    RowChanges(const RowChanges&);
    RowChanges& operator=(const RowChanges&);
    int* m_places;  // owned, new[]; one for each new item
    bool* m_seen;   // owned, new[]; one for each item of g_shortcutList: its row has a new item
    int m_count;
};

// A listing of the tab on show applied to its rows in place, when few changed: an unchanged row
// keeps its item and is not touched (its switch aside), a changed row takes the new entry to be
// filled again, a row whose file or value went goes, and a new one is added at the end. The
// selection, the focus and the scroll stay as they are. False, changing nothing, when the view
// is better filled afresh: many rows changed, an unusable row, names desktop.ini gives changed.
bool ChangeRowsInPlace(ShortcutList& fresh, const TabReading& reading)
{
    if (!SameStamp(reading.iniStamps[0], g_listedReading.iniStamps[0])
        || !SameStamp(reading.iniStamps[1], g_listedReading.iniStamps[1]))
        return false;
    ItemIndex rows(g_shortcutList.GetCount());
    for (int place = 0; place < g_shortcutList.GetCount(); ++place)
        rows.Add(g_shortcutList.GetAt(place), place);
    rows.Sort();
    // A row no command may act on stands for no entry to compare.
    if (rows.GetCount() != GetRowCount())
        return false;
    RowChanges changes(fresh, rows);
    if (!changes.AreFew())
        return false;
    for (int i = 0; i < fresh.GetCount(); ++i) {
        ShortcutItem* item = fresh.GetAt(i);
        if (!item->IsUsable())
            return false;
    }
    for (int place = 0; place < g_shortcutList.GetCount(); ++place) {
        ShortcutItem* item = g_shortcutList.GetAt(place);
        if (item->IsUsable() && !changes.WasSeen(place)) {
            DeleteRow(FindRowOfIndex(place));
            item->Forget();
        }
    }
    for (int i = 0; i < fresh.GetCount(); ++i) {
        ShortcutItem* item = fresh.GetAt(i);
        int place = changes.GetPlace(i);
        if (place >= 0) {
            // The switch, and the marks that follow from it and from what the user removed.
            ShortcutItem* kept = g_shortcutList.GetAt(place);
            const unsigned kEntryStates = kStateSwitchedOff | kStateNew | kStateBack;
            if ((item->GetStates() ^ kept->GetStates()) & kEntryStates) {
                kept->RemoveStates(kEntryStates);
                kept->AddStates(item->GetStates() & kEntryStates);
                UpdateRowStates(FindRowOfIndex(place));
            }
        } else if (place == -1) {
            ShortcutItem* added = g_shortcutList.Add();
            if (added) {
                added->Exchange(*item);
                AddRowFor(g_shortcutList.GetCount() - 1);
            }
        } else {
            g_shortcutList.GetAt(-2 - place)->Exchange(*item);
            UpdateRow(FindRowOfIndex(-2 - place));
        }
    }
    // New and changed rows go where the chosen order puts them.
    KeepChosenOrder();
    return true;
}

// The status bar's second part: how many shortcuts, or what went wrong, in the program's words.
void ShowOutcome(UINT wordsId, int count)
{
    HINSTANCE instance = GetModuleHandleW(0);
    char words[128] = "";
    char text[160] = "";
    LoadStringA(instance, wordsId, words, sizeof(words));
    int length = wsprintfA(text, words, count);
    int fresh = 0;
    int back = 0;
    CountMarks(&fresh, &back);
    if (wordsId == IDS_SHORTCUT_COUNT && (fresh || back)) {
        LoadStringA(instance, IDS_MARK_COUNT, words, sizeof(words));
        wsprintfA(text + length, words, fresh, back);
    }
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

unsigned GetListingCount()
{
    return g_listingCount;
}

bool IsListingHeld()
{
    return g_commandsRunning > 0 || GetNameEditor();
}

void SaveListedMemory()
{
    if (g_listedTab >= 0)
        RememberRows(g_listedSources, g_listedReading.folderRead);
    SaveEntryMemory();
}

void ShowRowCount()
{
    if (g_listedReading.folderRead)
        ShowOutcome(IDS_SHORTCUT_COUNT, GetRowCount() + GetRowsToAdd());
}

int RefreshShortcuts(HWND mainWindow)
{
    int tab = GetSelectedTab();
    return RefreshShortcuts(tab, GetFolderPath(mainWindow, tab));
}

// The tab is read once, by the caller, so the rows, the path and the buttons all speak of it.
int RefreshShortcuts(int tabIndex, const HeapString& folder)
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
    bool again = tabIndex == g_listedTab && SameSources(tab, g_listedSources);
    StopFilling();
    ++g_listingCount;
    bool found = folder.GetLength() > 0;
    // The status bar never keeps another tab's path: with no folder it shows none.
    g_statusBar.SetText(0, found ? folder.GetBuffer() : L"");
    ShortcutList fresh;
    ItemAdder adder(tab, fresh);
    TabReading reading = EnumerateTab(tab, adder);
    int unlisted = -1;
    HeldRows* held = 0;  // owned until the fill takes it
    if (!again || !ChangeRowsInPlace(fresh, reading)) {
        held = again ? new (std::nothrow) HeldRows : 0;
        // The names desktop.ini gives are the shell's to read again when it changed.
        if (again && SameStamp(reading.iniStamps[0], g_listedReading.iniStamps[0])
            && SameStamp(reading.iniStamps[1], g_listedReading.iniStamps[1]))
            TakeUnchangedDetails(fresh, g_shortcutList);
        // The rows of another tab are remembered as they stood before they go.
        if (!again && g_listedTab >= 0)
            RememberRows(g_listedSources, g_listedReading.folderRead);
        g_shortcutList.Swap(fresh);
        // Filled whatever happened: rows, or none, never the last folder's.
        ShowPlaceColumn(tab.startup);
        FillShortcutView(kRowsAtOnce);
        unlisted = GetRowCount();
    }
    g_listedTab = tabIndex;
    g_listedSources = tab;
    g_listedReading = reading;
    StartFilling(tab.folder, tab.common, unlisted, held);
    WatchListedSources(tabIndex, tab, reading);
    bool read = reading.folderRead;
    ShowOutcome(!found ? IDS_FOLDER_NOT_FOUND
                : read ? IDS_SHORTCUT_COUNT
                       : IDS_FOLDER_UNREADABLE,
                GetRowCount() + GetRowsToAdd());
    // Once per fill; after that only selection changes move the buttons.
    UpdateCommandStates();
    return found ? 1 : 0;
}
