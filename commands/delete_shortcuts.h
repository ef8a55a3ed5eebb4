// Deletes the selected shortcuts through the shell: to the recycle bin, or for good with Shift.
#ifndef QUIVERDESK_COMMANDS_DELETE_SHORTCUTS_H
#define QUIVERDESK_COMMANDS_DELETE_SHORTCUTS_H

#include <windows.h>

void DeleteSelectedShortcuts(HWND mainWindow);

#endif
