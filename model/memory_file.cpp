#include "model/memory_file.h"

#include <new>

#include "model/entry_memory.h"
#include "model/list_text.h"
#include "model/own_folder.h"

namespace {

const wchar_t kMemoryName[] = L"\\Memory.txt";
// Far beyond what kRemovalsKept and any real folder leave: a larger file is no memory of ours.
const DWORD kLargestMemory = 64 << 20;

// The file's bytes, in a new[] block the caller deletes, and kMemoryFileRead; else null, and
// whether the file is missing, too large to be ours, or unavailable now.
char* ReadWholeFile(const wchar_t* path, int* size, MemoryFileState* state)
{
    *state = kMemoryFileUnavailable;
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, 0, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, 0);
    if (file == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
            *state = kMemoryFileNone;
        return 0;
    }
    DWORD high = 0;
    DWORD length = GetFileSize(file, &high);
    char* bytes = 0;
    if (high || length > kLargestMemory)
        *state = kMemoryFileUntrusted;
    else
        bytes = new (std::nothrow) char[length + 1];
    DWORD done = 0;
    if (bytes && !(ReadFile(file, bytes, length, &done, 0) && done == length)) {
        delete[] bytes;
        bytes = 0;
    }
    CloseHandle(file);
    *size = static_cast<int>(length);
    if (bytes)
        *state = kMemoryFileRead;
    return bytes;
}

}  // namespace

MemoryFileState LoadMemoryFile(EntryMemory& memory, bool setAside, HeapString* setAsidePath)
{
    wchar_t path[MAX_PATH];
    if (!MakeOwnPath(kMemoryName, path))
        return kMemoryFileNone;
    int size = 0;
    MemoryFileState state = kMemoryFileNone;
    char* bytes = ReadWholeFile(path, &size, &state);  // owned; freed below
    if (bytes && !memory.Read(bytes, size))
        state = kMemoryFileUntrusted;
    delete[] bytes;
    if (state != kMemoryFileUntrusted)
        return state;
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
