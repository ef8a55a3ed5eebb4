// The shared test helpers; the product is reached only through its window and its globals.
#include "support/support.h"

#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include "controls/main_tabs.h"
#include "app/main_window.h"
#include "controls/shortcut_view.h"
#include "controls/status_bar.h"
#include "model/shortcut_file.h"
#include "model/shortcut_list.h"

namespace {

// The \\?\ form reaches names past MAX_PATH and names the code page cannot hold.
template <typename Visit>
void ForEachEntry(const std::wstring& dir, Visit visit)
{
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((dir + L"\\*").c_str(), &found);
    for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileW(search, &found)) {
        if (wcscmp(found.cFileName, L".") && wcscmp(found.cFileName, L".."))
            visit(dir + L"\\" + found.cFileName, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0);
    }
    FindClose(search);
}

void EmptyWide(const std::wstring& dir)
{
    ForEachEntry(dir, [](const std::wstring& path, bool folder) {
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        folder ? (EmptyWide(path), RemoveDirectoryW(path.c_str())) : DeleteFileW(path.c_str());
    });
}

void CollectWide(const std::wstring& dir, std::map<std::wstring, std::string>& contents)
{
    ForEachEntry(dir, [&contents](const std::wstring& path, bool folder) {
        if (folder)
            return CollectWide(path, contents);
        HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, 0, OPEN_EXISTING, 0, 0);
        char chunk[4096];
        for (DWORD read = 0; ReadFile(file, chunk, sizeof(chunk), &read, 0) && read > 0;)
            contents[path].append(chunk, read);
        CloseHandle(file);
    });
}

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
        IMAGE_THUNK_DATA* slot = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slot) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)
                || std::strcmp(reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData)->Name, functionName))
                continue;
            DWORD protection = 0;
            VirtualProtect(&slot->u1.Function, sizeof(slot->u1.Function), PAGE_READWRITE, &protection);
            original = reinterpret_cast<void*>(slot->u1.Function);
            slot->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
            VirtualProtect(&slot->u1.Function, sizeof(slot->u1.Function), protection, &protection);
        }
    }
    return original;
}

DialogAnswerer* g_answerer = 0;  // a thread timer's callback has no context of its own

BOOL CALLBACK Answer(HWND dialog, LPARAM)
{
    char className[16] = "";
    GetClassNameA(dialog, className, sizeof(className));
    if (std::strcmp(className, "#32770") || !IsWindowVisible(dialog) || dialog == g_answerer->last)
        return TRUE;
    int answer = g_answerer->queue.empty() ? g_answerer->otherwise : g_answerer->queue.front();
    if (!g_answerer->queue.empty())
        g_answerer->queue.pop_front();
    g_answerer->last = dialog;
    ++g_answerer->answered;
    // Posted: the dialog closes, or opens the next one, in its own loop after this returns.
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, answer)));
    return FALSE;
}

void CALLBACK OnAnswerTimer(HWND, UINT, UINT_PTR, DWORD) { EnumThreadWindows(GetCurrentThreadId(), Answer, 0); }

}  // namespace

void EmptyFolder(const std::string& dir)
{
    if (dir.size() < 4 || dir[1] != ':' || dir[2] != '\\')  // a drive root, or Wine's Z:, the host's root
        std::abort();
    EmptyWide(L"\\\\?\\" + Wide(dir));
}

std::map<std::wstring, std::string> TreeContents(const std::string& dir)
{
    std::map<std::wstring, std::string> contents;
    CollectWide(L"\\\\?\\" + Wide(dir), contents);
    return contents;
}

bool WriteBytes(const std::string& path, const std::string& bytes)
{
    return std::ofstream(path.c_str(), std::ios::binary).write(bytes.data(), bytes.size()).good();
}

std::string ReadFileBytes(const std::string& path)
{
    std::ostringstream bytes;
    bytes << std::ifstream(path.c_str(), std::ios::binary).rdbuf();
    return bytes.str();
}

std::string TestDataPath(const std::string& relative)
{
    std::string path = std::string(std::getenv("QD_TEST_DATA") ? std::getenv("QD_TEST_DATA") : ".") + "\\" + relative;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
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

void PumpMessages(DWORD ms)
{
    DWORD start = GetTickCount();
    do {
        for (MSG message; PeekMessageA(&message, 0, 0, 0, PM_REMOVE);) {
            if (message.message != WM_QUIT)
                TranslateMessage(&message), DispatchMessageA(&message);
        }
    } while (GetTickCount() - start < ms && MsgWaitForMultipleObjects(0, 0, FALSE, 10, QS_ALLINPUT) != WAIT_FAILED);
}

ImportPatch::ImportPatch(const char* dll, const char* function, void* replacement)
    : m_dll(dll), m_function(function), m_original(PatchImport(dll, function, replacement))
{
    if (!m_original)
        std::fprintf(stderr, "no import %s!%s to patch\n", dll, function), std::abort();
}

ImportPatch::~ImportPatch() { PatchImport(m_dll.c_str(), m_function.c_str(), m_original); }

DialogAnswerer::DialogAnswerer(std::deque<int> answers, int otherwise)
    : queue(answers), otherwise(otherwise), timer(SetTimer(0, 0, 50, OnAnswerTimer))
{
    g_answerer = this;
}

DialogAnswerer::~DialogAnswerer() { KillTimer(0, timer), g_answerer = 0; }

MainWindow::MainWindow(int showCommand)
{
    static bool registered = (LoadMainWindowTexts(GetModuleHandleA(0)), RegisterMainClass(GetModuleHandleA(0)), true);
    handle = registered ? CreateMainWindow(GetModuleHandleA(0), showCommand) : 0;
    PumpMessages();
}

MainWindow::~MainWindow()
{
    if (IsWindow(handle))
        DestroyWindow(handle);
    PumpMessages();
}

void MainWindow::ClickTab(int index) const
{
    RECT rect = {};
    SendMessageA(g_hTabs, TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect));
    LPARAM centre = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    SendMessageA(g_hTabs, WM_LBUTTONDOWN, MK_LBUTTON, centre);
    SendMessageA(g_hTabs, WM_LBUTTONUP, 0, centre);
    PumpMessages();
}

