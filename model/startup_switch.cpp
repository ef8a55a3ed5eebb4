// The Startup switches in the registry. Nothing here writes anywhere but the switch key it is given.
#include "model/startup_switch.h"

#include <new>
#include <stdlib.h>

#include "model/link_name.h"
#include "model/path_text.h"
#include "model/switch_backup.h"

const RegistryPlace kStartupFolderSwitches = {
    HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\StartupFolder", 0};

namespace {

const BYTE kOffBit = 0x01;
const BYTE kOnMark = 0x02;

// As the registry tells value names apart: case ignored.
int CompareNames(const void* left, const void* right)
{
    return CompareStringOrdinal(*static_cast<const wchar_t* const*>(left), -1,
                                *static_cast<const wchar_t* const*>(right), -1, TRUE)
           - CSTR_EQUAL;
}

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

StartupSwitches::StartupSwitches(const RegistryPlace* place) : m_names(0), m_off(0), m_count(0)
{
    HKEY key = 0;  // owned; closed below
    DWORD values = 0;
    DWORD longest = 0;
    if (!place || OpenPlace(*place, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return;
    if (RegQueryInfoKeyW(key, 0, 0, 0, 0, 0, 0, &values, &longest, 0, 0, 0) == ERROR_SUCCESS && values) {
        m_names = new (std::nothrow) wchar_t[values * (longest + 1)];
        m_off = new (std::nothrow) const wchar_t*[values];
    }
    ValueWalker walker(key);
    const wchar_t* name = 0;
    DWORD type = 0;
    const BYTE* data = 0;
    DWORD size = 0;
    wchar_t* end = m_names;
    // A switch added since the key was measured is left out: it reads as on, as before it came.
    while (m_names && m_off && walker.Next(&name, &type, &data, &size) == ERROR_SUCCESS
           && m_count < static_cast<int>(values)) {
        int length = lstrlenW(name);
        if (type != REG_BINARY || size != kStartupSwitchSize || !(data[0] & kOffBit)
            || static_cast<DWORD>(length) > longest)
            continue;
        // A name holding a null would read as the switch of the name it stops at.
        if (!walker.IsNameWhole())
            continue;
        lstrcpynW(end, name, length + 1);
        m_off[m_count++] = end;
        end += length + 1;
    }
    RegCloseKey(key);
    if (m_off)
        qsort(m_off, m_count, sizeof(m_off[0]), CompareNames);
}

StartupSwitches::~StartupSwitches()
{
    delete[] m_names;
    delete[] m_off;
}

bool StartupSwitches::IsOff(const wchar_t* name) const
{
    return m_off && name && bsearch(&name, m_off, m_count, sizeof(m_off[0]), CompareNames);
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
    if (RecycleValueAsRegFile(owner, key, *place, fileName))
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
        if ((!held || RecycleValueAsRegFile(owner, key, *place, newName))
            && RegSetValueExW(key, newName, 0, type, data, size) == ERROR_SUCCESS)
            RegDeleteValueW(key, fileName);
    } else {
        // A value left behind by a shortcut of the new name, deleted elsewhere, would switch
        // this one off at the next log-on. It goes, saved like any other.
        if (RecycleValueAsRegFile(owner, key, *place, newName))
            RegDeleteValueW(key, newName);
    }
    delete[] data;
    RegCloseKey(key);
}
