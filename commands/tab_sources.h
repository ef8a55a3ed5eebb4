// The sources a tab lists, in its order: the folder on show and, on the Startup tab, the all-users
// Startup folder and every Run and RunOnce key. The listing makes the rows from their entries; the
// live view asks whether the rows on show still are what they hold.
#ifndef QUIVERDESK_COMMANDS_TAB_SOURCES_H
#define QUIVERDESK_COMMANDS_TAB_SOURCES_H

#include "model/heap_string.h"
#include "model/list_source.h"

class ShortcutList;
class StartupSwitches;

struct TabSources {
    bool startup;
    HeapString folder;  // the folder on show; empty when the shell named none
    HeapString common;  // on the Startup tab, the all-users folder; empty elsewhere or when none
};

// One folder path, as the file system compares them (case aside); an empty one for none.
bool SamePath(const HeapString& left, const HeapString& right);
// The same tab and folders: a listing of them is a listing again of what is on show.
bool SameSources(const TabSources& left, const TabSources& right);

// What an enumeration of a tab found beside its entries.
struct TabReading {
    bool folderRead;        // the folder on show could be read (an empty one is read)
    RowStamp iniStamps[2];  // desktop.ini of the folder on show and of the all-users one
};

// Whether Windows has switched an entry off, as the tab shows it: only the Startup tab's entries
// have switches, and RunOnce's none; each source's key is opened once.
class TabSwitches {
public:
    explicit TabSwitches(const TabSources& tab);
    ~TabSwitches();
    bool IsOff(const SourceEntry& entry);

private:
    TabSwitches(const TabSwitches&);
    TabSwitches& operator=(const TabSwitches&);
    bool m_startup;
    StartupSwitches* m_switches;  // owned; the key of m_source's switches
    int m_source;                 // -1 before the first
};

// Makes an item of each entry, by its exact name, with the stamp of what was read and its switch:
// what the shell says of it is filled afterwards.
class ItemAdder : public SourceVisitor {
public:
    ItemAdder(const TabSources& tab, ShortcutList& list);
    virtual void Visit(const SourceEntry& entry);

private:
    ItemAdder(const ItemAdder&);
    ItemAdder& operator=(const ItemAdder&);

    const TabSources& m_tab;
    ShortcutList& m_list;
    TabSwitches m_switches;
    wchar_t m_unnamed[64];
};

// Every entry of every source of the tab, in the listing's order.
TabReading EnumerateTab(const TabSources& tab, SourceVisitor& visitor);
// True when the rows on show are what the tab's sources hold, as read by listing: every entry a
// row with the same stamp and switch, no row more, and the names desktop.ini gives unchanged.
// The program's own changes keep the rows so, its rows being the record of what it did; a
// change by anyone else shows here as a difference.
bool RowsStillHold(const TabSources& tab, const TabReading& listed);

#endif
