// The list leaves the window: the selected rows copied as text, every row saved as CSV, and the
// same rows of both tabs for the command line. Each cell reads as the list shows it.
#ifndef QUIVERDESK_COMMANDS_EXPORT_ROWS_H
#define QUIVERDESK_COMMANDS_EXPORT_ROWS_H

#include <windows.h>

#include "model/list_text.h"

// The selected rows, tab-separated under a line of the column titles, to the clipboard as
// CF_UNICODETEXT; false when the clipboard would not take them.
bool CopySelectedRows(HWND mainWindow);
// Asks where, then writes every row of the tab on show as CSV; says so when the file could not be
// written, which leaves no file behind.
void SaveRows(HWND mainWindow);
// Every row of both tabs, read as the window would read them, with the tab's caption before each:
// the window is not needed, and nothing is changed.
void ListEveryTab(ListText& text);

#endif
