// What the test programs share, and the one header they include: the real main window built
// in-process and read back through its controls' messages, emptied shell folders, import patches
// that record or fake platform calls, and file helpers that reach names the code page lacks.
#ifndef QUIVERDESK_TESTS_SUPPORT_SUPPORT_H
#define QUIVERDESK_TESTS_SUPPORT_SUPPORT_H

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/main_window.h"
#include "app/quiverdesk.h"
#include "controls/main_tabs.h"
#include "controls/shortcut_view.h"
#include "controls/status_bar.h"
#include "controls/tool_bar.h"
#include "model/heap_string.h"
#include "model/object_array.h"
#include "model/shortcut_file.h"
#include "model/shortcut_item.h"
#include "model/shortcut_list.h"

typedef std::vector<std::string> Names;
constexpr char kScratchFolder[] = "C:\\qdtest";
constexpr char kSwitchKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\StartupFolder";

// Tests write wide text; the program speaks the ANSI code page.
inline std::string Ansi(const std::wstring& wide)
{
    char ansi[2048] = "";
    WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, ansi, sizeof(ansi), 0, 0);
    return ansi;
}

inline std::wstring Wide(const std::string& ansi)
{
    wchar_t wide[1024] = L"";
    MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, wide, 1024);
    return wide;
}

// What "nothing lost" compares: every file under dir, with its bytes.
inline std::map<std::wstring, std::string> TreeContents(const std::string& dir)
{
    std::map<std::wstring, std::string> contents;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(Wide(dir))) {
        if (entry.is_regular_file()) {
            std::ifstream file(entry.path(), std::ios::binary);
            contents[entry.path().wstring()].assign(std::istreambuf_iterator<char>(file), {});
        }
    }
    return contents;
}

inline bool WriteBytes(const std::string& path, const std::string& bytes)
{
    return std::ofstream(std::filesystem::path(Wide(path)), std::ios::binary).write(bytes.data(), bytes.size()).good();
}

inline std::string TestDataPath(const std::string& relative)
{
    const char* data = std::getenv("QD_TEST_DATA");
    return std::string(data ? data : ".") + "\\" + relative;
}

// As GetKeyState reports them.
inline void HoldKeys(std::initializer_list<int> keys)
{
    BYTE state[256] = {};
    for (int key : keys)
        state[key] = 0x80;
    SetKeyboardState(state);
}

