// A registry key as the program names it: its root, its path under the root as regedit writes it
// in a .reg file, and the view of the registry it is opened in; and whole reads of one value.
#ifndef QUIVERDESK_MODEL_REGISTRY_PLACE_H
#define QUIVERDESK_MODEL_REGISTRY_PLACE_H

#include <windows.h>

struct RegistryPlace {
    HKEY root;            // HKEY_CURRENT_USER or HKEY_LOCAL_MACHINE
    const wchar_t* path;  // "SOFTWARE\\..." under root, as regedit writes it after the root's name
    REGSAM view;          // KEY_WOW64_64KEY for the machine's keys: a 32-bit build reads what a 64-bit one does
};

// The name regedit gives root ("HKEY_CURRENT_USER" or "HKEY_LOCAL_MACHINE"), before a path's
// backslash in a .reg file. The roots' names are kept once, not at the head of every path.
const wchar_t* RootName(HKEY root);

// RegOpenKeyExW and RegCreateKeyExW on place, in its view: ERROR_SUCCESS and the key, or the
// registry's status and a null key.
LONG OpenPlace(const RegistryPlace& place, REGSAM access, HKEY* key);
LONG CreatePlace(const RegistryPlace& place, REGSAM access, HKEY* key);

// The value of key named valueName, whatever its type and size, in a new[] block the caller
// deletes, followed by three zero bytes *size leaves out, so a string of any size reads as
// terminated text; null when there is no such value or memory ran out.
BYTE* ReadWholeValue(HKEY key, const wchar_t* valueName, DWORD* type, DWORD* size);

// Every value of a key in turn, name and data read by one call each: a listing of a thousand values
// asks the registry a thousand times, not four thousand.
class ValueWalker {
public:
    explicit ValueWalker(HKEY key);  // not owned; open for KEY_QUERY_VALUE while the walk lasts
    ~ValueWalker();
    // ERROR_SUCCESS and the next value, its name and data valid until the next call, the data
    // followed by three zero bytes size leaves out; ERROR_NO_MORE_ITEMS after the last, or the
    // status that stopped the walk.
    LONG Next(const wchar_t** name, DWORD* type, const BYTE** data, DWORD* size);
    // False when the last name went on past a null: a name no call that takes a name can reach,
    // which would reach another value, named by the part before the null, instead.
    bool IsNameWhole() const { return m_nameWhole; }

private:
    ValueWalker(const ValueWalker&);
    ValueWalker& operator=(const ValueWalker&);
    // Buffers for the longest name and data the key says it holds now.
    LONG Grow();

    HKEY m_key;
    DWORD m_index;
    wchar_t* m_name;  // owned, new[]
    DWORD m_nameCapacity;
    BYTE* m_data;  // owned, new[]
    DWORD m_dataCapacity;
    bool m_nameWhole;
};

#endif
