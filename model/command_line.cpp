// SplitCommandLine: shell32's evaluation looked up at run time, since Windows before Vista and
// Wine lack it, and CreateProcess's own reading where it is missing. Only local fixed drives are
// probed: a share, or a removable or absent drive, could keep the program waiting.
#include "model/command_line.h"

#include <windows.h>
#include <objbase.h>

#include <new>

#include "model/local_drive.h"
#include "model/native_view.h"

namespace {

typedef HRESULT(WINAPI* EvaluateProc)(PCWSTR, PWSTR*, PWSTR*, PWSTR*);

bool IsBlank(wchar_t c)
{
    return c == L' ' || c == L'\t';
}

const wchar_t* SkipBlanks(const wchar_t* text)
{
    while (IsBlank(*text))
        ++text;
    return text;
}

void AssignPart(HeapString& text, const wchar_t* start, const wchar_t* end)
{
    int length = static_cast<int>(end - start);
    wchar_t* part = new (std::nothrow) wchar_t[length + 1];  // owned; freed below
    if (part)
        lstrcpynW(part, start, length + 1);
    text.Assign(part ? part : L"");
    delete[] part;
}

// Looked up once: a listing asks for every Run value.
EvaluateProc FindEvaluate()
{
    static bool looked = false;
    static EvaluateProc evaluate = 0;
    if (!looked) {
        // An import of the program, so loaded for its life: the function is called until the end.
        HMODULE shell32 = GetModuleHandleW(L"shell32.dll");
        evaluate = shell32 ? reinterpret_cast<EvaluateProc>(
                       reinterpret_cast<void*>(GetProcAddress(shell32, "SHEvaluateSystemCommandTemplate")))
                           : 0;
        looked = true;
    }
    return evaluate;
}

bool Evaluate(const wchar_t* commandLine, HeapString& program, HeapString& arguments)
{
    EvaluateProc evaluate = FindEvaluate();
    PWSTR application = 0;  // owned by the task allocator, as are the parameters
    PWSTR parameters = 0;
    bool evaluated =
        evaluate && SUCCEEDED(evaluate(commandLine, &application, 0, &parameters)) && application && application[0];
    if (evaluated) {
        program.Assign(application);
        arguments.Assign(SkipBlanks(parameters ? parameters : L""));
    }
    CoTaskMemFree(application);
    CoTaskMemFree(parameters);
    return evaluated;
}

// Every run of words of a command line begins where the line does: its drive is asked about once.
bool MayProbe(const wchar_t* name)
{
    if (name[0] == L'\\' || name[0] == L'/')
        return false;
    return !name[0] || name[1] != L':' || IsLocalFixedDrive(name[0]);
}

// The file CreateProcess would run for the text from start to end, found as a file in the
// folders of searchPath.
bool FindProgram(const wchar_t* start, const wchar_t* end, const HeapString& searchPath, HeapString& program)
{
    wchar_t name[MAX_PATH];
    wchar_t found[MAX_PATH];
    int length = static_cast<int>(end - start);
    if (length <= 0 || length >= MAX_PATH)
        return false;
    // No folder left to look in: the system's own search would probe the drives left out.
    if (!searchPath.GetLength())
        return false;
    lstrcpynW(name, start, length + 1);
    DWORD attributes = INVALID_FILE_ATTRIBUTES;
    {
        NativeFileSystemView native;
        DWORD foundLength = SearchPathW(searchPath.GetBuffer(), name, L".exe", MAX_PATH, found, 0);
        if (foundLength && foundLength < MAX_PATH)
            attributes = GetFileAttributesW(found);
    }
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    program.Assign(found);
    return true;
}

bool EndsWithExe(const wchar_t* start, const wchar_t* end)
{
    return end - start > 4 && CompareStringOrdinal(end - 4, 4, L".exe", 4, TRUE) == CSTR_EQUAL;
}

}  // namespace

void MakeProgramFolders(ProgramFolders& searchPath)
{
    searchPath.folders.Clear();
    searchPath.leftOut = false;
    const DWORD kLongest = 32767;                             // an environment variable's longest value
    wchar_t* folders = new (std::nothrow) wchar_t[kLongest];  // owned; freed below
    DWORD length =
        folders ? ExpandEnvironmentStringsW(L"%SystemRoot%\\system32;%SystemRoot%;%PATH%", folders, kLongest) : 0;
    if (!length || length > kLongest) {
        delete[] folders;
        searchPath.leftOut = true;
        return;
    }
    for (wchar_t* folder = folders; *folder;) {
        wchar_t* next = folder;
        while (*next && *next != L';')
            ++next;
        bool last = !*next;
        *next = L'\0';
        // PATH may quote a folder; the search path may not.
        if (*folder == L'"' && next - folder >= 2 && next[-1] == L'"') {
            next[-1] = L'\0';
            ++folder;
        }
        if (folder[0] && folder[1] == L':' && IsLocalFixedDrive(folder[0])) {
            searchPath.folders.Append(searchPath.folders.GetLength() ? L";" : L"");
            searchPath.folders.Append(folder);
        } else if (folder[0]) {
            searchPath.leftOut = true;
        }
        folder = last ? next : next + 1;
    }
    delete[] folders;
}

bool SplitCommandLine(const wchar_t* commandLine, const ProgramFolders& searchPath, HeapString& program,
                      HeapString& arguments)
{
    if (!commandLine)
        commandLine = L"";
    const wchar_t* start = SkipBlanks(commandLine);
    bool probe = MayProbe(start + (*start == L'"'));
    // The system's reading looks for the program on disk too: a share or a disc may keep it waiting.
    if (probe && Evaluate(commandLine, program, arguments))
        return true;
    const wchar_t* end = start;  // of the program's text
    const wchar_t* rest = 0;     // past it
    bool found = false;
    if (*start == L'"') {
        ++start;
        for (end = start; *end && *end != L'"';)
            ++end;
        found = probe && FindProgram(start, end, searchPath.folders, program);
        rest = *end ? end + 1 : end;
    } else {
        // Each run of words, shortest first, as CreateProcess tries them; the first word or the
        // first run ending in ".exe" is kept for a program found nowhere.
        const wchar_t* last = start + lstrlenW(start);
        while (last > start && IsBlank(last[-1]))
            --last;
        const wchar_t* likeliest = 0;
        for (const wchar_t* p = start;; ++p) {
            if (p < last && (!IsBlank(*p) || IsBlank(p[-1])))
                continue;
            found = probe && FindProgram(start, p, searchPath.folders, program);
            if (found || !likeliest || (EndsWithExe(start, p) && !EndsWithExe(start, likeliest)))
                likeliest = p;
            if (found || p >= last)
                break;
        }
        end = rest = likeliest;
    }
    if (!found)
        AssignPart(program, start, end);
    arguments.Assign(SkipBlanks(rest));
    return found;
}
