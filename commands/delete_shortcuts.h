// Deletes the selected rows' files, to the recycle bin or for good with Shift, and their Run values,
// each saved first.
#ifndef QUIVERDESK_COMMANDS_DELETE_SHORTCUTS_H
#define QUIVERDESK_COMMANDS_DELETE_SHORTCUTS_H

#include <windows.h>

void DeleteSelectedShortcuts(HWND mainWindow);

#endif