// Leaves a quit message to the loop that waits for it, as a dialog's own loop would.
inline void PumpMessages()
{
    for (MSG message; PeekMessageA(&message, 0, 0, 0, PM_REMOVE);) {
        if (message.message == WM_QUIT)
            return PostQuitMessage(static_cast<int>(message.wParam));
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// "outer width, outer height, column widths" of a main window, in this process or another.
inline std::string Frame(HWND mainWindow)
{
    RECT outer = {};
    GetWindowRect(mainWindow, &outer);
    HWND list = FindWindowExA(mainWindow, 0, WC_LISTVIEWA, 0);
    char text[64];
    wsprintfA(text, "%ld %ld %d %d %d", outer.right - outer.left, outer.bottom - outer.top, ListView_GetColumnWidth(list, 0),
              ListView_GetColumnWidth(list, 1), ListView_GetColumnWidth(list, 2));
    return text;
}

// Points one of this program's import slots at replacement while alive; original, when given,
// receives what the slot held. Every call the statically linked product makes to a DLL function
// goes through its slot, which the linker names __imp_ and the function's name (declared below).
// A captureless lambda, made a function pointer with +, may stand for replacement.
template <typename F>
class ImportPatch {
public:
    ImportPatch(F& slot, F replacement, F* original = 0) : m_slot(slot), m_saved(slot)
    {
        if (original)
            *original = slot;
        Set(replacement);
    }
    ~ImportPatch() { Set(m_saved); }

private:
    void Set(F function)
    {
        DWORD protection = 0;
        VirtualProtect(&m_slot, sizeof(m_slot), PAGE_READWRITE, &protection);
        m_slot = function;
        VirtualProtect(&m_slot, sizeof(m_slot), protection, &protection);
    }
    F& m_slot;
    F m_saved;
};

extern "C" decltype(&CoUninitialize) __imp_CoUninitialize;
extern "C" decltype(&DragFinish) __imp_DragFinish;
extern "C" decltype(&FindFirstFileA) __imp_FindFirstFileA;
extern "C" decltype(&FindNextFileA) __imp_FindNextFileA;
extern "C" decltype(&GetFileAttributesA) __imp_GetFileAttributesA;
extern "C" decltype(&HeapReAlloc) __imp_HeapReAlloc;
extern "C" decltype(&MessageBoxA) __imp_MessageBoxA;
extern "C" decltype(&SHFileOperationA) __imp_SHFileOperationA;
extern "C" decltype(&ShellExecuteA) __imp_ShellExecuteA;
extern "C" decltype(&ShellExecuteExA) __imp_ShellExecuteExA;
extern "C" decltype(&ShowWindow) __imp_ShowWindow;
extern "C" decltype(&TrackPopupMenu) __imp_TrackPopupMenu;

// Every call that hands the shell a file name, as "verb: name"; a delete says "recycle" when it
// can be undone. The operations still happen, as the user confirms them.
inline Names g_calls;
inline decltype(&SHFileOperationA) g_fileOperation;

struct ShellRecorder {
    ImportPatch<decltype(&SHFileOperationA)> fileOperation{__imp_SHFileOperationA, +[](LPSHFILEOPSTRUCTA operation) {
        const char* verb = operation->wFunc == FO_RENAME ? "rename: " : operation->fFlags & FOF_ALLOWUNDO ? "recycle: " : "delete: ";
        g_calls.push_back(verb + std::string(operation->pFrom));
        // The confirmation runs a message loop while it waits for the user, who says yes.
        PumpMessages();
        operation->fFlags |= FOF_NOCONFIRMATION;
        return g_fileOperation(operation);
    }, &g_fileOperation};
    ImportPatch<decltype(&ShellExecuteA)> execute{__imp_ShellExecuteA, +[](HWND, LPCSTR verb, LPCSTR file, LPCSTR, LPCSTR, INT) {
        g_calls.push_back(std::string(verb) + ": " + file);
        return reinterpret_cast<HINSTANCE>(42);  // above 32: done
    }};
    ImportPatch<decltype(&ShellExecuteExA)> executeEx{__imp_ShellExecuteExA, +[](SHELLEXECUTEINFOA* info) {
        g_calls.push_back(std::string(info->lpVerb) + ": " + info->lpFile);
        return TRUE;
    }};
    ShellRecorder() { g_calls.clear(); }
};

inline int RowCount() { return static_cast<int>(SendMessageA(g_hListView, LVM_GETITEMCOUNT, 0, 0)); }

inline std::string RowText(int row, int subItem)
{
    char text[MAX_PATH + 1] = "";
    ListView_GetItemText(g_hListView, row, subItem, text, sizeof(text));
    return text;
}

inline void SelectRows(const std::vector<int>& rows)
{
    ListView_SetItemState(g_hListView, -1, 0, LVIS_SELECTED);
    for (int row : rows)
        ListView_SetItemState(g_hListView, row, LVIS_SELECTED, LVIS_SELECTED);
    PumpMessages();
}

// The file of the row's item, as every command finds it; empty when no command may act on it.
inline std::string RowLinkPath(int row)
{
    const ShortcutItem* item = GetRowItem(row);
    return item ? item->GetLinkPath() : "";
}

// The row of each link, -1 for one no row names.
inline std::vector<int> RowsOf(const Names& linkPaths)
{
    std::vector<int> rows;
    for (const std::string& link : linkPaths) {
        int row = RowCount() - 1;
        while (row >= 0 && lstrcmpiA(RowLinkPath(row).c_str(), link.c_str()) != 0)
            --row;
        rows.push_back(row);
    }
    return rows;
}

// Empties Send To, Startup and the scratch tree around each test, and refuses to run outside
// the Wine prefix the scripts made unless QD_TEST_FOLDERS_REDIRECTED=1.
class ShellFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* redirected = std::getenv("QD_TEST_FOLDERS_REDIRECTED");
        bool ownPrefix = std::getenv("QD_WINE_ENV") && GetProcAddress(GetModuleHandleA("ntdll"), "wine_get_version");
        if (!ownPrefix && !(redirected && std::string(redirected) == "1")) {
            std::fprintf(stderr, "Refusing to touch the Send To and Startup folders outside scripts/test.sh's Wine\n"
                                 "prefix; redirect them and set QD_TEST_FOLDERS_REDIRECTED=1 to run elsewhere.\n");
            std::exit(3);
        }
        char sendTo[MAX_PATH] = "", startup[MAX_PATH] = "";
        ASSERT_TRUE(SHGetSpecialFolderPathA(0, sendTo, CSIDL_SENDTO, TRUE) && SHGetSpecialFolderPathA(0, startup, CSIDL_STARTUP, TRUE));
        m_sendTo = sendTo;
        m_startup = startup;
        CreateDirectoryA(kScratchFolder, 0);
        EmptyFolders();
    }
    void TearDown() override { EmptyFolders(); }
    void EmptyFolders() const
    {
        for (const std::string& dir : {m_sendTo, m_startup, std::string(kScratchFolder)}) {
            if (dir.size() < 4 || dir[1] != ':' || dir[2] != '\\')  // a drive root, or Wine's Z:, the host's root
                std::abort();
            for (const auto& entry : std::filesystem::directory_iterator(Wide(dir)))
                std::filesystem::remove_all(entry.path());
        }
        RegDeleteKeyA(HKEY_CURRENT_USER, kSwitchKey);
    }
    struct Com { Com() { CoInitialize(0); } ~Com() { CoUninitialize(); } } m_com;
    std::string m_sendTo, m_startup;
};

