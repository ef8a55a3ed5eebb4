// EnumerateTab and RowsStillHold: the rows on show are indexed by what they stand for, and each
// entry read is looked up there, so a tab of thousands costs n log n comparisons.
#include "commands/tab_sources.h"

#include <new>

#include "commands/entry_marks.h"
#include "controls/shortcut_view.h"
#include "model/item_index.h"
#include "model/shortcut_item.h"
#include "model/shortcut_list.h"
#include "model/shortcut_state.h"
#include "model/startup_switch.h"
#include "res/resource_ids.h"

namespace {

// Compares each entry with the rows it finds in index: the same stamp, and the same switch.
class RowMatcher : public SourceVisitor {
public:
    RowMatcher(const TabSources& tab, const ItemIndex& rows)
        : m_tab(tab), m_rows(rows), m_switches(tab), m_matched(0), m_unaddressable(0), m_differs(false)
    {
    }

    virtual void Visit(const SourceEntry& entry)
    {
        if (m_differs)
            return;
        HeapString path;
        RowRef ref;
        if (entry.value) {
            ref = RowRef::Value(entry.source, entry.name, entry.stamp);
        } else {
            path.Assign(entry.source == kSourceCommonFolder ? m_tab.common : m_tab.folder);
            path.Append(L"\\");
            path.Append(entry.name);
            // A file no command may act on is listed all the same, and stays as it was.
            if (path.GetLength() >= MAX_PATH) {
                ++m_unaddressable;
                return;
            }
            ref = RowRef::File(entry.source, path.GetBuffer(), entry.stamp);
        }
        const ShortcutItem* item = m_rows.FindUnchanged(ref);
        m_differs = !item || m_switches.IsOff(entry) != ((item->GetStates() & kStateSwitchedOff) != 0);
        ++m_matched;
    }
    bool Holds(int usableRows, int unusableRows) const
    {
        return !m_differs && m_matched == usableRows && m_unaddressable == unusableRows;
    }

private:
    RowMatcher(const RowMatcher&);
    RowMatcher& operator=(const RowMatcher&);

    const TabSources& m_tab;
    const ItemIndex& m_rows;
    TabSwitches m_switches;
    int m_matched;
    int m_unaddressable;
    bool m_differs;
};

}  // namespace

ItemAdder::ItemAdder(const TabSources& tab, ShortcutList& list) : m_tab(tab), m_list(list), m_switches(tab)
{
    // The program's own module holds its words; regedit's name for the unnamed value.
    m_unnamed[0] = L'\0';
    LoadStringW(GetModuleHandleW(0), IDS_DEFAULT_VALUE, m_unnamed, 64);
}

void ItemAdder::Visit(const SourceEntry& entry)
{
    ShortcutItem* item = m_list.Add();
    if (!item)
        return;
    if (entry.value) {
        // A value of another type than text is listed all the same, unreadable, to be deleted.
        item->SetValue(entry.source, entry.name, entry.value->command.GetBuffer(), entry.value->expanded.GetBuffer());
        if (!entry.value->nameWhole) {
            // Every call that takes a name would take the part before the null, another value's
            // name: the row is shown by that part, but nothing may act on it.
            item->MarkUnusable(entry.name);
            item->SetSource(entry.source);
        } else if (!entry.name[0]) {
            // An empty name would leave the row blank.
            item->SetShownName(m_unnamed);
        }
    } else {
        const HeapString& folder = entry.source == kSourceCommonFolder ? m_tab.common : m_tab.folder;
        item->SetFile(folder.GetBuffer(), entry.name, entry.attributes);
        item->SetSource(entry.source);
    }
    item->SetStamp(entry.stamp);
    if (!item->IsUsable())
        return;
    bool off = m_switches.IsOff(entry);
    item->AddStates((off ? kStateSwitchedOff : 0) | GetEntryMarks(m_tab.startup, entry.source, entry.name, off));
}

bool SamePath(const HeapString& left, const HeapString& right)
{
    return CompareStringOrdinal(left.GetBuffer() ? left.GetBuffer() : L"", -1,
                                right.GetBuffer() ? right.GetBuffer() : L"", -1, TRUE)
           == CSTR_EQUAL;
}

bool SameSources(const TabSources& left, const TabSources& right)
{
    return left.startup == right.startup && SamePath(left.folder, right.folder) && SamePath(left.common, right.common);
}

TabSwitches::TabSwitches(const TabSources& tab) : m_startup(tab.startup), m_switches(0), m_source(-1) {}

TabSwitches::~TabSwitches()
{
    delete m_switches;
}

bool TabSwitches::IsOff(const SourceEntry& entry)
{
    const RegistryPlace* place = m_startup ? GetStartupSource(entry.source).switches : 0;
    if (!place)
        return false;
    if (m_source != entry.source) {
        delete m_switches;
        m_switches = new (std::nothrow) StartupSwitches(place);
        m_source = entry.source;
    }
    return m_switches && m_switches->IsOff(entry.name);
}

TabReading EnumerateTab(const TabSources& tab, SourceVisitor& visitor)
{
    TabReading reading;
    ZeroMemory(&reading, sizeof(reading));
    if (tab.folder.GetLength())
        reading.folderRead = EnumerateFolder(kSourceUserFolder, tab.folder.GetBuffer(), visitor, &reading.iniStamps[0]);
    if (!tab.startup)
        return reading;
    // Windows starts the machine's folder and the Run keys as well: the tab lists what it starts.
    if (tab.common.GetLength())
        EnumerateFolder(kSourceCommonFolder, tab.common.GetBuffer(), visitor, &reading.iniStamps[1]);
    for (int source = kSourceUserRun; source < kStartupSourceCount; ++source)
        EnumerateValues(static_cast<StartupSource>(source), visitor);
    return reading;
}

bool RowsStillHold(const TabSources& tab, const TabReading& listed)
{
    int rows = GetRowCount();
    ItemIndex index(rows);
    int unusable = 0;
    for (int row = 0; row < rows; ++row) {
        ShortcutItem* item = GetListedItem(row);
        if (item && item->IsUsable())
            index.Add(item, row);
        else
            ++unusable;
    }
    index.Sort();
    RowMatcher matcher(tab, index);
    TabReading now = EnumerateTab(tab, matcher);
    return now.folderRead == listed.folderRead && SameStamp(now.iniStamps[0], listed.iniStamps[0])
           && SameStamp(now.iniStamps[1], listed.iniStamps[1]) && matcher.Holds(index.GetCount(), unusable);
}
