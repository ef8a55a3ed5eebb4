// Rebuilds the list from the folder of the selected tab.
#ifndef QUIVERDESK_COMMANDS_REFRESH_H
#define QUIVERDESK_COMMANDS_REFRESH_H

#include <windows.h>

// 1 when a folder was found and scanned, 0 when the shell named no folder.
int RefreshShortcuts(HWND mainWindow);

#endif
