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
    "26-japanese-cp932-local.lnk", "06-ansi-stringdata-desc-args.lnk", "25-local-desc-quoted-args-space.lnk"};
const char kStartupShortcut[] = "01-format-doc-example-local-file.lnk";

// Polls until ready() holds; the limit only keeps a hung program from hanging the test.
template <typename Condition>
bool WaitFor(Condition ready)
{
    for (int tries = 0; tries < 1500 && !ready(); ++tries)
        Sleep(20);
    return ready();
}

// A visible top-level window of that process: other test programs may have their own open.
HWND TopLevelOf(DWORD processId, const char* className)
{
    HWND window = 0;
    while ((window = FindWindowExA(0, window, className, 0)) != 0) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId && IsWindowVisible(window))
            return window;
    }
    return 0;
}

// Sent, not GetWindowTextA: that one answers another process's controls from the caption
// it keeps for them, not from the control itself.
std::string TextOf(HWND window)
{
    char text[MAX_PATH + 1] = "";
    SendMessageA(window, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text));
    return text;
}

// A row's name, read through a block in the other process where the list view can write it.
std::string RemoteRowText(HANDLE process, HWND list, int row)
{
    struct Block {
        LVITEMA item;
        char text[MAX_PATH + 1];
    } block;
    BYTE* remote = static_cast<BYTE*>(VirtualAllocEx(process, 0, sizeof(Block), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    if (!remote)
        return "<no remote block>";
    ZeroMemory(&block, sizeof(block));
    block.item.pszText = reinterpret_cast<char*>(remote + offsetof(Block, text));
    block.item.cchTextMax = sizeof(block.text);
    WriteProcessMemory(process, remote, &block, sizeof(block), 0);
    SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(remote));
    ReadProcessMemory(process, remote, &block, sizeof(block), 0);
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    block.text[MAX_PATH] = '\0';
    return block.text;
}

bool CopyShortcut(const char* name, const std::string& folder)
{
    return CopyFileA(TestDataPath(std::string("lnk/") + name).c_str(), (folder + "\\" + name).c_str(), FALSE);
}

void CheckRunningProgram(bool maximised, const PROCESS_INFORMATION& process)
{
    HWND main = 0;
    ASSERT_TRUE(WaitFor([&] { return (main = TopLevelOf(process.dwProcessId, "QUIVERDESK")) != 0; }))
        << "no main window";
    EXPECT_EQ("Quiverdesk", TextOf(main));
    EXPECT_TRUE(GetMenu(main) != 0);
    EXPECT_EQ(maximised, IsZoomed(main) != FALSE);
    EXPECT_NE(0, GetWindowLongPtrA(main, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    WINDOWPLACEMENT placement;
    placement.length = sizeof(placement);
    ASSERT_TRUE(GetWindowPlacement(main, &placement));
    EXPECT_EQ(600, placement.rcNormalPosition.right - placement.rcNormalPosition.left);
    EXPECT_EQ(300, placement.rcNormalPosition.bottom - placement.rcNormalPosition.top);

    const struct { int id; const char* className; } children[] = {
        {112, "SysListView32"}, {113, "SysTabControl32"}, {110, "msctls_statusbar32"}, {111, "ToolbarWindow32"}};
    for (const auto& child : children) {
        HWND window = GetDlgItem(main, child.id);
        char name[64] = "";
        GetClassNameA(window, name, sizeof(name));
        EXPECT_TRUE(IsWindowVisible(window)) << "child " << child.id;
        EXPECT_STREQ(child.className, name) << "child " << child.id;
    }
    HWND tabs = GetDlgItem(main, 113), list = GetDlgItem(main, 112);
    EXPECT_EQ(2, SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0));
    EXPECT_EQ(0, SendMessageA(tabs, TCM_GETCURSEL, 0, 0)) << "Send To is not the tab on show";
    EXPECT_EQ(ShellFolderPath(CSIDL_SENDTO), TextOf(GetDlgItem(main, 110)));
    ASSERT_EQ(3, SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    std::string names;  // "|name|name|name", so each shortcut's name can be found at a row's start
    for (int row = 0; row < 3; ++row)
        names += "|" + RemoteRowText(process.hProcess, list, row);
    for (const char* shortcut : kSendToShortcuts) {
        const std::string stem(shortcut, std::strlen(shortcut) - 4);
        EXPECT_NE(std::string::npos, names.find("|" + stem)) << stem << " is not among the rows " << names;
    }

    for (WORD close : {IDOK, IDCANCEL}) {
        PostMessageA(main, WM_COMMAND, MAKEWPARAM(104, 0), 0);
        HWND dialog = 0;
        ASSERT_TRUE(WaitFor([&] { return (dialog = TopLevelOf(process.dwProcessId, "#32770")) != 0; }))
            << "no About box";
        EXPECT_EQ(kAboutCaption, TextOf(dialog));
        EXPECT_EQ(main, GetWindow(dialog, GW_OWNER));
        EXPECT_FALSE(IsWindowEnabled(main)) << "the About box is not modal";
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(close, BN_CLICKED), 0);
        EXPECT_TRUE(WaitFor([&] { return !IsWindow(dialog) && IsWindowEnabled(main); })) << "About box stayed open";
    }
    EXPECT_TRUE(IsWindow(main)) << "closing the About box closed the program";
}

TEST(Blackbox, RealProgramShowsItsWindowAndRowsAndExitsWithZero)
{
    RequireSafeShellFolders();
    const std::string sendTo = ShellFolderPath(CSIDL_SENDTO), startup = ShellFolderPath(CSIDL_STARTUP);
    ASSERT_FALSE(sendTo.empty() || startup.empty());
    EmptyFolder(sendTo);
    EmptyFolder(startup);
    for (const char* shortcut : kSendToShortcuts)
        ASSERT_TRUE(CopyShortcut(shortcut, sendTo)) << shortcut;
    // Neither a text file in Send To nor the Startup folder's shortcut may show at start.
    ASSERT_TRUE(WriteBytes(sendTo + "\\notes.txt", "x", 1));
    ASSERT_TRUE(CopyShortcut(kStartupShortcut, startup));
    const std::string program = ProgramPath();
    ASSERT_TRUE(FileExists(program)) << program;

    const struct { const char* name; WORD showCommand; const char* arguments; } rows[] = {
        {"normal start", SW_SHOWNORMAL, ""},
        {"with a command line", SW_SHOWNORMAL, " /startup -tab 1 C:\\windows \"x y.lnk\""},
        {"maximised start", SW_SHOWMAXIMIZED, ""},
    };
    for (const auto& row : rows) {
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
        ASSERT_TRUE(CreateProcessA(program.c_str(), &buffer[0], 0, 0, FALSE, 0, 0, 0, &startup, &process));
        WaitForInputIdle(process.hProcess, 30000);

        CheckRunningProgram(row.showCommand == SW_SHOWMAXIMIZED, process);

        if (HWND main = TopLevelOf(process.dwProcessId, "QUIVERDESK"))
            PostMessageA(main, WM_CLOSE, 0, 0);
        DWORD exitCode = STILL_ACTIVE;
        if (WaitForSingleObject(process.hProcess, 60000) != WAIT_OBJECT_0) {
            TerminateProcess(process.hProcess, 1);
            WaitForSingleObject(process.hProcess, 10000);
            ADD_FAILURE() << "Quiverdesk.exe did not end after WM_CLOSE";
        } else {
            EXPECT_TRUE(GetExitCodeProcess(process.hProcess, &exitCode) && exitCode == 0) << "exit code " << exitCode;
        }
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
}

}  // namespace
