// ReadPublisher through version.dll, and its lookups by path; paths are compared whole, so one
// written in another case is only read again.
#include "model/publisher.h"

#include <windows.h>

#include <new>
#include <wchar.h>

#include "model/heap_string.h"
#include "model/local_drive.h"
#include "model/native_view.h"
#include "model/path_text.h"

namespace {

// The files Windows loads as code, which carry version information; a script or a document
// names no publisher of its own.
bool IsProgram(const wchar_t* path)
{
    const wchar_t* extension = FindLastPeriod(path);
    wchar_t lowered[5];
    if (!extension || lstrlenW(extension) != 4 || wcschr(extension, L'\\'))
        return false;
    lstrcpynW(lowered, extension, 5);
    CharLowerBuffW(lowered, 4);
    return wcsstr(L".exe.dll.com.scr.cpl.ocx", lowered) != 0;
}

}  // namespace

wchar_t* ReadPublisher(const wchar_t* program)
{
    if (!program || !IsProgram(program))
        return 0;
    if (!IsOnLocalFixedDrive(program))
        return 0;
    // The file the shell would start: System32's own, not a 32-bit program's view of it. It is read
    // as data, so no code of the other kind is loaded.
    NativeFileSystemView native;
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeW(program, &handle);
    BYTE* block = size ? new (std::nothrow) BYTE[size] : 0;  // owned; freed below
    wchar_t* company = 0;
    WORD* translation = 0;
    wchar_t* value = 0;
    UINT length = 0;
    if (block && GetFileVersionInfoW(program, 0, size, block)
        && VerQueryValueW(block, L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length)
        && length >= 2 * sizeof(WORD)) {
        wchar_t query[48];
        wsprintfW(query, L"\\StringFileInfo\\%04x%04x\\CompanyName", translation[0], translation[1]);
        // The length bounds the copy: nothing makes a program end its strings with a null.
        if (VerQueryValueW(block, query, reinterpret_cast<void**>(&value), &length) && length) {
            company = new (std::nothrow) wchar_t[length + 1];
            if (company)
                lstrcpynW(company, value, length + 1);
        }
    }
    delete[] block;
    return company;
}

const wchar_t* PublisherLookups::Find(const wchar_t* program)
{
    const TextTable::Row* known = m_programs.Find(program);
    if (!known) {
        wchar_t* company = ReadPublisher(program);  // owned; the table keeps a copy
        known = m_programs.Add(program, company, 0, false);
        delete[] company;
    }
    return known ? known->first : 0;
}
