// The Send To menu's own settings: which files it shows, by their Hidden attribute, and whether
// it lists the removable drives.
#ifndef QUIVERDESK_COMMANDS_MENU_VISIBILITY_H
#define QUIVERDESK_COMMANDS_MENU_VISIBILITY_H

#include <windows.h>

// Clears (shown) or sets the Hidden attribute of every selected file of the Send To tab; the rows
// show their new state at once. Windows runs hidden Startup files all the same, so the Startup tab
// has no such command.
void ShowSelectedOnMenu(HWND mainWindow, bool shown);
// Turns the removable drives on the menu off when they are shown, and on again when they are not;
// a policy the registry refuses is named in a message owned by mainWindow.
void ToggleRemovableDrives(HWND mainWindow);

#endif
