// Fills the listed rows a slice at a time, between messages: a listing shows every row by its
// name at once, and the shell's names, icons, targets and descriptions follow, so that the window
// answers while thousands of rows are read. The state column's checks, which need every target,
// come when the last row is filled.
#ifndef QUIVERDESK_COMMANDS_ROW_FILLER_H
#define QUIVERDESK_COMMANDS_ROW_FILLER_H

#include <windows.h>

#include "model/heap_string.h"

// After a listing has put its rows on show: fills what it did not take from the last one, the
// files of the user's folder and of the all-users one (empty: none) first. With nothing to fill,
// the states are checked at once.
void StartFilling(const HeapString& userFolder, const HeapString& commonFolder);
// A new listing, or the window's end, drops a fill under way.
void StopFilling();
bool IsFilling();
// Fills rows until the slice's time is up; false once there is nothing left to fill.
bool FillRowsForAWhile();
// A command waits for the rows it acts on: each selected row is filled at once, ahead of the rest.
void FillSelectedRowsNow();

#endif
