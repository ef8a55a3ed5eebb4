// Sorting the shortcut view's rows by the text of one column, and the header's arrow for it.
#ifndef QUIVERDESK_CONTROLS_VIEW_SORT_H
#define QUIVERDESK_CONTROLS_VIEW_SORT_H

// Sorts by what the column shows, as Explorer orders names: case ignored, numbers by value.
// Rows keep their items; equal texts keep the folder's order, and descending is its exact reverse.
void SortShortcutView(int column, bool descending);
// The arrow on the sorted column's header; every other header loses its arrow. -1: none.
void ShowSortArrow(int column, bool descending);
// The column whose header shows an arrow, or -1; the arrow is the one record of the order chosen.
int GetSortArrow(bool* descending);

#endif
