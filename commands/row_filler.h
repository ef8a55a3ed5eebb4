// Lists and fills the rows a slice at a time, between messages: a listing shows the first rows by
// their names at once, the rest follow by name, and the shell's names, icons, targets and
// descriptions after them, so that the window answers while thousands of rows are read. The state
// column's checks, which need every target, come when the last row is filled.
#ifndef QUIVERDESK_COMMANDS_ROW_FILLER_H
#define QUIVERDESK_COMMANDS_ROW_FILLER_H

#include <windows.h>

#include "model/heap_string.h"

class HeldRows;

// After a listing has put rows on show: adds the rows of the items from unlisted on (none when
// negative), then sorts them as chosen and gives back what held holds (owned; may be null), and
// then fills what the listing did not take from the last one, the files of the user's folder and
// of the all-users one (empty: none).
void StartFilling(const HeapString& userFolder, const HeapString& commonFolder, int unlisted, HeldRows* held);
// A new listing, or the window's end, drops a fill under way.
void StopFilling();
bool IsFilling();
// How many items have no row yet.
int GetRowsToAdd();
// Fills rows until the slice's time is up; false once there is nothing left to fill.
bool FillRowsForAWhile();
// A command waits for the rows it acts on: each selected row is filled at once, ahead of the rest.
void FillSelectedRowsNow();
// And a list saved whole waits for every row.
void FillEveryRowNow();

#endif
