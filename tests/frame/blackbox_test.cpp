// The real Quiverdesk.exe, started the way a user starts it with prepared folders and inspected
// from this other process: its window, children and rows, the About box, and its exit code.
#include <windows.h>

#include <commctrl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

#include "support/test_support.h"

namespace {

// ﾊﾞｰｼﾞｮﾝ情報 (Version information) in code page 932.
const char kAboutCaption[] = "\xca\xde\xb0\xbc\xde\xae\xdd\x8f\xee\x95\xf1";

const char* const kSendToShortcuts[] = {
    "26-japanese-cp932-local.lnk",
    "06-ansi-stringdata-desc-args.lnk",
    "25-local-desc-quoted-args-space.lnk",
};
const char kStartupShortcut[] = "01-format-doc-example-local-file.lnk";

// Polls until ready() holds; the limit only keeps a hung program from hanging the test.
template <typename Condition>
bool WaitFor(Condition ready)
{
    for (int tries = 0; tries < 1500; ++tries) {
        if (ready())
            return true;
        Sleep(20);
    }
    return ready();
}

std::string ProgramPath()
{
    char self[MAX_PATH] = "";
    GetModuleFileNameA(0, self, sizeof(self));
    // GetFullPathNameA finds the file part without scanning double-byte text by hand.
    char full[MAX_PATH] = "";
    char* filePart = 0;
    DWORD length = GetFullPathNameA(self, sizeof(full), full, &filePart);
    if (length == 0 || length >= sizeof(full) || !filePart)
        return std::string();
    return std::string(full, filePart - full) + "Quiverdesk.exe";
}

struct WindowQuery {
    DWORD processId;
    const char* className;
    HWND found;
};

BOOL CALLBACK MatchTopLevel(HWND window, LPARAM param)
{
    WindowQuery* query = reinterpret_cast<WindowQuery*>(param);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    char className[64] = "";
    GetClassNameA(window, className, sizeof(className));
    if (processId != query->processId || std::strcmp(className, query->className) != 0 || !IsWindowVisible(window))
        return TRUE;
    query->found = window;
    return FALSE;
}

// Other test programs may have their own "QUIVERDESK" windows open, so match by process too.
HWND TopLevelOf(DWORD processId, const char* className)
{
    WindowQuery query = {processId, className, 0};
    EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&query));
    return query.found;
}

// Sent, not GetWindowTextA: that one answers another process's controls from the caption
// it keeps for them, not from the control itself.
std::string TextOf(HWND window)
{
    char text[MAX_PATH + 1] = "";
    SendMessageA(window, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text));
    return text;
}

std::string ClassOf(HWND window)
{
    char name[64] = "";
    GetClassNameA(window, name, sizeof(name));
    return name;
}

// A row's text read through a block in the other process, where the list view can write it.
std::string RemoteRowText(HANDLE process, HWND list, int row, int subItem)
{
    struct Block {
        LVITEMA item;
        char text[MAX_PATH + 1];
    };
    BYTE* remote = static_cast<BYTE*>(VirtualAllocEx(process, 0, sizeof(Block), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    if (!remote)
        return "<no remote block>";
    Block block;
    ZeroMemory(&block, sizeof(block));
    block.item.iSubItem = subItem;
    block.item.pszText = reinterpret_cast<char*>(remote + offsetof(Block, text));
    block.item.cchTextMax = sizeof(block.text);
    WriteProcessMemory(process, remote, &block, sizeof(block), 0);
    SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(remote));
    ReadProcessMemory(process, remote, &block, sizeof(block), 0);
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    block.text[MAX_PATH] = '\0';
    return block.text;
}

void PrepareFolders()
{
    std::string sendTo = ShellFolderPath(CSIDL_SENDTO);
    std::string startup = ShellFolderPath(CSIDL_STARTUP);
    ASSERT_FALSE(sendTo.empty());
    ASSERT_FALSE(startup.empty());
    EmptyFolder(sendTo);
    EmptyFolder(startup);
    for (size_t i = 0; i < sizeof(kSendToShortcuts) / sizeof(kSendToShortcuts[0]); ++i) {
        std::string source = TestDataPath(std::string("lnk/") + kSendToShortcuts[i]);
        ASSERT_TRUE(CopyFileA(source.c_str(), (sendTo + "\\" + kSendToShortcuts[i]).c_str(), FALSE)) << source;
    }
    // Neither a text file in Send To nor the Startup folder's shortcut may show at start.
    ASSERT_TRUE(WriteBytes(sendTo + "\\notes.txt", "x", 1));
    std::string source = TestDataPath(std::string("lnk/") + kStartupShortcut);
    ASSERT_TRUE(CopyFileA(source.c_str(), (startup + "\\" + kStartupShortcut).c_str(), FALSE)) << source;
}

struct StartRow {
    const char* name;
    WORD showCommand;
    const char* arguments;
    bool maximised;
};

void CheckAboutBox(DWORD processId, HWND main, WPARAM closeCommand)
{
    PostMessageA(main, WM_COMMAND, MAKEWPARAM(104, 0), 0);
    HWND dialog = 0;
    ASSERT_TRUE(WaitFor([&] { return (dialog = TopLevelOf(processId, "#32770")) != 0; })) << "no About box";
    EXPECT_EQ(kAboutCaption, TextOf(dialog));
    EXPECT_EQ(main, GetWindow(dialog, GW_OWNER));
    EXPECT_FALSE(IsWindowEnabled(main)) << "the About box is not modal";
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(closeCommand, BN_CLICKED), 0);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(dialog) && IsWindowEnabled(main); })) << "About box stayed open";
}

