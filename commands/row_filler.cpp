// The fill runs from the message loop whenever no message waits, each slice short enough that a
// message sent meanwhile is answered within a tenth of a second. One thread: the rows, the items
// and the shell's objects are the window's alone, and nothing is locked.
#include "commands/row_filler.h"

#include <new>

#include "commands/command_state.h"
#include "commands/sort_rows.h"
#include "controls/row_icons.h"
#include "controls/shortcut_view.h"
#include "model/bound_folder.h"
#include "model/command_lookups.h"
#include "model/localized_names.h"
#include "model/shortcut_list.h"
#include "model/shortcut_state.h"

namespace {

// A shortcut costs a few milliseconds under Wine, a network target's missing icon no more: a
// slice of this length ends well within the tenth of a second a message may wait.
const DWORD kSliceMilliseconds = 40;

struct Fill {
    bool running;
    bool changed;             // a row was filled or its states changed: it may sort elsewhere
    bool checked;             // the states were checked after the last row was filled
    int next;                 // the first item not looked at yet
    HeapString folders[2];    // the user's and the all-users folder, by source
    int boundSource;          // whose folder bound holds; -1 for none
    BoundFolder* bound;       // owned; released before COM ends, with the fill
    LocalizedNames* names;    // owned; the bound folder's
    CommandLookups* lookups;  // owned; one table for the fill
};
Fill g_fill;

void FillItem(ShortcutItem* item)
{
    if (!item || item->IsFilled())
        return;
    if (item->GetValueName()) {
        if (!g_fill.lookups)
            g_fill.lookups = new (std::nothrow) CommandLookups;
        item->FillValue(g_fill.lookups);
        return;
    }
    int source = item->GetSource() == kSourceCommonFolder ? 1 : 0;
    if (!g_fill.bound)
        g_fill.bound = new (std::nothrow) BoundFolder;
    if (!g_fill.names)
        g_fill.names = new (std::nothrow) LocalizedNames;
    if (!g_fill.bound || !g_fill.names)
        return;
    if (g_fill.boundSource != source) {
        g_fill.bound->Bind(g_fill.folders[source].GetBuffer());
        g_fill.names->Read(g_fill.folders[source].GetBuffer());
        g_fill.boundSource = source;
    }
    item->FillFile(*g_fill.bound, g_fill.names);
}

void FillAndShow(int index)
{
    ShortcutItem* item = g_shortcutList.GetAt(index);
    if (!item || item->IsFilled())
        return;
    FillItem(item);
    g_fill.changed = true;
    int row = FindRowOfIndex(index);
    if (row >= 0)
        UpdateRow(row);
}

// The states need every target: the duplicates are found across all rows. Only the rows whose
// states changed are shown again, so a listing that changed nothing touches no row.
void CheckStates()
{
    g_fill.checked = true;
    int count = g_shortcutList.GetCount();
    unsigned* shown = new (std::nothrow) unsigned[count > 0 ? count : 1];  // owned; freed below
    for (int i = 0; i < count; ++i) {
        ShortcutItem* item = g_shortcutList.GetAt(i);
        if (shown)
            shown[i] = item->GetStates();
        item->ForgetCheckedStates();
    }
    CheckShortcutStates(g_shortcutList);
    for (int i = 0; i < count; ++i) {
        if (shown && shown[i] == g_shortcutList.GetAt(i)->GetStates())
            continue;
        UpdateRowStates(FindRowOfIndex(i));
        g_fill.changed = true;
    }
    g_fill.changed = g_fill.changed || !shown;
    delete[] shown;
}

// Rows whose texts or states changed may sort elsewhere.
void FinishFilling()
{
    bool changed = g_fill.changed;
    StopFilling();
    UpdateRowIcons();
    if (changed)
        KeepChosenOrder();
    UpdateCommandStates();
}

}  // namespace

void StartFilling(const HeapString& userFolder, const HeapString& commonFolder)
{
    StopFilling();
    g_fill.folders[0] = userFolder;
    g_fill.folders[1] = commonFolder;
    g_fill.running = true;
}

void StopFilling()
{
    g_fill.running = false;
    g_fill.changed = false;
    g_fill.checked = false;
    g_fill.next = 0;
    g_fill.boundSource = -1;
    delete g_fill.bound;
    delete g_fill.names;
    delete g_fill.lookups;
    g_fill.bound = 0;
    g_fill.names = 0;
    g_fill.lookups = 0;
}

bool IsFilling()
{
    return g_fill.running;
}

bool FillRowsForAWhile()
{
    if (!g_fill.running)
        return false;
    // The checks and the sort each take a slice of their own.
    int count = g_shortcutList.GetCount();
    if (g_fill.next >= count && !g_fill.checked) {
        CheckStates();
        return true;
    }
    if (g_fill.next >= count) {
        FinishFilling();
        return false;
    }
    DWORD start = GetTickCount();
    for (; g_fill.next < count && GetTickCount() - start < kSliceMilliseconds; ++g_fill.next)
        FillAndShow(g_fill.next);
    // Rows already filled cost nothing: the rest of the list is passed over within the slice.
    while (g_fill.next < count && g_shortcutList.GetAt(g_fill.next)->IsFilled())
        ++g_fill.next;
    UpdateRowIcons();
    return true;
}

void FillSelectedRowsNow()
{
    if (!g_fill.running)
        return;
    for (int row = NextSelectedRow(-1); row != -1; row = NextSelectedRow(row))
        FillAndShow(GetRowIndex(row));
}
