// Starts the program again with an administrator's rights, which the machine's keys and the
// all-users Startup folder need, and ends this one.
#ifndef QUIVERDESK_COMMANDS_RESTART_ELEVATED_H
#define QUIVERDESK_COMMANDS_RESTART_ELEVATED_H

#include <windows.h>

// What the new program is handed when the Startup tab was on show, to open on it again; it takes
// '-' for '/' and any case as well.
const wchar_t kStartupTabSwitch[] = L"/startup";

// Closes mainWindow only once the elevated program was started: a refused prompt keeps this one.
void RestartAsAdministrator(HWND mainWindow);

#endif
