// The order the user chose by clicking a column header.
#ifndef QUIVERDESK_COMMANDS_SORT_ROWS_H
#define QUIVERDESK_COMMANDS_SORT_ROWS_H

// Sorts by column; a second click on the same column reverses the order.
void SortByColumn(int column);
// Sorts the rows again in the chosen order, if any, after a refresh or a change of their texts.
void KeepChosenOrder();

#endif
