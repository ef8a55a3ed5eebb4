// The fill runs from the message loop whenever no message waits, each slice short enough that a
// message sent meanwhile is answered within a tenth of a second. One thread: the rows, the items
// and the shell's objects are the window's alone, and nothing is locked.
#include "commands/row_filler.h"

#include <new>

#include "commands/command_state.h"
#include "commands/held_rows.h"
#include "commands/sort_rows.h"
#include "controls/row_icons.h"
#include "controls/shortcut_view.h"
#include "model/item_filler.h"
#include "model/shortcut_list.h"
#include "model/shortcut_state.h"

namespace {

// A shortcut costs a few milliseconds under Wine, a network target's missing icon no more: a
// slice of this length ends well within the tenth of a second a message may wait.
const DWORD kSliceMilliseconds = 40;

struct Fill {
    bool running;
    bool changed;        // a row was filled or its states changed: it may sort elsewhere
    bool filledInPass;   // a row was filled since the pass over the rows began
    bool iconsAttached;  // the shell's icon list is the view's
    bool checked;        // the states were checked after the last row was filled
    int unlisted;        // the first item with no row yet; negative once every item has one
    int next;            // the first row not looked at yet
    HeldRows* held;      // owned; given back once every item has its row
    StateCheck* check;   // owned; under way once every row is filled
    ItemFiller filler;   // released before COM ends, with the fill
};
Fill g_fill;

bool IsSliceOver(DWORD start)
{
    return GetTickCount() - start >= kSliceMilliseconds;
}

// By row: the view finds an item's row only by searching every row, and thousands of searches
// would cost more than the fill.
void FillRow(int row)
{
    ShortcutItem* item = GetListedItem(row);
    if (!item || item->IsFilled())
        return;
    g_fill.filler.Fill(item);
    g_fill.changed = g_fill.filledInPass = true;
    UpdateRow(row);
}

// The rest of the names, then the order and the selection the user had.
void AddRows(DWORD start)
{
    int count = g_shortcutList.GetCount();
    HoldRowsBack();
    while (g_fill.unlisted < count && !IsSliceOver(start))
        AddRowFor(g_fill.unlisted++);
    if (g_fill.unlisted < count)
        return;
    g_fill.unlisted = -1;
    KeepChosenOrder();
    if (g_fill.held)
        g_fill.held->Restore();
    delete g_fill.held;
    g_fill.held = 0;
}

// The rows are filled in their order on show, which a sort may change while they fill: the pass
// starts again while it fills any, and an item that has no row is filled here.
bool IsEveryItemFilled()
{
    bool again = g_fill.filledInPass;
    g_fill.filledInPass = false;
    for (int i = 0; i < g_shortcutList.GetCount(); ++i) {
        ShortcutItem* item = g_shortcutList.GetAt(i);
        if (item->IsFilled())
            continue;
        if (again) {
            g_fill.next = 0;
            return false;
        }
        g_fill.filler.Fill(item);
        g_fill.changed = true;
    }
    return true;
}

// The states need every target: the duplicates are found across all rows. Until the last target
// is looked at, every row shows what it showed.
void CheckStates(DWORD start)
{
    if (!g_fill.check)
        g_fill.check = new (std::nothrow) StateCheck(g_shortcutList);
    if (!g_fill.check) {
        CheckShortcutStates(g_shortcutList);
        g_fill.changed = g_fill.checked = true;
        return;
    }
    while (g_fill.check->CheckNext()) {
        if (IsSliceOver(start))
            return;
    }
    if (g_fill.check->Apply()) {
        g_fill.changed = true;
        RedrawShownRows();
    }
    delete g_fill.check;
    g_fill.check = 0;
    g_fill.checked = true;
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

void StartFilling(const HeapString& userFolder, const HeapString& commonFolder, int unlisted, HeldRows* held)
{
    StopFilling();
    g_fill.filler.Start(userFolder, commonFolder);
    g_fill.unlisted = unlisted;
    g_fill.held = held;
    g_fill.running = true;
}

void StopFilling()
{
    g_fill.running = false;
    g_fill.changed = false;
    g_fill.filledInPass = false;
    g_fill.iconsAttached = false;
    g_fill.checked = false;
    g_fill.unlisted = -1;
    g_fill.next = 0;
    delete g_fill.held;
    delete g_fill.check;
    g_fill.filler.Release();
    g_fill.held = 0;
    g_fill.check = 0;
}

bool IsFilling()
{
    return g_fill.running;
}

int GetRowsToAdd()
{
    return g_fill.unlisted >= 0 ? g_shortcutList.GetCount() - g_fill.unlisted : 0;
}

// Each step takes a slice of its own: the rest of the names; the shell's building its icon list
// on first use, while the view draws nothing, which would draw every row again for it; drawing the
// rows again; the rows, a slice at a time; the checks; the sort.
bool FillRowsForAWhile()
{
    if (!g_fill.running)
        return false;
    DWORD start = GetTickCount();
    if (g_fill.unlisted >= 0) {
        AddRows(start);
        return true;
    }
    if (!g_fill.iconsAttached) {
        g_fill.iconsAttached = true;
        AttachSystemImageList();
        UpdateRowIcons();
        return true;
    }
    if (ShowFilledRows())
        return true;
    int rows = GetRowCount();
    if (g_fill.next < rows) {
        for (; g_fill.next < rows && !IsSliceOver(start); ++g_fill.next)
            FillRow(g_fill.next);
        // Rows already filled cost nothing: the rest of the list is passed over within the slice.
        for (const ShortcutItem* item; g_fill.next < rows; ++g_fill.next) {
            item = GetListedItem(g_fill.next);
            if (item && !item->IsFilled())
                break;
        }
        UpdateRowIcons();
        return true;
    }
    if (!g_fill.checked) {
        if (g_fill.check || IsEveryItemFilled())
            CheckStates(start);
        return true;
    }
    FinishFilling();
    return false;
}

void FillSelectedRowsNow()
{
    if (!g_fill.running)
        return;
    for (int row = NextSelectedRow(-1); row != -1; row = NextSelectedRow(row))
        FillRow(row);
}

void FillEveryRowNow()
{
    if (!g_fill.running)
        return;
    while (g_fill.unlisted >= 0)
        AddRows(GetTickCount());
    for (int row = 0; row < GetRowCount(); ++row)
        FillRow(row);
}
