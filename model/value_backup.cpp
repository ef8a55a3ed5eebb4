// SaveValueToBackupFolder: the folder is made on first use; each save is a file of its own.
#include "model/value_backup.h"

#include <windows.h>
#include <shlobj.h>

#include "model/own_folder.h"
#include "model/reg_file.h"

namespace {

// The backup folder, made when missing.
bool MakeBackupFolder(wchar_t (&folder)[MAX_PATH])
{
    return MakeOwnPath(L"\\Backups", folder) && (CreateDirectoryW(folder, 0) || GetLastError() == ERROR_ALREADY_EXISTS);
}

HANDLE CreateBackupFile(HeapString& path)
{
    wchar_t folder[MAX_PATH];
    if (!MakeBackupFolder(folder))
        return INVALID_HANDLE_VALUE;
    SYSTEMTIME now;
    GetLocalTime(&now);
    for (int copy = 1; copy < 100; ++copy) {
        wchar_t name[48];
        wsprintfW(name, copy == 1 ? L"\\%04d-%02d-%02d %02d%02d%02d.reg" : L"\\%04d-%02d-%02d %02d%02d%02d (%d).reg",
                  now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond, copy);
        path.Assign(folder);
        path.Append(name);
        if (path.GetLength() >= MAX_PATH)
            break;
        HANDLE file = CreateFileW(path.GetBuffer(), GENERIC_WRITE, 0, 0, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, 0);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS)
            return file;
    }
    return INVALID_HANDLE_VALUE;
}

bool HasValue(HKEY key, const wchar_t* name)
{
    return key && RegQueryValueExW(key, name, 0, 0, 0, 0) == ERROR_SUCCESS;
}

}  // namespace

bool SaveValueToBackupFolder(StartupSource source, const wchar_t* name, HeapString& path)
{
    const StartupSourceInfo& info = GetStartupSource(source);
    HKEY values = 0;    // owned; closed below
    HKEY switches = 0;  // owned; closed below, and null where there is no switch
    if (name && info.values)
        OpenPlace(*info.values, KEY_QUERY_VALUE, &values);
    if (name && info.switches)
        OpenPlace(*info.switches, KEY_QUERY_VALUE, &switches);
    bool saved = false;
    if (HasValue(values, name)) {
        HANDLE file = CreateBackupFile(path);  // owned; closed below
        saved = file != INVALID_HANDLE_VALUE && WriteRegHeader(file) && WriteRegValue(file, values, *info.values, name)
                && (!HasValue(switches, name) || WriteRegValue(file, switches, *info.switches, name));
        if (file != INVALID_HANDLE_VALUE)
            CloseHandle(file);
        if (file != INVALID_HANDLE_VALUE && !saved)
            DeleteFileW(path.GetBuffer());
    }
    if (values)
        RegCloseKey(values);
    if (switches)
        RegCloseKey(switches);
    if (!saved)
        path.Clear();
    return saved;
}
