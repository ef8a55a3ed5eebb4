// RegistryPlace: a key opened or created by its root and path, in its view.
#include "model/registry_place.h"

#include <new>

const wchar_t* RootName(HKEY root)
{
    return root == HKEY_LOCAL_MACHINE ? L"HKEY_LOCAL_MACHINE" : L"HKEY_CURRENT_USER";
}

// A key that failed to open is null, whatever the call left behind: callers own only real keys.
LONG OpenPlace(const RegistryPlace& place, REGSAM access, HKEY* key)
{
    LONG status = RegOpenKeyExW(place.root, place.path, 0, access | place.view, key);
    if (status != ERROR_SUCCESS)
        *key = 0;
    return status;
}

LONG CreatePlace(const RegistryPlace& place, REGSAM access, HKEY* key)
{
    LONG status = RegCreateKeyExW(place.root, place.path, 0, 0, 0, access | place.view, 0, key, 0);
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

ValueWalker::ValueWalker(HKEY key)
    : m_key(key), m_index(0), m_name(0), m_nameCapacity(0), m_data(0), m_dataCapacity(0), m_nameWhole(true)
{
}

ValueWalker::~ValueWalker()
{
    delete[] m_name;
    delete[] m_data;
}

LONG ValueWalker::Grow()
{
    DWORD longestName = 0;
    DWORD longestData = 0;
    LONG status = RegQueryInfoKeyW(m_key, 0, 0, 0, 0, 0, 0, 0, &longestName, &longestData, 0, 0);
    if (status != ERROR_SUCCESS)
        return status;
    // At least twice the last: a value that grows between the question and the read is asked again
    // with room to spare.
    if (longestName < 2 * m_nameCapacity)
        longestName = 2 * m_nameCapacity;
    if (longestData < 2 * m_dataCapacity)
        longestData = 2 * m_dataCapacity;
    delete[] m_name;
    delete[] m_data;
    m_nameCapacity = longestName + 1;
    m_dataCapacity = longestData + 1;
    m_name = new (std::nothrow) wchar_t[m_nameCapacity];
    m_data = new (std::nothrow) BYTE[m_dataCapacity + 3];
    return m_name && m_data ? ERROR_SUCCESS : ERROR_OUTOFMEMORY;
}

LONG ValueWalker::Next(const wchar_t** name, DWORD* type, const BYTE** data, DWORD* size)
{
    LONG status = m_name ? ERROR_SUCCESS : Grow();
    DWORD nameLength = 0;
    for (int attempt = 0; status == ERROR_SUCCESS && attempt < 4; ++attempt) {
        nameLength = m_nameCapacity;
        *size = m_dataCapacity;
        status = RegEnumValueW(m_key, m_index, m_name, &nameLength, 0, type, m_data, size);
        if (status != ERROR_MORE_DATA)
            break;
        status = Grow();
    }
    if (status != ERROR_SUCCESS)
        return status;
    ++m_index;
    m_nameWhole = lstrlenW(m_name) == static_cast<int>(nameLength);
    ZeroMemory(m_data + *size, 3);
    *name = m_name;
    *data = m_data;
    return ERROR_SUCCESS;
}
