// SortByColumn and KeepChosenOrder: the header's arrow is the record of the order chosen, so it
// outlives refreshes and changes of tab, and a new window starts in the folder's own order.
#include "commands/sort_rows.h"

#include "controls/view_sort.h"

void SortByColumn(int column)
{
    bool descending = false;
    int sorted = GetSortArrow(&descending);
    descending = column == sorted && !descending;
    SortShortcutView(column, descending);
    ShowSortArrow(column, descending);
}

void KeepChosenOrder()
{
    bool descending = false;
    int column = GetSortArrow(&descending);
    if (column >= 0)
        SortShortcutView(column, descending);
}
