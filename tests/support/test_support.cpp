// Test helpers shared by the test programs; nothing here knows about the product beyond the
// Win32 calls it makes.
#include "support/test_support.h"

#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

bool RunningUnderWine()
{
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version") != 0;
}

void RequireSafeShellFolders()
{
    if (RunningUnderWine())
        return;
    const char* redirected = std::getenv("QD_TEST_FOLDERS_REDIRECTED");
    if (redirected && std::strcmp(redirected, "1") == 0)
        return;
    std::fprintf(stderr,
                 "Refusing to run: these tests create and delete files in the Send To and Startup\n"
                 "folders. Run them under Wine (ctest does), or redirect those folders to scratch\n"
                 "copies and set QD_TEST_FOLDERS_REDIRECTED=1.\n");
    std::fflush(stderr);
    std::exit(3);
}

std::string ShellFolderPath(int csidl)
{
    char path[MAX_PATH] = "";
    if (!SHGetSpecialFolderPathA(0, path, csidl, TRUE))
        return std::string();
    return path;
}

void EmptyFolder(const std::string& dir)
{
    // An empty or root path would empty a whole drive, and Wine's Z: is the host's root.
    if (dir.size() < 4 || dir[1] != ':' || dir[2] != '\\') {
        fprintf(stderr, "EmptyFolder: refusing to empty '%s'\n", dir.c_str());
        abort();
    }
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((dir + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        std::string name = found.cFileName;
        if (name == "." || name == "..")
            continue;
        std::string path = dir + "\\" + name;
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            EmptyFolder(path);
            RemoveDirectoryA(path.c_str());
        } else {
            DeleteFileA(path.c_str());
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

bool WriteBytes(const std::string& path, const void* data, size_t size)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, 0, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, 0);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    BOOL ok = WriteFile(file, data, static_cast<DWORD>(size), &written, 0);
    CloseHandle(file);
    return ok && written == size;
}

std::string ReadFileBytes(const std::string& path)
{
    std::string bytes;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, 0, OPEN_EXISTING, 0, 0);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    char chunk[4096];
    DWORD read = 0;
    while (ReadFile(file, chunk, sizeof(chunk), &read, 0) && read > 0)
        bytes.append(chunk, read);
    CloseHandle(file);
    return bytes;
}

bool FileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string TestDataPath(const std::string& relative)
{
    const char* root = std::getenv("QD_TEST_DATA");
    if (!root || !*root) {
        std::fprintf(stderr, "QD_TEST_DATA is not set: run the tests through ctest.\n");
        return relative;
    }
    std::string path = std::string(root) + "\\" + relative;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

std::string ProgramPath()
{
    // QD_PROGRAM points the black-box checks at another build, such as the one in a release zip.
    char chosen[MAX_PATH] = "";
    DWORD chosenLength = GetEnvironmentVariableA("QD_PROGRAM", chosen, sizeof(chosen));
    if (chosenLength > 0 && chosenLength < sizeof(chosen))
        return chosen;
    char self[MAX_PATH] = "", full[MAX_PATH] = "";
    char* filePart = 0;
    GetModuleFileNameA(0, self, sizeof(self));
    // GetFullPathNameA finds the file part without scanning double-byte text by hand.
    DWORD length = GetFullPathNameA(self, sizeof(full), full, &filePart);
    if (length == 0 || length >= sizeof(full) || !filePart)
        return std::string();
    return std::string(full, filePart) + "Quiverdesk.exe";
}

ComScope::ComScope() : m_result(CoInitialize(0)) {}

ComScope::~ComScope()
{
    if (SUCCEEDED(m_result))
        CoUninitialize();
}

namespace {

// "shell32" matches "SHELL32.dll" as well as "shell32.dll".
bool SameDll(const char* imported, const char* wanted)
{
    if (lstrcmpiA(imported, wanted) == 0)
        return true;
    return std::strchr(wanted, '.') == 0 && lstrcmpiA(imported, (std::string(wanted) + ".dll").c_str()) == 0;
}

}  // namespace

void* PatchImport(const char* dllName, const char* functionName, void* replacement)
{
    BYTE* base = reinterpret_cast<BYTE*>(GetModuleHandleA(0));
    IMAGE_DOS_HEADER* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    IMAGE_NT_HEADERS* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (imports.VirtualAddress == 0)
        return 0;

    void* original = 0;
    IMAGE_IMPORT_DESCRIPTOR* dll = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
    for (; dll->Name; ++dll) {
        // Without the name table the bound slots can't be told apart.
        if (!dll->OriginalFirstThunk || !SameDll(reinterpret_cast<char*>(base + dll->Name), dllName))
            continue;
        IMAGE_THUNK_DATA* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->OriginalFirstThunk);
        IMAGE_THUNK_DATA* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                continue;
            IMAGE_IMPORT_BY_NAME* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<char*>(byName->Name), functionName) != 0)
                continue;
            DWORD protection = 0;
            if (!VirtualProtect(&slots->u1.Function, sizeof(slots->u1.Function), PAGE_READWRITE, &protection))
                continue;
            void* previous = reinterpret_cast<void*>(slots->u1.Function);
            slots->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
            VirtualProtect(&slots->u1.Function, sizeof(slots->u1.Function), protection, &protection);
            if (!original)
                original = previous;
        }
    }
    return original;
}

