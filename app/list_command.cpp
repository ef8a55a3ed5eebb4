#include "app/list_command.h"

#include <windows.h>
#include <objbase.h>
#include <shellapi.h>

#include "commands/entry_marks.h"
#include "commands/export_rows.h"
#include "res/resource_ids.h"

namespace {

bool IsSwitch(const wchar_t* word, const wchar_t* name)
{
    return (word[0] == L'/' || word[0] == L'-') && CompareStringOrdinal(word + 1, -1, name, -1, TRUE) == CSTR_EQUAL;
}

// The parent's console, when there is one and the output is not redirected: a window program
// has none of its own.
HANDLE OutputHandle(DWORD which)
{
    HANDLE handle = GetStdHandle(which);
    if (handle && handle != INVALID_HANDLE_VALUE)
        return handle;
    handle = CreateFileW(L"CONOUT$", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, 0, OPEN_EXISTING, 0, 0);
    return handle;
}

// A console takes the text in UTF-16, whole whatever its code page; a file or a pipe takes UTF-8.
bool WriteOut(DWORD which, const wchar_t* text, int length)
{
    HANDLE out = OutputHandle(which);
    if (out == INVALID_HANDLE_VALUE)
        return false;
    DWORD mode = 0;
    DWORD written = 0;
    if (GetConsoleMode(out, &mode)) {
        // In pieces: Windows 7's console refuses a write of more than some 64 KB whole. A pair of
        // surrogates stays in one piece.
        const int kPiece = 8192;
        while (length > 0) {
            int piece = length < kPiece ? length : kPiece;
            if (piece < length && IS_HIGH_SURROGATE(text[piece - 1]))
                --piece;
            if (!WriteConsoleW(out, text, piece, &written, 0))
                return false;
            text += piece;
            length -= piece;
        }
        return true;
    }
    int size = 0;
    char* bytes = ToUtf8(text, length, &size);  // owned; freed below
    bool whole = bytes && WriteFile(out, bytes, size, &written, 0) && written == static_cast<DWORD>(size);
    delete[] bytes;
    return whole;
}

int ShowUsage(DWORD which, int exitCode)
{
    wchar_t usage[1024] = L"";
    WriteOut(which, usage, LoadStringW(GetModuleHandleW(0), IDS_USAGE, usage, 1024));
    return exitCode;
}

int ListRows(const wchar_t* file)
{
    bool com = SUCCEEDED(CoInitialize(0));
    // The marks the window would show, from the memory as it is: a listing here changes nothing.
    LoadEntryMemory(false);
    ListText text(file ? kCommaSeparated : kTabSeparated);
    ListEveryTab(text);
    bool done = false;
    if (!file) {
        done = text.IsWhole() && WriteOut(STD_OUTPUT_HANDLE, text.GetText(), text.GetLength());
    } else if (text.IsWhole()) {
        int size = 0;
        char* bytes = ToUtf8(text.GetText(), text.GetLength(), &size);  // owned; freed below
        done = bytes && WriteWholeFile(file, bytes, size);
        delete[] bytes;
    }
    if (com)
        CoUninitialize();
    return done ? 0 : 1;
}

}  // namespace

bool RunCommandLine(int* exitCode)
{
    int count = 0;
    wchar_t** words = CommandLineToArgvW(GetCommandLineW(), &count);  // owned; LocalFree below
    if (!words)
        return false;
    const wchar_t* first = count > 1 ? words[1] : L"";
    bool asked = first[0] == L'/' || first[0] == L'-';
    if (!asked || IsSwitch(first, L"startup")) {
        LocalFree(words);
        return false;
    }
    AttachConsole(ATTACH_PARENT_PROCESS);
    if (IsSwitch(first, L"list") && count <= 3)
        *exitCode = ListRows(count == 3 ? words[2] : 0);
    else if (IsSwitch(first, L"?") && count == 2)
        *exitCode = ShowUsage(STD_OUTPUT_HANDLE, 0);
    else
        *exitCode = ShowUsage(STD_ERROR_HANDLE, 2);
    LocalFree(words);
    return true;
}
