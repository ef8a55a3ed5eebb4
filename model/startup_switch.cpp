// The Startup switches in the registry. Nothing here writes anywhere but the one key.
#include "model/startup_switch.h"

#include "model/path_text.h"

namespace {

const char kSwitchKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\StartupFolder";
const BYTE kOffBit = 0x01;
const BYTE kOnMark = 0x02;

// The value when it is a well-formed switch; false for a missing or malformed one.
bool ReadSwitch(HKEY key, const char* fileName, BYTE (&data)[kStartupSwitchSize])
{
    DWORD type = 0;
    DWORD size = sizeof(data);
    return key && RegQueryValueExA(key, fileName, 0, &type, data, &size) == ERROR_SUCCESS && type == REG_BINARY
           && size == sizeof(data);
}

}  // namespace

StartupSwitches::StartupSwitches() : m_key(0)
{
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kSwitchKey, 0, KEY_QUERY_VALUE, &m_key) != ERROR_SUCCESS)
        m_key = 0;
}

StartupSwitches::~StartupSwitches()
{
    if (m_key)
        RegCloseKey(m_key);
}

bool StartupSwitches::IsOff(const char* fileName) const
{
    BYTE data[kStartupSwitchSize];
    return ReadSwitch(m_key, fileName, data) && (data[0] & kOffBit);
}

bool SetStartupSwitch(const char* fileName, bool on)
{
    HKEY key = 0;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kSwitchKey, 0, 0, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, 0, &key, 0)
        != ERROR_SUCCESS)
        return false;
    // A well-formed value keeps its other bits; anything else starts again from "on".
    BYTE data[kStartupSwitchSize];
    if (!ReadSwitch(key, fileName, data)) {
        ZeroMemory(data, sizeof(data));
        data[0] = kOnMark;
    }
    FILETIME now = {0, 0};
    if (on)
        data[0] = static_cast<BYTE>((data[0] & ~kOffBit) | kOnMark);
    else {
        data[0] |= kOffBit;
        GetSystemTimeAsFileTime(&now);
    }
    CopyMemory(data + 4, &now, sizeof(now));
    bool written = RegSetValueExA(key, fileName, 0, REG_BINARY, data, sizeof(data)) == ERROR_SUCCESS;
    RegCloseKey(key);
    return written;
}

void ForgetStartupSwitch(const char* fileName)
{
    HKEY key = 0;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kSwitchKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return;
    RegDeleteValueA(key, fileName);
    RegCloseKey(key);
}

void MoveStartupSwitch(const char* fileName, const char* newName)
{
    // Value names ignore case: a new case of the same name already finds the value, and a move
    // would delete it.
    if (lstrcmpiA(fileName, newName) == 0)
        return;
    HKEY key = 0;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kSwitchKey, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return;
    // Moved as it is, whatever it holds: the switch belongs to the file, not to this program.
    BYTE data[64];
    DWORD type = 0;
    DWORD size = sizeof(data);
    if (RegQueryValueExA(key, fileName, 0, &type, data, &size) == ERROR_SUCCESS
        && RegSetValueExA(key, newName, 0, type, data, size) == ERROR_SUCCESS)
        RegDeleteValueA(key, fileName);
    RegCloseKey(key);
}

bool GetSwitchName(const char* linkPath, char (&name)[MAX_PATH])
{
    char longPath[MAX_PATH];
    name[0] = '\0';
    DWORD length = GetLongPathNameA(linkPath, longPath, sizeof(longPath));
    const char* backslash = length && length < sizeof(longPath) ? FindLastBackslash(longPath) : 0;
    if (!backslash || HoldsWildcard(backslash + 1))
        return false;
    lstrcpynA(name, backslash + 1, sizeof(name));
    return true;
}
