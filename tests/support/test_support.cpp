// Test helpers shared by the test programs; nothing here knows the product beyond the Win32 calls.
#include "support/test_support.h"

#include <shlobj.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

void RequireSafeShellFolders()
{
    const char* wine = std::getenv("QD_WINE_ENV");
    const char* redirected = std::getenv("QD_TEST_FOLDERS_REDIRECTED");
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    if ((wine && GetProcAddress(ntdll, "wine_get_version")) || (redirected && !std::strcmp(redirected, "1")))
        return;
    std::fprintf(stderr, "Refusing to run: these tests write the Send To and Startup folders. Run them\n"
                         "through scripts/test.sh, or redirect those folders and set QD_TEST_FOLDERS_REDIRECTED=1.\n");
    std::exit(3);
}

std::string ShellFolderPath(int csidl)
{
    char path[MAX_PATH] = "";
    return SHGetSpecialFolderPathA(0, path, csidl, TRUE) ? path : "";
}

namespace {

// The \\?\ form reaches names past MAX_PATH and names the code page cannot hold.
std::wstring LongForm(const std::string& dir) { return L"\\\\?\\" + Wide(dir); }

template <typename Visit>
void ForEachEntry(const std::wstring& dir, Visit visit)
{
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((dir + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if (wcscmp(found.cFileName, L".") && wcscmp(found.cFileName, L".."))
            visit(dir + L"\\" + found.cFileName, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0);
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

void EmptyWide(const std::wstring& dir)
{
    ForEachEntry(dir, [](const std::wstring& path, bool folder) {
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (folder) {
            EmptyWide(path);
            RemoveDirectoryW(path.c_str());
        } else {
            DeleteFileW(path.c_str());
        }
    });
}

void CollectWide(const std::wstring& dir, std::map<std::wstring, std::string>& contents)
{
    ForEachEntry(dir, [&contents](const std::wstring& path, bool folder) {
        if (folder)
            return CollectWide(path, contents);
        HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, 0, OPEN_EXISTING, 0, 0);
        char chunk[4096];
        DWORD read = 0;
        std::string& bytes = contents[path];
        while (file != INVALID_HANDLE_VALUE && ReadFile(file, chunk, sizeof(chunk), &read, 0) && read > 0)
            bytes.append(chunk, read);
        CloseHandle(file);
    });
}

}  // namespace

void EmptyFolder(const std::string& dir)
{
    // A short or relative path could be a drive root, and Wine's Z: is the host's root.
    if (dir.size() < 4 || dir[1] != ':' || dir[2] != '\\')
        std::abort();
    EmptyWide(LongForm(dir));
}

std::map<std::wstring, std::string> TreeContents(const std::string& dir)
{
    std::map<std::wstring, std::string> contents;
    CollectWide(LongForm(dir), contents);
    return contents;
}

bool WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream file(path.c_str(), std::ios::binary);
    return file.write(bytes.data(), bytes.size()).good();
}

std::string ReadFileBytes(const std::string& path)
{
    std::ifstream file(path.c_str(), std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string TestDataPath(const std::string& relative)
{
    std::string path = std::string(std::getenv("QD_TEST_DATA") ? std::getenv("QD_TEST_DATA") : ".") + "\\" + relative;
    for (char& c : path)
        c = c == '/' ? '\\' : c;
    return path;
}

std::string ProgramPath()
{
    if (std::getenv("QD_PROGRAM"))
        return std::getenv("QD_PROGRAM");
    char self[MAX_PATH] = "", full[MAX_PATH] = "";
    char* name = 0;
    GetModuleFileNameA(0, self, sizeof(self));
    GetFullPathNameA(self, sizeof(full), full, &name);
    return name ? std::string(full, name) + "Quiverdesk.exe" : "";
}

std::string Ansi(const char* utf8)
{
    wchar_t wide[1024] = L"";
    char ansi[2048] = "";
    MultiByteToWideChar(CP_UTF8, 0, utf8, -1, wide, 1024);
    WideCharToMultiByte(CP_ACP, 0, wide, -1, ansi, sizeof(ansi), 0, 0);
    return ansi;
}

std::wstring Wide(const std::string& ansi)
{
    wchar_t wide[1024] = L"";
    MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, wide, 1024);
    return wide;
}

void HoldKeys(std::initializer_list<int> keys)
{
    BYTE state[256] = {};
    for (int key : keys)
        state[key] = 0x80;
    SetKeyboardState(state);
}

namespace {

// Every slot of this program's import table that calls dll!function gets replacement.
void* PatchImport(const char* dllName, const char* functionName, void* replacement)
{
    BYTE* base = reinterpret_cast<BYTE*>(GetModuleHandleA(0));
    IMAGE_NT_HEADERS* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    DWORD rva = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
    void* original = 0;
    for (IMAGE_IMPORT_DESCRIPTOR* dll = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + rva); rva && dll->Name; ++dll) {
        if (_strnicmp(reinterpret_cast<char*>(base + dll->Name), dllName, std::strlen(dllName)) || !dll->OriginalFirstThunk)
            continue;
        IMAGE_THUNK_DATA* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->OriginalFirstThunk);
        IMAGE_THUNK_DATA* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)
                || std::strcmp(reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData)->Name, functionName))
                continue;
            DWORD protection = 0;
            VirtualProtect(&slots->u1.Function, sizeof(slots->u1.Function), PAGE_READWRITE, &protection);
            original = reinterpret_cast<void*>(slots->u1.Function);
            slots->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
            VirtualProtect(&slots->u1.Function, sizeof(slots->u1.Function), protection, &protection);
        }
    }
    return original;
}

DialogAnswerer* g_answerer = 0;  // a thread timer's callback has no context of its own

}  // namespace

ScopedImportPatch::ScopedImportPatch(const char* dllName, const char* functionName, void* replacement)
    : m_dll(dllName), m_function(functionName), m_original(PatchImport(dllName, functionName, replacement))
{
    if (!m_original)
        std::fprintf(stderr, "no import %s!%s to patch\n", dllName, functionName), std::abort();
}

ScopedImportPatch::~ScopedImportPatch() { PatchImport(m_dll.c_str(), m_function.c_str(), m_original); }

DialogAnswerer::DialogAnswerer(int defaultAnswer)
    : m_default(defaultAnswer), m_answered(0), m_last(0), m_timer(SetTimer(0, 0, 50, OnTimer))
{
    g_answerer = this;
}

DialogAnswerer::~DialogAnswerer()
{
    KillTimer(0, m_timer);
    g_answerer = 0;
}

void CALLBACK DialogAnswerer::OnTimer(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_answerer)
        EnumThreadWindows(GetCurrentThreadId(), Answer, 0);
}

BOOL CALLBACK DialogAnswerer::Answer(HWND dialog, LPARAM)
{
    char className[16] = "";
    GetClassNameA(dialog, className, sizeof(className));
    if (std::strcmp(className, "#32770") || !IsWindowVisible(dialog) || !IsWindowEnabled(dialog) || dialog == g_answerer->m_last)
        return TRUE;
    int answer = g_answerer->m_default;
    if (!g_answerer->m_queue.empty()) {
        answer = g_answerer->m_queue.front();
        g_answerer->m_queue.pop_front();
    }
    g_answerer->m_last = dialog;
    ++g_answerer->m_answered;
    // Posted: the dialog closes, or opens the next one, in its own loop after this returns.
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, answer)));
    return FALSE;
}