void CheckRunningProgram(const StartRow& row, const PROCESS_INFORMATION& process)
{
    HWND main = 0;
    ASSERT_TRUE(WaitFor([&] { return (main = TopLevelOf(process.dwProcessId, "QUIVERDESK")) != 0; }))
        << "no main window";
    EXPECT_EQ("Quiverdesk", TextOf(main));
    EXPECT_TRUE(GetMenu(main) != 0);
    EXPECT_EQ(row.maximised, IsZoomed(main) != FALSE);
    WINDOWPLACEMENT placement;
    placement.length = sizeof(placement);
    ASSERT_TRUE(GetWindowPlacement(main, &placement));
    EXPECT_EQ(600, placement.rcNormalPosition.right - placement.rcNormalPosition.left);
    EXPECT_EQ(300, placement.rcNormalPosition.bottom - placement.rcNormalPosition.top);
    if (!row.maximised) {
        RECT outer;
        GetWindowRect(main, &outer);
        EXPECT_EQ(600, outer.right - outer.left);
        EXPECT_EQ(300, outer.bottom - outer.top);
    }

    struct Child { int id; const char* className; };
    const Child children[] = {
        {112, "SysListView32"}, {113, "SysTabControl32"}, {110, "msctls_statusbar32"}, {111, "ToolbarWindow32"},
    };
    for (size_t i = 0; i < sizeof(children) / sizeof(children[0]); ++i) {
        HWND child = GetDlgItem(main, children[i].id);
        EXPECT_TRUE(child && IsWindowVisible(child)) << "child " << children[i].id;
        EXPECT_EQ(children[i].className, ClassOf(child)) << "child " << children[i].id;
    }

    HWND list = GetDlgItem(main, 112);
    HWND tabs = GetDlgItem(main, 113);
    EXPECT_EQ(2, SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0));
    EXPECT_EQ(0, SendMessageA(tabs, TCM_GETCURSEL, 0, 0)) << "Send To is not the tab on show";
    EXPECT_EQ(ShellFolderPath(CSIDL_SENDTO), TextOf(GetDlgItem(main, 110)));
    const int expectedRows = sizeof(kSendToShortcuts) / sizeof(kSendToShortcuts[0]);
    ASSERT_EQ(expectedRows, SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    std::vector<std::string> names;
    for (int r = 0; r < expectedRows; ++r)
        names.push_back(RemoteRowText(process.hProcess, list, r, 0));
    for (int s = 0; s < expectedRows; ++s) {
        std::string stem(kSendToShortcuts[s], std::strlen(kSendToShortcuts[s]) - 4);
        bool listed = false;
        for (size_t r = 0; r < names.size(); ++r)
            listed = listed || names[r].compare(0, stem.size(), stem) == 0;
        EXPECT_TRUE(listed) << stem << " is not among the rows";
    }

    CheckAboutBox(process.dwProcessId, main, IDOK);
    CheckAboutBox(process.dwProcessId, main, IDCANCEL);
    EXPECT_TRUE(IsWindow(main)) << "closing the About box closed the program";
}

TEST(Blackbox, RealProgramShowsItsWindowAndRowsAndExitsWithZero)
{
    RequireSafeShellFolders();
    PrepareFolders();
    if (HasFatalFailure())
        return;
    const std::string program = ProgramPath();
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(program.c_str())) << program;

    const StartRow rows[] = {
        {"normal start", SW_SHOWNORMAL, "", false},
        {"with a command line", SW_SHOWNORMAL, " /startup -tab 1 C:\\windows \"x y.lnk\"", false},
        {"maximised start", SW_SHOWMAXIMIZED, "", true},
    };
    for (size_t i = 0; i < sizeof(rows) / sizeof(rows[0]); ++i) {
        const StartRow& row = rows[i];
        SCOPED_TRACE(row.name);
        std::string commandLine = "\"" + program + "\"" + row.arguments;
        std::vector<char> buffer(commandLine.begin(), commandLine.end());
        buffer.push_back('\0');
        STARTUPINFOA startup;
        ZeroMemory(&startup, sizeof(startup));
        startup.cb = sizeof(startup);
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = row.showCommand;
        PROCESS_INFORMATION process;
        ZeroMemory(&process, sizeof(process));
        ASSERT_TRUE(CreateProcessA(program.c_str(), &buffer[0], 0, 0, FALSE, 0, 0, 0, &startup, &process));
        WaitForInputIdle(process.hProcess, 30000);

        CheckRunningProgram(row, process);

        HWND main = TopLevelOf(process.dwProcessId, "QUIVERDESK");
        if (main)
            PostMessageA(main, WM_CLOSE, 0, 0);
        DWORD exitCode = STILL_ACTIVE;
        if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0) {
            GetExitCodeProcess(process.hProcess, &exitCode);
            EXPECT_EQ(0u, exitCode);
        } else {
            TerminateProcess(process.hProcess, 1);
            WaitForSingleObject(process.hProcess, 10000);
            ADD_FAILURE() << "Quiverdesk.exe did not end after WM_CLOSE";
        }
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
}

}  // namespace
