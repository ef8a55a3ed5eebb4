// Switches the selected Startup shortcuts on or off, the way Task Manager and Settings do.
#ifndef QUIVERDESK_COMMANDS_SWITCH_STARTUP_H
#define QUIVERDESK_COMMANDS_SWITCH_STARTUP_H

#include <windows.h>

// A switch the registry refuses is named in a message, and its row stays as it is.
void SwitchSelectedShortcuts(HWND mainWindow, bool on);

#endif