void MainWindow::Command(int id) const
{
    SendMessageA(handle, WM_COMMAND, MAKEWPARAM(id, 0), 0);
    PumpMessages();
}

int RowCount() { return static_cast<int>(SendMessageA(g_hListView, LVM_GETITEMCOUNT, 0, 0)); }

std::string RowText(int row, int subItem)
{
    char text[MAX_PATH + 1] = "";
    LVITEMA item = {0, 0, subItem, 0, 0, text, sizeof(text)};
    SendMessageA(g_hListView, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    return text;
}

int RowImage(int row)
{
    LVITEMA item = {LVIF_IMAGE, row};
    SendMessageA(g_hListView, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return item.iImage;
}

void SelectRows(const std::vector<int>& rows)
{
    LVITEMA state = {};
    state.stateMask = LVIS_SELECTED;
    SendMessageA(g_hListView, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
    state.state = LVIS_SELECTED;
    for (int row : rows)
        SendMessageA(g_hListView, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
    PumpMessages();
}

std::string StatusText()
{
    char text[MAX_PATH * 2] = "";
    SendMessageA(g_statusBar.GetWindow(), SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
    return text;
}

std::string RowLinkPath(int row)
{
    LVITEMA item = {LVIF_PARAM, row};
    SendMessageA(g_hListView, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    const ShortcutItem* shortcut = g_shortcutList.GetAt(static_cast<int>(item.lParam));
    return shortcut && shortcut->GetLinkPath() ? shortcut->GetLinkPath() : "";
}

int RowOfLink(const std::string& linkPath)
{
    for (int row = 0; row < RowCount(); ++row) {
        if (lstrcmpiA(RowLinkPath(row).c_str(), linkPath.c_str()) == 0)
            return row;
    }
    return -1;
}

std::vector<int> RowsOf(const Names& linkPaths)
{
    std::vector<int> rows;
    for (const std::string& link : linkPaths)
        rows.push_back(RowOfLink(link));
    return rows;
}

void Drop(const MainWindow& window, const Names& paths)
{
    std::string list;
    for (const std::string& path : paths)
        list += path + '\0';
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + list.size() + 1);
    DROPFILES* header = static_cast<DROPFILES*>(GlobalLock(memory));
    header->pFiles = sizeof(DROPFILES);
    CopyMemory(header + 1, list.data(), list.size());
    GlobalUnlock(memory);
    SendMessageA(window.handle, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
    PumpMessages();
}

const char kScratchFolder[] = "C:\\qdtest";

void ShellFolderTest::SetUp()
{
    const char* redirected = std::getenv("QD_TEST_FOLDERS_REDIRECTED");
    if (!(std::getenv("QD_WINE_ENV") && GetProcAddress(GetModuleHandleA("ntdll"), "wine_get_version"))
        && !(redirected && !std::strcmp(redirected, "1"))) {
        std::fprintf(stderr, "Refusing to touch the Send To and Startup folders outside scripts/test.sh's Wine\n"
                             "prefix; redirect them and set QD_TEST_FOLDERS_REDIRECTED=1 to run elsewhere.\n");
        std::exit(3);
    }
    char sendTo[MAX_PATH] = "", startup[MAX_PATH] = "";
    ASSERT_TRUE(SHGetSpecialFolderPathA(0, sendTo, CSIDL_SENDTO, TRUE) && SHGetSpecialFolderPathA(0, startup, CSIDL_STARTUP, TRUE));
    m_sendTo = sendTo;
    m_startup = startup;
    CreateDirectoryA(kScratchFolder, 0);
    TearDown();
}

void ShellFolderTest::TearDown()
{
    EmptyFolder(m_sendTo);
    EmptyFolder(m_startup);
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\StartupFolder");
    EmptyFolder(kScratchFolder);
}

std::string ScratchFile(const std::string& relative)
{
    std::string path = std::string(kScratchFolder) + "\\" + relative;
    EXPECT_TRUE(WriteBytes(path, "x")) << path;
    return path;
}

std::string ScratchFolder(const std::string& relative)
{
    std::string path = std::string(kScratchFolder) + "\\" + relative;
    EXPECT_TRUE(CreateDirectoryA(path.c_str(), 0)) << path;
    return path;
}

bool AddSample(const std::string& dir, const std::string& sample, const std::string& name)
{
    std::wstring to = L"\\\\?\\" + Wide(dir + "\\" + (name.empty() ? sample : name));
    return CopyFileW(Wide(TestDataPath("lnk/" + sample)).c_str(), to.c_str(), FALSE) != FALSE;
}

std::string MakeLink(const std::string& folder, const std::string& name, const std::string& target)
{
    std::string path = folder + "\\" + name;
    EXPECT_TRUE(CreateShortcutFile(target.c_str(), "", "", SW_SHOW, path.c_str())) << path;
    return path;
}

Names LinkNames(const std::string& folder, const char* pattern)
{
    Names names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\" + pattern).c_str(), &found);
    for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found)) {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(found.cFileName);
    }
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}
