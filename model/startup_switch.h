// Windows' own on/off switches for what runs at log-on, as Task Manager and Settings keep them:
// one 12-byte REG_BINARY value per entry, named as the entry is (a file's exact UTF-16 name, or
// a Run value's), under a key of the user's or of the machine's. Byte 0's lowest bit set means
// off; bytes 4 to 11 are the UTC FILETIME it was switched off.
#ifndef QUIVERDESK_MODEL_STARTUP_SWITCH_H
#define QUIVERDESK_MODEL_STARTUP_SWITCH_H

#include <windows.h>

#include "model/registry_place.h"

enum { kStartupSwitchSize = 12 };

// The switches of the user's Startup folder. The functions below take any key; a null one is a
// source that has no switches (RunOnce), where everything is on and nothing can be switched.
extern const RegistryPlace kStartupFolderSwitches;

// The switches of one key, read whole once: the names of those that are off, sorted, so that a
// listing of thousands of entries asks the registry once per switch, not once per entry.
class StartupSwitches {
public:
    explicit StartupSwitches(const RegistryPlace* place = &kStartupFolderSwitches);
    ~StartupSwitches();
    // A value that is missing, of another type or of another size reads as on.
    bool IsOff(const wchar_t* name) const;

private:
    StartupSwitches(const StartupSwitches&);
    StartupSwitches& operator=(const StartupSwitches&);
    wchar_t* m_names;       // owned, new[]; the names of the switches that are off, one after another
    const wchar_t** m_off;  // owned, new[]; each of them, sorted as the registry compares names
    int m_count;
};

// The name the switch of the shortcut at linkPath goes by: its file name. Null for a path
// without one.
const wchar_t* GetSwitchName(const wchar_t* linkPath);
// Switches name on or off; a value of the wrong type or size is replaced whole. ERROR_SUCCESS, or
// the registry's status: ERROR_ACCESS_DENIED means the key is the machine's and needs an
// administrator. ERROR_NOT_SUPPORTED for a source without switches.
LONG WriteSwitch(const RegistryPlace* place, const wchar_t* name, bool on);
// The same for the Startup folder's; true when written.
bool SetStartupSwitch(const wchar_t* fileName, bool on);
// After the file itself is gone: its value goes, first saved to the recycle bin as a .reg file
// that regedit merges back. owner is the window of any message the shell shows.
void ForgetStartupSwitch(HWND owner, const wchar_t* fileName, const RegistryPlace* place = &kStartupFolderSwitches);
// After the file was renamed to newName: newName ends with exactly the switch fileName had,
// whatever it holds, and none where fileName had none (a value it had is saved as above).
void MoveStartupSwitch(HWND owner, const wchar_t* fileName, const wchar_t* newName,
                       const RegistryPlace* place = &kStartupFolderSwitches);

#endif