inline bool g_laidOutAtShow = false;
inline decltype(&ShowWindow) g_showWindow;

// The real main window over the emptied folders, built in this process as WinMain builds it.
class MainWindowTest : public ShellFolderTest {
protected:
    void SetUp() override
    {
        ShellFolderTest::SetUp();
        HINSTANCE instance = GetModuleHandleA(0);
        LoadMainWindowTexts(instance);
        RegisterMainClass(instance);  // from the second test on, it fails harmlessly
        // Whether the list view already lay on the tab's page when the window first showed.
        ImportPatch show(__imp_ShowWindow, +[](HWND window, int command) {
            RECT list, page;
            GetWindowRect(g_hListView, &list);
            GetClientRect(g_hTabs, &page);
            SendMessageA(g_hTabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&page));
            MapWindowPoints(g_hTabs, 0, reinterpret_cast<POINT*>(&page), 2);
            g_laidOutAtShow = EqualRect(&list, &page);
            return g_showWindow(window, command);
        }, &g_showWindow);
        m_window = CreateMainWindow(instance, SW_SHOWNORMAL);
        PumpMessages();
    }
    void TearDown() override
    {
        if (IsWindow(m_window))
            DestroyWindow(m_window);
        PumpMessages();
        ShellFolderTest::TearDown();
    }
    // Button down and up on the tab, as the user clicks.
    void ClickTab(int index) const
    {
        RECT rect = {};
        SendMessageA(g_hTabs, TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect));
        LPARAM centre = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
        SendMessageA(g_hTabs, WM_LBUTTONDOWN, MK_LBUTTON, centre);
        SendMessageA(g_hTabs, WM_LBUTTONUP, 0, centre);
        PumpMessages();
    }
    void Command(int id) const
    {
        SendMessageA(m_window, WM_COMMAND, MAKEWPARAM(id, 0), 0);
        PumpMessages();
    }
    HWND m_window = 0;
};

// A one-byte file.
inline std::string ScratchFile(const std::string& relative)
{
    std::string path = std::string(kScratchFolder) + "\\" + relative;
    EXPECT_TRUE(WriteBytes(path, "x")) << path;
    return path;
}

inline std::string ScratchFolder(const std::string& relative)
{
    std::string path = std::string(kScratchFolder) + "\\" + relative;
    EXPECT_TRUE(CreateDirectoryA(path.c_str(), 0)) << path;
    return path;
}

inline bool AddSample(const std::string& dir, const std::string& sample, const std::string& name = "")
{
    std::string to = dir + "\\" + (name.empty() ? sample : name);
    return CopyFileA(TestDataPath("lnk\\" + sample).c_str(), to.c_str(), FALSE) != FALSE;
}

inline std::string MakeLink(const std::string& folder, const std::string& name, const std::string& target)
{
    std::string path = folder + "\\" + name;
    EXPECT_TRUE(CreateShortcutFile(target.c_str(), "", "", SW_SHOW, path.c_str())) << path;
    return path;
}

// The *.lnk files of folder, sorted.
inline Names LinkNames(const std::string& folder)
{
    Names names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*.lnk").c_str(), &found);
    for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found))
        names.push_back(found.cFileName);
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

#endif
