// Windows' own on/off switch for the shortcuts of the Startup folder, as Task Manager and
// Settings keep it: one 12-byte REG_BINARY value per file name under one key of the user's.
// Byte 0's lowest bit set means off; bytes 4 to 11 are the UTC FILETIME it was switched off.
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
    bool IsOff(const char* fileName) const;

private:
    StartupSwitches(const StartupSwitches&);
    StartupSwitches& operator=(const StartupSwitches&);
    HKEY m_key;  // owned; null when the key does not exist yet
};

// The name the switch of the shortcut at linkPath goes by: its long file name. False when that
// name holds a character the code page lacks, which no 8-bit call could name.
bool GetSwitchName(const char* linkPath, char (&name)[MAX_PATH]);
// Switches fileName on or off; a value of the wrong type or size is replaced whole.
bool SetStartupSwitch(const char* fileName, bool on);
// After the file itself is gone, or renamed to newName: the value goes, or goes with it.
void ForgetStartupSwitch(const char* fileName);
void MoveStartupSwitch(const char* fileName, const char* newName);

#endif
