#include "model/memory_file.h"

#include <new>

#include "model/entry_memory.h"
#include "model/list_text.h"
#include "model/own_folder.h"

namespace {

const wchar_t kMemoryName[] = L"\\Memory.txt";
// Far beyond what kRemovalsKept and any real folder leave: a larger file is no memory of ours.
const DWORD kLargestMemory = 64 << 20;

// The file's bytes, in a new[] block the caller deletes; null when it can't be read whole.
char* ReadWholeFile(const wchar_t* path, int* size, bool* absent)
{
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, 0, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, 0);
    *absent = file == INVALID_HANDLE_VALUE && GetLastError() == ERROR_FILE_NOT_FOUND;
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    DWORD high = 0;
    DWORD length = GetFileSize(file, &high);
    char* bytes = high || length > kLargestMemory ? 0 : new (std::nothrow) char[length + 1];
    DWORD done = 0;
    if (bytes && !(ReadFile(file, bytes, length, &done, 0) && done == length)) {
        delete[] bytes;
        bytes = 0;
    }
    CloseHandle(file);
    *size = static_cast<int>(length);
    return bytes;
}

}  // namespace

MemoryFileState LoadMemoryFile(EntryMemory& memory, bool setAside, HeapString* setAsidePath)
{
    wchar_t path[MAX_PATH];
    if (!MakeOwnPath(kMemoryName, path))
        return kMemoryFileNone;
    int size = 0;
    bool absent = false;
    char* bytes = ReadWholeFile(path, &size, &absent);  // owned; freed below
    bool read = bytes && memory.Read(bytes, size);
    delete[] bytes;
    if (read || absent)
        return read ? kMemoryFileRead : kMemoryFileNone;
    wchar_t aside[MAX_PATH];
    if (setAside && MakeOwnPath(L"\\Memory.unreadable.txt", aside)
        && MoveFileExW(path, aside, MOVEFILE_REPLACE_EXISTING))
        setAsidePath->Assign(aside);
    return kMemoryFileUntrusted;
}

bool SaveMemoryFile(const EntryMemory& memory)
{
    wchar_t path[MAX_PATH];
    if (!MakeOwnPath(kMemoryName, path))
        return false;
    ListText text(kEscaped);
    memory.Write(text);
    int size = 0;
    char* bytes = ToUtf8(text.GetText(), text.GetLength(), &size);  // owned; freed below
    bool saved = bytes && text.IsWhole() && WriteWholeFile(path, bytes, size);
    delete[] bytes;
    return saved;
}
