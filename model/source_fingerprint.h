// A digest of what a listing reads from a folder and from the registry, so that a notification
// which changed nothing a row shows (the program's own change, already shown, or a burst's tail)
// costs a directory read instead of a listing.
#ifndef QUIVERDESK_MODEL_SOURCE_FINGERPRINT_H
#define QUIVERDESK_MODEL_SOURCE_FINGERPRINT_H

#include <windows.h>

typedef unsigned long long Fingerprint;

// The digest of a folder's entries, taken as a listing meets them, so the listing needs no second
// read of the folder for it.
class FolderDigest {
public:
    FolderDigest();
    // Its name, attributes, size and last write.
    void Add(const WIN32_FIND_DATAW& entry);
    // Every entry of folderPath, as a listing meets them; nothing when it cannot be read.
    void AddFolder(const wchar_t* folderPath);
    // 0 until an entry was added: a folder that could not be read.
    Fingerprint Get() const { return m_added ? m_digest : 0; }

private:
    Fingerprint m_digest;
    bool m_added;
};

// FNV-1a over size bytes: a value's whole data, whatever its length.
Fingerprint FingerprintBytes(const void* bytes, DWORD size);

// Every entry of folderPath, as FolderDigest takes them. 0 when it cannot be read.
Fingerprint FingerprintFolder(const wchar_t* folderPath);
// Every value of root\subKey: name, type and data; 0 when the key does not exist.
Fingerprint FingerprintKey(HKEY root, const wchar_t* subKey);

#endif
