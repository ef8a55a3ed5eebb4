// EnumerateFolder and EnumerateValues: one find handle or one key for the whole enumeration.
#include "model/list_source.h"

#include "model/heap_string.h"
#include "model/link_name.h"

HANDLE FindFirstInFolder(const wchar_t* folderPath, WIN32_FIND_DATAW* entry)
{
    HeapString pattern(folderPath);
    pattern.Append(L"\\*");
    return FindFirstFileW(pattern.GetBuffer(), entry);
}

bool EnumerateFolder(StartupSource source, const wchar_t* folderPath, SourceVisitor& visitor, RowStamp* iniStamp)
{
    ZeroMemory(iniStamp, sizeof(*iniStamp));
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstInFolder(folderPath, &found);
    if (search == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_FILE_NOT_FOUND;
    do {
        if (lstrcmpW(found.cFileName, L".") == 0 || lstrcmpW(found.cFileName, L"..") == 0)
            continue;
        if (SameName(found.cFileName, L"desktop.ini")) {
            *iniStamp = FileStamp(found);
            continue;
        }
        SourceEntry entry = {source, found.cFileName, found.dwFileAttributes, FileStamp(found), 0};
        visitor.Visit(entry);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return true;
}

void EnumerateValues(StartupSource source, SourceVisitor& visitor)
{
    StartupValueReader reader(source);
    StartupValue value;
    while (reader.Next(value) == ERROR_SUCCESS) {
        // A text gone between its name and its data is no entry.
        bool text = value.type == REG_SZ || value.type == REG_EXPAND_SZ;
        if (text && !value.command.GetBuffer())
            continue;
        SourceEntry entry = {source, value.name.GetBuffer(), 0, ValueStamp(value.type, value.size, value.dataHash),
                             &value};
        visitor.Visit(entry);
    }
}
