// The sources' keys, and the reads of a Run key's values. The machine's keys are opened in the
// 64-bit view from either build; the 32-bit programs' key by its own path, in that view too, so
// both builds read the same keys.
#include "model/startup_sources.h"

#include <shlobj.h>

#include <new>

#include "model/startup_switch.h"

namespace {

const REGSAM kView64 = KEY_WOW64_64KEY;
const RegistryPlace kUserRun = {HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run", 0};
const RegistryPlace kUserRunOnce = {HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce", 0};
const RegistryPlace kMachineRun = {HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", kView64};
const RegistryPlace kMachineRun32 = {HKEY_LOCAL_MACHINE,
                                     L"SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Run", kView64};
const RegistryPlace kMachineRunOnce = {HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce",
                                       kView64};
const RegistryPlace kUserRunSwitches = {
    HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run", 0};
const RegistryPlace kMachineRunSwitches = {
    HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run", kView64};
const RegistryPlace kMachineRun32Switches = {
    HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run32", kView64};
const RegistryPlace kMachineFolderSwitches = {
    HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\StartupFolder",
    kView64};

const StartupSourceInfo kSources[kStartupSourceCount] = {
    {CSIDL_STARTUP, 0, &kStartupFolderSwitches},
    {CSIDL_COMMON_STARTUP, 0, &kMachineFolderSwitches},
    {-1, &kUserRun, &kUserRunSwitches},
    {-1, &kMachineRun, &kMachineRunSwitches},
    {-1, &kMachineRun32, &kMachineRun32Switches},
    {-1, &kUserRunOnce, 0},
    {-1, &kMachineRunOnce, 0},
};

// The variables of text expanded; the text as it is where it can't be (too long for the call).
void Expand(const wchar_t* text, HeapString& expanded)
{
    DWORD capacity = ExpandEnvironmentStringsW(text, 0, 0);
    for (int attempt = 0; capacity && attempt < 4; ++attempt) {
        wchar_t* buffer = new (std::nothrow) wchar_t[capacity];  // owned; freed below
        DWORD needed = buffer ? ExpandEnvironmentStringsW(text, buffer, capacity) : 0;
        if (needed && needed <= capacity)
            expanded.Assign(buffer);
        delete[] buffer;
        if (needed <= capacity)
            break;
        capacity = needed;
    }
    if (!expanded.GetBuffer())
        expanded.Assign(text);
}

}  // namespace

const StartupSourceInfo& GetStartupSource(StartupSource source)
{
    return kSources[source];
}

HeapString GetSourceFolder(StartupSource source)
{
    wchar_t path[MAX_PATH];
    int folder = kSources[source].folder;
    if (folder < 0 || FAILED(SHGetFolderPathW(0, folder, 0, SHGFP_TYPE_CURRENT, path)))
        path[0] = L'\0';
    return HeapString(path);
}

namespace {

// The source's key, open to read its values; null when it could not be opened, and status then
// says why, unless the key simply does not exist.
HKEY OpenValues(StartupSource source, LONG* status)
{
    const RegistryPlace* place = kSources[source].values;
    HKEY key = 0;
    LONG opened = place ? OpenPlace(*place, KEY_QUERY_VALUE, &key) : ERROR_FILE_NOT_FOUND;
    *status = opened == ERROR_FILE_NOT_FOUND || opened == ERROR_SUCCESS ? ERROR_NO_MORE_ITEMS : opened;
    return key;
}

}  // namespace

StartupValueReader::StartupValueReader(StartupSource source)
    : m_status(ERROR_NO_MORE_ITEMS), m_key(OpenValues(source, &m_status)), m_walker(m_key)
{
}

StartupValueReader::~StartupValueReader()
{
    if (m_key)
        RegCloseKey(m_key);
}

LONG StartupValueReader::Next(StartupValue& value)
{
    if (!m_key)
        return m_status;
    const wchar_t* name = 0;
    const BYTE* data = 0;
    LONG status = m_walker.Next(&name, &value.type, &data, &value.size);
    if (status != ERROR_SUCCESS)
        return status;
    value.name.Assign(name);
    value.nameWhole = m_walker.IsNameWhole();
    // The whole data, so that a command can tell it changed, however long it is.
    value.dataHash = FingerprintBytes(data, value.size);
    value.command.Clear();
    value.expanded.Clear();
    // Ended by the walker's zeros, whatever the size: a value stored without its null, or of an
    // odd size, still reads as the text it holds.
    if (value.type == REG_SZ || value.type == REG_EXPAND_SZ) {
        const wchar_t* text = reinterpret_cast<const wchar_t*>(data);
        value.command.Assign(text);
        if (value.type == REG_EXPAND_SZ)
            Expand(text, value.expanded);
        else
            value.expanded.Assign(text);
    }
    return ERROR_SUCCESS;
}

LONG DeleteStartupValue(StartupSource source, const wchar_t* name, bool* switchDeleted)
{
    *switchDeleted = false;
    const StartupSourceInfo& info = kSources[source];
    HKEY values = 0;    // owned; closed below
    HKEY switches = 0;  // owned; closed below, and null where there is no switch key
    LONG status = !name         ? ERROR_INVALID_PARAMETER
                  : info.values ? OpenPlace(*info.values, KEY_SET_VALUE, &values)
                                : ERROR_NOT_SUPPORTED;
    // Both keys are opened before either value goes: a refusal of either leaves both as they were.
    LONG opened = status == ERROR_SUCCESS && info.switches
                      ? OpenPlace(*info.switches, KEY_QUERY_VALUE | KEY_SET_VALUE, &switches)
                      : ERROR_FILE_NOT_FOUND;
    if (opened != ERROR_SUCCESS && opened != ERROR_FILE_NOT_FOUND)
        status = opened;
    // The switch first: a switch left behind by a value that went would switch off whatever
    // comes later by the name. Should the value then stay, its switch goes back as it was, so
    // that an entry the user switched off does not start at the next log-on.
    DWORD type = 0;
    DWORD size = 0;
    BYTE* saved = status == ERROR_SUCCESS && switches ? ReadWholeValue(switches, name, &type, &size) : 0;  // owned
    if (saved) {
        status = RegDeleteValueW(switches, name);
        *switchDeleted = status == ERROR_SUCCESS;
    }
    if (status == ERROR_SUCCESS)
        status = RegDeleteValueW(values, name);
    if (status != ERROR_SUCCESS && *switchDeleted
        && RegSetValueExW(switches, name, 0, type, saved, size) == ERROR_SUCCESS)
        *switchDeleted = false;
    delete[] saved;
    if (values)
        RegCloseKey(values);
    if (switches)
        RegCloseKey(switches);
    return status;
}
