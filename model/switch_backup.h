// A Startup switch value saved where regedit can merge it back, before the program removes it:
// a .reg file of the one value, put in the recycle bin beside the shortcut it belonged to.
#ifndef QUIVERDESK_MODEL_SWITCH_BACKUP_H
#define QUIVERDESK_MODEL_SWITCH_BACKUP_H

#include <windows.h>

#include "model/registry_place.h"

// Writes the value of key, open at place, named valueName, whatever its type and size, to
// "valueName.reg" in the temporary folder, and recycles that file.
// The name is a shortcut's file name, which any file may take. True when the value is in the
// bin; false, with nothing left behind, when it could not be saved (or there is no such value).
bool RecycleValueAsRegFile(HWND owner, HKEY key, const RegistryPlace& place, const wchar_t* valueName);

#endif
