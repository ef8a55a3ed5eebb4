// Deletes a Run value the user chose, once it is saved where regedit can merge it back.
#ifndef QUIVERDESK_COMMANDS_DELETE_VALUE_H
#define QUIVERDESK_COMMANDS_DELETE_VALUE_H

#include <windows.h>

#include "model/startup_sources.h"

// Asks first, naming the value and its place; saves the value and its switch to a .reg file,
// then deletes both and says in the status bar where the file is. True when the value is gone.
bool DeleteRunValue(HWND mainWindow, StartupSource source, const wchar_t* name);

#endif
