// RowRef and its stamps: a file is read through its "\\?\" path, so that "Twin.lnk." is never
// taken for "Twin.lnk"; a value through its source's key, in the key's own view.
#include "model/row_ref.h"

#include <wchar.h>

#include "model/exact_path.h"
#include "model/path_text.h"

RowStamp FileStamp(const WIN32_FIND_DATAW& entry)
{
    RowStamp stamp = {entry.dwFileAttributes, entry.nFileSizeHigh, entry.nFileSizeLow, entry.ftLastWriteTime, 0};
    return stamp;
}

RowStamp ValueStamp(DWORD type, DWORD size, Fingerprint dataHash)
{
    RowStamp stamp = {type, 0, size, {0, 0}, dataHash};
    return stamp;
}

bool SameStamp(const RowStamp& listed, const RowStamp& now)
{
    if (listed.attributes != now.attributes)
        return false;
    if (listed.data == 0 && (listed.attributes & FILE_ATTRIBUTE_DIRECTORY))
        return true;
    return listed.sizeHigh == now.sizeHigh && listed.sizeLow == now.sizeLow
           && listed.lastWrite.dwLowDateTime == now.lastWrite.dwLowDateTime
           && listed.lastWrite.dwHighDateTime == now.lastWrite.dwHighDateTime && listed.data == now.data;
}

bool ReadFileStamp(const wchar_t* path, RowStamp* stamp)
{
    // The folder's entry for the file, as the listing read it: a file's own record may be ahead
    // of its entry while another program writes it, and every row would then read as changed.
    // Its name must be the one asked for, unit for unit.
    HeapString exact = ExactPath(path);
    const wchar_t* name = FindLastBackslash(path);
    WIN32_FIND_DATAW entry;
    HANDLE search = path && name
                        ? FindFirstFileExW(exact.GetBuffer(), FindExInfoBasic, &entry, FindExSearchNameMatch, 0, 0)
                        : INVALID_HANDLE_VALUE;
    if (search == INVALID_HANDLE_VALUE)
        return false;
    FindClose(search);
    if (wcscmp(entry.cFileName, name + 1) != 0)
        return false;
    *stamp = FileStamp(entry);
    return true;
}

bool ReadValueStamp(StartupSource source, const wchar_t* name, RowStamp* stamp)
{
    const RegistryPlace* place = GetStartupSource(source).values;
    HKEY key = 0;  // owned; closed below
    if (!place || !name || OpenPlace(*place, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    DWORD type = 0;
    DWORD size = 0;
    BYTE* data = ReadWholeValue(key, name, &type, &size);  // owned; freed below
    RegCloseKey(key);
    if (data)
        *stamp = ValueStamp(type, size, FingerprintBytes(data, size));
    delete[] data;
    return data != 0;
}

RowRef::RowRef() : m_kind(kRowNone), m_source(kSourceUserFolder)
{
    ZeroMemory(&m_stamp, sizeof(m_stamp));
}

RowRef RowRef::File(StartupSource source, const wchar_t* path, const RowStamp& stamp)
{
    RowRef row;
    row.m_kind = path ? kRowFile : kRowNone;
    row.m_source = source;
    row.m_text.Assign(path);
    row.m_stamp = stamp;
    return row;
}

RowRef RowRef::Value(StartupSource source, const wchar_t* name, const RowStamp& stamp)
{
    RowRef row;
    row.m_kind = name ? kRowValue : kRowNone;
    row.m_source = source;
    row.m_text.Assign(name);
    row.m_stamp = stamp;
    return row;
}

const wchar_t* RowRef::GetName() const
{
    const wchar_t* backslash = m_kind == kRowFile ? FindLastBackslash(m_text.GetBuffer()) : 0;
    return backslash ? backslash + 1 : m_text.GetBuffer() ? m_text.GetBuffer() : L"";
}

bool RowRef::SameRow(RowKind kind, StartupSource source, const wchar_t* text) const
{
    // Unit for unit: "a.lnk" and "A.lnk" are one file, but only one of them was listed.
    return kind == m_kind && kind != kRowNone && (kind == kRowFile || source == m_source) && text && m_text.GetBuffer()
           && wcscmp(text, m_text.GetBuffer()) == 0;
}

RowCheck CheckRow(const RowRef& row)
{
    RowStamp now;
    bool there = row.GetKind() == kRowFile    ? ReadFileStamp(row.GetPath(), &now)
                 : row.GetKind() == kRowValue ? ReadValueStamp(row.GetSource(), row.GetValueName(), &now)
                                              : false;
    if (!there)
        return kRowGone;
    return SameStamp(row.GetStamp(), now) ? kRowAsListed : kRowChanged;
}