ScopedImportPatch::ScopedImportPatch(const char* dllName, const char* functionName, void* replacement)
    : m_dll(dllName), m_function(functionName), m_original(PatchImport(dllName, functionName, replacement))
{
}

ScopedImportPatch::~ScopedImportPatch()
{
    if (m_original)
        PatchImport(m_dll.c_str(), m_function.c_str(), m_original);
}

namespace {

DialogAnswerer* g_activeAnswerer = 0;  // the thread timer's callback has no context of its own

}  // namespace

DialogAnswerer::DialogAnswerer(int defaultAnswer)
    : m_default(defaultAnswer), m_answered(0), m_timer(0)
{
    if (g_activeAnswerer) {
        std::fprintf(stderr, "DialogAnswerer: only one may be alive at a time.\n");
        std::abort();
    }
    g_activeAnswerer = this;
    m_timer = SetTimer(0, 0, 50, OnTimer);
}

DialogAnswerer::~DialogAnswerer()
{
    if (m_timer)
        KillTimer(0, m_timer);
    g_activeAnswerer = 0;
}

DialogAnswerer& DialogAnswerer::Then(int answer)
{
    m_queue.push_back(answer);
    return *this;
}

void CALLBACK DialogAnswerer::OnTimer(HWND, UINT, UINT_PTR, DWORD)
{
    DialogAnswerer* self = g_activeAnswerer;
    if (!self)
        return;
    self->m_pending.erase(std::remove_if(self->m_pending.begin(), self->m_pending.end(),
                                         [](HWND w) { return !IsWindow(w); }),
                          self->m_pending.end());
    EnumThreadWindows(GetCurrentThreadId(), AnswerWindow, reinterpret_cast<LPARAM>(self));
}

BOOL CALLBACK DialogAnswerer::AnswerWindow(HWND window, LPARAM self)
{
    // One dialog per tick: an answer may open the next dialog, which the next tick handles.
    return reinterpret_cast<DialogAnswerer*>(self)->Answer(window) ? FALSE : TRUE;
}

bool DialogAnswerer::Answer(HWND dialog)
{
    char className[16] = "";
    GetClassNameA(dialog, className, sizeof(className));
    if (std::strcmp(className, "#32770") != 0 || !IsWindowVisible(dialog) || !IsWindowEnabled(dialog))
        return false;
    if (std::find(m_pending.begin(), m_pending.end(), dialog) != m_pending.end())
        return false;

    int answer = m_default;
    if (!m_queue.empty()) {
        answer = m_queue.front();
        m_queue.pop_front();
    }
    char title[256] = "";
    GetWindowTextA(dialog, title, sizeof(title));
    m_titles.push_back(title);
    m_pending.push_back(dialog);
    ++m_answered;
    // Posted, not sent: the dialog's reaction (closing, or opening another) runs in its own
    // loop after this callback has returned.
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, answer)));
    return true;
}
