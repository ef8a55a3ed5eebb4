// A registry key as the program names it: its root, its name as regedit writes it in a .reg file,
// and the view of the registry it is opened in; and whole reads of one value.
#ifndef QUIVERDESK_MODEL_REGISTRY_PLACE_H
#define QUIVERDESK_MODEL_REGISTRY_PLACE_H

#include <windows.h>

struct RegistryPlace {
    HKEY root;            // HKEY_CURRENT_USER or HKEY_LOCAL_MACHINE, as name begins
    const wchar_t* name;  // "HKEY_LOCAL_MACHINE\\SOFTWARE\\...", as regedit writes it
    REGSAM view;          // KEY_WOW64_64KEY for the machine's keys: a 32-bit build reads what a 64-bit one does
};

// RegOpenKeyExW and RegCreateKeyExW on place, in its view: ERROR_SUCCESS and the key, or the
// registry's status and a null key.
LONG OpenPlace(const RegistryPlace& place, REGSAM access, HKEY* key);
LONG CreatePlace(const RegistryPlace& place, REGSAM access, HKEY* key);

// The value of key named valueName, whatever its type and size, in a new[] block the caller
// deletes, followed by three zero bytes *size leaves out, so a string of any size reads as
// terminated text; null when there is no such value or memory ran out.
BYTE* ReadWholeValue(HKEY key, const wchar_t* valueName, DWORD* type, DWORD* size);

#endif
