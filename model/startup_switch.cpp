// The Startup switches in the registry. Nothing here writes anywhere but the one key.
#include "model/startup_switch.h"

#include "model/link_name.h"
#include "model/path_text.h"
#include "model/switch_backup.h"

namespace {

// The key as regedit names it in a .reg file; the program opens it under HKEY_CURRENT_USER.
const wchar_t kSwitchKeyFullName[] =
    L"HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\StartupFolder";
const wchar_t* const kSwitchKey = kSwitchKeyFullName + 18;
const BYTE kOffBit = 0x01;
const BYTE kOnMark = 0x02;

// The value when it is a well-formed switch; false for a missing or malformed one.
bool ReadSwitch(HKEY key, const wchar_t* fileName, BYTE (&data)[kStartupSwitchSize])
{
    DWORD type = 0;
    DWORD size = sizeof(data);
    return key && RegQueryValueExW(key, fileName, 0, &type, data, &size) == ERROR_SUCCESS && type == REG_BINARY
           && size == sizeof(data);
}

}  // namespace

StartupSwitches::StartupSwitches() : m_key(0)
{
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kSwitchKey, 0, KEY_QUERY_VALUE, &m_key) != ERROR_SUCCESS)
        m_key = 0;
}

StartupSwitches::~StartupSwitches()
{
    if (m_key)
        RegCloseKey(m_key);
}

bool StartupSwitches::IsOff(const wchar_t* fileName) const
{
    BYTE data[kStartupSwitchSize];
    return ReadSwitch(m_key, fileName, data) && (data[0] & kOffBit);
}

const wchar_t* GetSwitchName(const wchar_t* linkPath)
{
    const wchar_t* backslash = FindLastBackslash(linkPath);
    return backslash && backslash[1] ? backslash + 1 : 0;
}

bool SetStartupSwitch(const wchar_t* fileName, bool on)
{
    HKEY key = 0;
    if (!fileName
        || RegCreateKeyExW(HKEY_CURRENT_USER, kSwitchKey, 0, 0, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, 0, &key, 0)
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
    bool written = RegSetValueExW(key, fileName, 0, REG_BINARY, data, sizeof(data)) == ERROR_SUCCESS;
    RegCloseKey(key);
    return written;
}

void ForgetStartupSwitch(HWND owner, const wchar_t* fileName)
{
    HKEY key = 0;
    if (!fileName
        || RegOpenKeyExW(HKEY_CURRENT_USER, kSwitchKey, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return;
    // A value that could not be saved stays: a switch left behind does less harm than one lost.
    if (RecycleValueAsRegFile(owner, key, kSwitchKeyFullName, fileName))
        RegDeleteValueW(key, fileName);
    RegCloseKey(key);
}

void MoveStartupSwitch(HWND owner, const wchar_t* fileName, const wchar_t* newName)
{
    // Value names ignore case: a new case of the same name already finds the value, and a move
    // would delete it.
    if (!fileName || !newName || SameName(fileName, newName))
        return;
    HKEY key = 0;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kSwitchKey, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return;
    // Moved as it is, whatever it holds and however long: the switch belongs to the file, not to
    // this program.
    DWORD type = 0;
    DWORD size = 0;
    BYTE* data = ReadWholeValue(key, fileName, &type, &size);  // owned; freed below
    if (data) {
        if (RegSetValueExW(key, newName, 0, type, data, size) == ERROR_SUCCESS)
            RegDeleteValueW(key, fileName);
    } else {
        // A value left behind by a shortcut of the new name, deleted elsewhere, would switch
        // this one off at the next log-on. It goes, saved like any other.
        if (RecycleValueAsRegFile(owner, key, kSwitchKeyFullName, newName))
            RegDeleteValueW(key, newName);
    }
    delete[] data;
    RegCloseKey(key);
}
