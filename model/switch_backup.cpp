// RecycleValueAsRegFile: a .reg file of the value, written in the temporary folder and handed to
// the shell's bin.
#include "model/switch_backup.h"

#include "model/heap_string.h"
#include "model/reg_file.h"
#include "model/shell_file_operation.h"

namespace {

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

bool RecycleValueAsRegFile(HWND owner, HKEY key, const RegistryPlace& place, const wchar_t* valueName)
{
    // No file at all for a value that isn't there.
    if (!valueName || RegQueryValueExW(key, valueName, 0, 0, 0, 0) != ERROR_SUCCESS)
        return false;
    HeapString path;
    HANDLE file = CreateRegFile(valueName, path);  // owned; closed below
    bool written = file != INVALID_HANDLE_VALUE && WriteRegHeader(file) && WriteRegValue(file, key, place, valueName);
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
