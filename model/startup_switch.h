// Windows' own on/off switch for the shortcuts of the Startup folder, as Task Manager and
// Settings keep it: one 12-byte REG_BINARY value per file name under one key of the user's.
// Byte 0's lowest bit set means off; bytes 4 to 11 are the UTC FILETIME it was switched off.
// Value names are the files' exact UTF-16 names.
#ifndef QUIVERDESK_MODEL_STARTUP_SWITCH_H
#define QUIVERDESK_MODEL_STARTUP_SWITCH_H

#include <windows.h>

enum { kStartupSwitchSize = 12 };

// The switches, read through one key opened for the whole refresh.
class StartupSwitches {
public:
    StartupSwitches();
    ~StartupSwitches();
    // A value that is missing, of another type or of another size reads as on.
    bool IsOff(const wchar_t* fileName) const;

private:
    StartupSwitches(const StartupSwitches&);
    StartupSwitches& operator=(const StartupSwitches&);
    HKEY m_key;  // owned; null when the key does not exist yet
};

// The name the switch of the shortcut at linkPath goes by: its file name. Null for a path
// without one.
const wchar_t* GetSwitchName(const wchar_t* linkPath);
// Switches fileName on or off; a value of the wrong type or size is replaced whole.
bool SetStartupSwitch(const wchar_t* fileName, bool on);
// After the file itself is gone: its value goes, first saved to the recycle bin as a .reg file
// that regedit merges back. owner is the window of any message the shell shows.
void ForgetStartupSwitch(HWND owner, const wchar_t* fileName);
// After the file was renamed to newName: newName ends with exactly the switch fileName had,
// whatever it holds, and none where fileName had none (a value it had is saved as above).
void MoveStartupSwitch(HWND owner, const wchar_t* fileName, const wchar_t* newName);

#endif
