// The Startup switches in the registry. Nothing here writes anywhere but the switch key it is given.
#include "model/startup_switch.h"

#include "model/link_name.h"
#include "model/path_text.h"
#include "model/switch_backup.h"

const RegistryPlace kStartupFolderSwitches = {
    HKEY_CURRENT_USER,
    L"HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\StartupFolder", 0};

namespace {

const BYTE kOffBit = 0x01;
const BYTE kOnMark = 0x02;

// The value when it is a well-formed switch; false for a missing or malformed one.
bool ReadSwitch(HKEY key, const wchar_t* name, BYTE (&data)[kStartupSwitchSize])
{
    DWORD type = 0;
    DWORD size = sizeof(data);
    return key && RegQueryValueExW(key, name, 0, &type, data, &size) == ERROR_SUCCESS && type == REG_BINARY
           && size == sizeof(data);
}

// The switch key opened to change, or null: it does not exist, or place is no key at all.
HKEY OpenToChange(const RegistryPlace* place)
{
    HKEY key = 0;
    if (place)
        OpenPlace(*place, KEY_QUERY_VALUE | KEY_SET_VALUE, &key);
    return key;
}

}  // namespace

StartupSwitches::StartupSwitches(const RegistryPlace* place) : m_key(0)
{
    if (place)
        OpenPlace(*place, KEY_QUERY_VALUE, &m_key);
}

StartupSwitches::~StartupSwitches()
{
    if (m_key)
        RegCloseKey(m_key);
}

bool StartupSwitches::IsOff(const wchar_t* name) const
{
    BYTE data[kStartupSwitchSize];
    return ReadSwitch(m_key, name, data) && (data[0] & kOffBit);
}

const wchar_t* GetSwitchName(const wchar_t* linkPath)
{
    const wchar_t* backslash = FindLastBackslash(linkPath);
    return backslash && backslash[1] ? backslash + 1 : 0;
}

LONG WriteSwitch(const RegistryPlace* place, const wchar_t* name, bool on)
{
    if (!place)
        return ERROR_NOT_SUPPORTED;
    HKEY key = 0;
    LONG status = name ? CreatePlace(*place, KEY_QUERY_VALUE | KEY_SET_VALUE, &key) : ERROR_INVALID_PARAMETER;
    if (status != ERROR_SUCCESS)
        return status;
    // A well-formed value keeps its other bits; anything else starts again from "on".
    BYTE data[kStartupSwitchSize];
    if (!ReadSwitch(key, name, data)) {
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
    status = RegSetValueExW(key, name, 0, REG_BINARY, data, sizeof(data));
    RegCloseKey(key);
    return status;
}

bool SetStartupSwitch(const wchar_t* fileName, bool on)
{
    return WriteSwitch(&kStartupFolderSwitches, fileName, on) == ERROR_SUCCESS;
}

void ForgetStartupSwitch(HWND owner, const wchar_t* fileName, const RegistryPlace* place)
{
    HKEY key = fileName ? OpenToChange(place) : 0;
    if (!key)
        return;
    // A value that could not be saved stays: a switch left behind does less harm than one lost.
    if (RecycleValueAsRegFile(owner, key, place->name, fileName))
        RegDeleteValueW(key, fileName);
    RegCloseKey(key);
}

void MoveStartupSwitch(HWND owner, const wchar_t* fileName, const wchar_t* newName, const RegistryPlace* place)
{
    // Value names ignore case: a new case of the same name already finds the value, and a move
    // would delete it.
    if (!fileName || !newName || SameName(fileName, newName))
        return;
    HKEY key = OpenToChange(place);
    if (!key)
        return;
    // Moved as it is, whatever it holds and however long: the switch belongs to the file, not to
    // this program.
    DWORD type = 0;
    DWORD size = 0;
    BYTE* data = ReadWholeValue(key, fileName, &type, &size);  // owned; freed below
    if (data) {
        // A value the new name already held, left by a shortcut of that name deleted elsewhere,
        // is saved before it is replaced; one that can't be saved keeps its place, and the
        // switch stays under the old name.
        bool held = RegQueryValueExW(key, newName, 0, 0, 0, 0) == ERROR_SUCCESS;
        if ((!held || RecycleValueAsRegFile(owner, key, place->name, newName))
            && RegSetValueExW(key, newName, 0, type, data, size) == ERROR_SUCCESS)
            RegDeleteValueW(key, fileName);
    } else {
        // A value left behind by a shortcut of the new name, deleted elsewhere, would switch
        // this one off at the next log-on. It goes, saved like any other.
        if (RecycleValueAsRegFile(owner, key, place->name, newName))
            RegDeleteValueW(key, newName);
    }
    delete[] data;
    RegCloseKey(key);
}
