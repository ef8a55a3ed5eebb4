// The list's context menu: the program's own commands for the selected rows, each with its key.
#ifndef QUIVERDESK_COMMANDS_CONTEXT_MENU_H
#define QUIVERDESK_COMMANDS_CONTEXT_MENU_H

#include <windows.h>

// Opens the menu at screen point, or, for the keyboard (x and y -1), under the focused row. The
// chosen command reaches mainWindow as WM_COMMAND, like the toolbar's and the keys'.
void ShowContextMenu(HWND mainWindow, int x, int y);

#endif
