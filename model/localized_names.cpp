// LocalizedNames: one read of the section, then a walk of its lines per file. The shell's own
// display name gives the same text on Windows; Wine's reads no desktop.ini, so the program reads it.
#include "model/localized_names.h"

#include <windows.h>
#include <shlwapi.h>

#include <new>

namespace {

// Large enough for the section of any folder the menus hold.
const DWORD kSectionCapacity = 16 * 1024;

}  // namespace

LocalizedNames::LocalizedNames() : m_section(0) {}

LocalizedNames::~LocalizedNames()
{
    delete[] m_section;
}

void LocalizedNames::Read(const wchar_t* folderPath)
{
    delete[] m_section;
    m_section = 0;
    wchar_t iniPath[MAX_PATH];
    if (!folderPath || lstrlenW(folderPath) + 12 >= MAX_PATH)
        return;
    wsprintfW(iniPath, L"%s\\desktop.ini", folderPath);
    m_section = new (std::nothrow) wchar_t[kSectionCapacity];
    if (m_section && !GetPrivateProfileSectionW(L"LocalizedFileNames", m_section, kSectionCapacity, iniPath)) {
        delete[] m_section;
        m_section = 0;
    }
}

bool LocalizedNames::Find(const wchar_t* fileName, wchar_t* buffer, int capacity) const
{
    if (!m_section || !fileName)
        return false;
    int nameLength = lstrlenW(fileName);
    for (const wchar_t* line = m_section; *line; line += lstrlenW(line) + 1) {
        // File names compare as the file system compares them: ordinal, case ignored.
        if (lstrlenW(line) > nameLength && line[nameLength] == L'='
            && CompareStringOrdinal(line, nameLength, fileName, nameLength, TRUE) == CSTR_EQUAL)
            return ResolveIndirectName(line + nameLength + 1, buffer, capacity);
    }
    return false;
}

bool ResolveIndirectName(const wchar_t* text, wchar_t* buffer, int capacity)
{
    if (text[0] != L'@') {
        lstrcpynW(buffer, text, capacity);
        return true;
    }
    return SUCCEEDED(SHLoadIndirectString(text, buffer, capacity, 0));
}
