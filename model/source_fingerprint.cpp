// FNV-1a over the bytes a listing depends on; a collision costs one missed listing, which the
// next change repairs.
#include "model/source_fingerprint.h"

#include "model/list_source.h"

namespace {

const Fingerprint kOffsetBasis = 14695981039346656037ull;

void Mix(Fingerprint* digest, const void* bytes, DWORD size)
{
    const BYTE* byte = static_cast<const BYTE*>(bytes);
    for (DWORD i = 0; i < size; ++i)
        *digest = (*digest ^ byte[i]) * 1099511628211ull;
}

}  // namespace

Fingerprint FingerprintBytes(const void* bytes, DWORD size)
{
    Fingerprint digest = kOffsetBasis;
    Mix(&digest, bytes, size);
    return digest;
}

FolderDigest::FolderDigest() : m_digest(kOffsetBasis), m_added(false) {}

void FolderDigest::Add(const WIN32_FIND_DATAW& entry)
{
    m_added = true;
    Mix(&m_digest, entry.cFileName, (lstrlenW(entry.cFileName) + 1) * sizeof(wchar_t));
    Mix(&m_digest, &entry.dwFileAttributes, sizeof(entry.dwFileAttributes));
    Mix(&m_digest, &entry.nFileSizeLow, sizeof(entry.nFileSizeLow));
    Mix(&m_digest, &entry.ftLastWriteTime, sizeof(entry.ftLastWriteTime));
}

void FolderDigest::AddFolder(const wchar_t* folderPath)
{
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstInFolder(folderPath, &entry);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do
        Add(entry);
    while (FindNextFileW(search, &entry));
    FindClose(search);
}

Fingerprint FingerprintFolder(const wchar_t* folderPath)
{
    FolderDigest digest;
    digest.AddFolder(folderPath);
    return digest.Get();
}

Fingerprint FingerprintKey(HKEY root, const wchar_t* subKey)
{
    HKEY key = 0;  // owned; closed below
    // The 64-bit view from either build, as the listing reads the machine's keys.
    if (RegOpenKeyExW(root, subKey, 0, KEY_QUERY_VALUE | KEY_WOW64_64KEY, &key) != ERROR_SUCCESS)
        return 0;
    Fingerprint digest = kOffsetBasis;
    // Value names are at most 16,383 characters. Data longer than the buffer (no switch and no
    // command line is) counts by its size alone.
    wchar_t name[16384];
    BYTE data[1024];
    for (DWORD index = 0;; ++index) {
        DWORD nameLength = 16384;
        DWORD type = 0;
        DWORD size = sizeof(data);
        LSTATUS status = RegEnumValueW(key, index, name, &nameLength, 0, &type, data, &size);
        if (status == ERROR_NO_MORE_ITEMS)
            break;
        Mix(&digest, name, nameLength * sizeof(wchar_t));
        Mix(&digest, &type, sizeof(type));
        Mix(&digest, &size, sizeof(size));
        if (status == ERROR_SUCCESS)
            Mix(&digest, data, size);
    }
    RegCloseKey(key);
    return digest;
}
