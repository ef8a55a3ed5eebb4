// RecycleValueAsRegFile: regedit's own format, UTF-16 with its byte-order mark, one value as
// hex bytes, which every type can be written as.
#include "model/switch_backup.h"

#include <new>

#include "model/heap_string.h"
#include "model/shell_file_operation.h"

namespace {

const wchar_t kHeader[] = L"\xFEFFWindows Registry Editor Version 5.00\r\n\r\n[";

bool WriteText(HANDLE file, const wchar_t* text)
{
    DWORD size = static_cast<DWORD>(lstrlenW(text) * sizeof(wchar_t));
    DWORD written = 0;
    return WriteFile(file, text, size, &written, 0) && written == size;
}

// The whole file: header, key, and "name"=hex:..; names can hold neither '"' nor '\'.
bool WriteRegFile(HANDLE file, const wchar_t* keyName, const wchar_t* valueName, DWORD type, const BYTE* data,
                  DWORD size)
{
    wchar_t prefix[24];  // the longest type, 8 hex digits, fits
    wsprintfW(prefix, type == REG_BINARY ? L"\"=hex:" : L"\"=hex(%x):", type);
    bool ok = WriteText(file, kHeader) && WriteText(file, keyName) && WriteText(file, L"]\r\n\"")
              && WriteText(file, valueName) && WriteText(file, prefix);
    for (DWORD i = 0; ok && i < size; ++i) {
        wchar_t byte[4];
        wsprintfW(byte, i + 1 < size ? L"%02x," : L"%02x", data[i]);
        ok = WriteText(file, byte);
    }
    return ok && WriteText(file, L"\r\n\r\n");
}

// A new file in the temporary folder named after the value, "name (2).reg" and so on when taken.
HANDLE CreateRegFile(const wchar_t* valueName, HeapString& path)
{
    wchar_t folder[MAX_PATH];
    DWORD length = GetTempPathW(MAX_PATH, folder);
    if (!length || length >= MAX_PATH)
        return INVALID_HANDLE_VALUE;
    for (int copy = 1; copy < 100; ++copy) {
        wchar_t suffix[16];
        wsprintfW(suffix, copy == 1 ? L".reg" : L" (%d).reg", copy);
        path.Assign(folder);
        path.Append(valueName);
        path.Append(suffix);
        if (path.GetLength() >= MAX_PATH)
            return INVALID_HANDLE_VALUE;
        HANDLE file = CreateFileW(path.GetBuffer(), GENERIC_WRITE, 0, 0, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, 0);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS)
            return file;
    }
    return INVALID_HANDLE_VALUE;
}

}  // namespace

BYTE* ReadWholeValue(HKEY key, const wchar_t* valueName, DWORD* type, DWORD* size)
{
    *size = 0;
    if (!valueName || RegQueryValueExW(key, valueName, 0, type, 0, size) != ERROR_SUCCESS)
        return 0;
    BYTE* data = new (std::nothrow) BYTE[*size ? *size : 1];
    if (data && RegQueryValueExW(key, valueName, 0, type, data, size) == ERROR_SUCCESS)
        return data;
    delete[] data;
    return 0;
}

bool RecycleValueAsRegFile(HWND owner, HKEY key, const wchar_t* keyName, const wchar_t* valueName)
{
    DWORD type = 0;
    DWORD size = 0;
    BYTE* data = ReadWholeValue(key, valueName, &type, &size);  // owned; freed below
    if (!data)
        return false;
    HeapString path;
    HANDLE file = CreateRegFile(valueName, path);  // owned; closed below
    bool written = file != INVALID_HANDLE_VALUE && WriteRegFile(file, keyName, valueName, type, data, size);
    delete[] data;
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
    // Quietly, since the user confirmed the shortcut's delete and this goes with it; but where
    // there is no bin to take it, the shell would delete it for good, so it asks first, and a
    // refusal keeps the file here and the value in the registry.
    bool recycled =
        written
        && RunShellFileOperation(owner, FO_DELETE, path.GetBuffer(), 0,
                                 FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI | FOF_WANTNUKEWARNING)
        && GetFileAttributesW(path.GetBuffer()) == INVALID_FILE_ATTRIBUTES;
    if (file != INVALID_HANDLE_VALUE && !recycled)
        DeleteFileW(path.GetBuffer());
    return recycled;
}
