// A digest of what a listing reads from a folder and from the registry, so that a notification
// which changed nothing a row shows (the program's own change, already shown, or a burst's tail)
// costs a directory read instead of a listing.
#ifndef QUIVERDESK_MODEL_SOURCE_FINGERPRINT_H
#define QUIVERDESK_MODEL_SOURCE_FINGERPRINT_H

#include <windows.h>

typedef unsigned long long Fingerprint;

// Every entry of folderPath: name, attributes, size and last write. 0 when it cannot be read.
Fingerprint FingerprintFolder(const wchar_t* folderPath);
// Every value of root\subKey: name, type and data; 0 when the key does not exist.
Fingerprint FingerprintKey(HKEY root, const wchar_t* subKey);

#endif
