// RegistryPlace: the path under the root is the name past its root's, and its first backslash.
#include "model/registry_place.h"

#include <new>

namespace {

const wchar_t* KeyPath(const RegistryPlace& place)
{
    const wchar_t* path = place.name;
    while (*path && *path != L'\\')
        ++path;
    return *path ? path + 1 : path;
}

}  // namespace

// A key that failed to open is null, whatever the call left behind: callers own only real keys.
LONG OpenPlace(const RegistryPlace& place, REGSAM access, HKEY* key)
{
    LONG status = RegOpenKeyExW(place.root, KeyPath(place), 0, access | place.view, key);
    if (status != ERROR_SUCCESS)
        *key = 0;
    return status;
}

LONG CreatePlace(const RegistryPlace& place, REGSAM access, HKEY* key)
{
    LONG status = RegCreateKeyExW(place.root, KeyPath(place), 0, 0, 0, access | place.view, 0, key, 0);
    if (status != ERROR_SUCCESS)
        *key = 0;
    return status;
}

BYTE* ReadWholeValue(HKEY key, const wchar_t* valueName, DWORD* type, DWORD* size)
{
    *size = 0;
    if (!valueName || RegQueryValueExW(key, valueName, 0, type, 0, size) != ERROR_SUCCESS)
        return 0;
    BYTE* data = new (std::nothrow) BYTE[*size + 3]();
    if (data && RegQueryValueExW(key, valueName, 0, type, data, size) == ERROR_SUCCESS)
        return data;
    delete[] data;
    return 0;
}
