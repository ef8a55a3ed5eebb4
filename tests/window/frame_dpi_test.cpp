// The frame at every DPI and its small mends: size and columns at 96 and 144 DPI, WM_DPICHANGED,
// one scan per tab click, tooltips on their buttons, a layout without tabs, and the manifest.
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <string>

#include "app/main_tabs.h"
#include "app/main_window.h"
#include "app/quiverdesk.h"
#include "controls/shortcut_view.h"
#include "controls/tool_bar.h"
#include "support/main_window_fixture.h"

namespace {

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

// "outer width, outer height, column widths" of the main window, as a child process reports it.
std::string FrameSizes(HWND window)
{
    RECT outer;
    GetWindowRect(window, &outer);
    char text[64];
    wsprintfA(text, "%d %d %d %d %d", Width(outer), Height(outer), ListView_GetColumnWidth(g_hListView, 0),
              ListView_GetColumnWidth(g_hListView, 1), ListView_GetColumnWidth(g_hListView, 2));
    return text;
}

// Wine reads the DPI once per process: each DPI gets a process of its own, this program again
// with QD_EXPECT_FRAME set, running only the test below.
class FrameDpiTest : public ShellFolderTest {};

TEST_F(FrameDpiTest, ChildProcessFrame)
{
    const char* expected = getenv("QD_EXPECT_FRAME");
    if (!expected)
        GTEST_SKIP() << "run by WindowAndColumnsScaleWithTheDpi";
    MainWindow window;
    EXPECT_EQ(std::string(expected), FrameSizes(window.Handle()));
}

TEST_F(FrameDpiTest, WindowAndColumnsScaleWithTheDpi)
{
    const struct { DWORD dpi; const char* frame; } rows[] = {{96, "600 300 100 100 300"}, {144, "900 450 150 150 450"}};
    HKEY desktop;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, 0, 0, KEY_ALL_ACCESS, 0, &desktop, 0));
    DWORD saved = 0, size = sizeof(saved);
    bool hadValue = RegQueryValueExA(desktop, "LogPixels", 0, 0, reinterpret_cast<BYTE*>(&saved), &size) == ERROR_SUCCESS;
    char self[MAX_PATH];
    GetModuleFileNameA(0, self, sizeof(self));
    for (const auto& row : rows) {
        RegSetValueExA(desktop, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&row.dpi), sizeof(row.dpi));
        SetEnvironmentVariableA("QD_EXPECT_FRAME", row.frame);
        std::string command = std::string("\"") + self + "\" --gtest_filter=FrameDpiTest.ChildProcessFrame";
        STARTUPINFOA startup = {sizeof(startup)};
        PROCESS_INFORMATION child = {};
        ASSERT_TRUE(CreateProcessA(self, &command[0], 0, 0, FALSE, 0, 0, 0, &startup, &child));
        WaitForSingleObject(child.hProcess, 60000);
        DWORD exitCode = 1;
        GetExitCodeProcess(child.hProcess, &exitCode);
        CloseHandle(child.hThread);
        CloseHandle(child.hProcess);
        EXPECT_EQ(0u, exitCode) << row.dpi << " DPI: expected " << row.frame;
    }
    SetEnvironmentVariableA("QD_EXPECT_FRAME", 0);
    if (hadValue)
        RegSetValueExA(desktop, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&saved), sizeof(saved));
    else
        RegDeleteValueA(desktop, "LogPixels");
    RegCloseKey(desktop);
}

TEST_F(FrameDpiTest, DpiChangeTakesTheSuggestedRectangleAndScalesAgain)
{
    MainWindow window;
    const struct { int dpi; RECT suggested; const char* frame; } rows[] = {
        {144, {40, 30, 940, 480}, "900 450 150 150 450"}, {96, {50, 60, 650, 360}, "600 300 100 100 300"}};
    for (const auto& row : rows) {
        SendMessageA(window.Handle(), 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(row.dpi, row.dpi),
                     reinterpret_cast<LPARAM>(&row.suggested));
        RECT outer;
        GetWindowRect(window.Handle(), &outer);
        EXPECT_TRUE(EqualRect(&outer, &row.suggested)) << row.dpi << " DPI";
        EXPECT_EQ(std::string(row.frame), FrameSizes(window.Handle())) << row.dpi << " DPI";
        RECT tabs = window.ChildRect(g_hTabs);
        RECT client;
        GetClientRect(window.Handle(), &client);
        EXPECT_EQ(Width(client), Width(tabs)) << row.dpi << " DPI: tabs laid out again";
    }
}

HANDLE(WINAPI* g_findFirstFile)(LPCSTR, WIN32_FIND_DATAA*) = 0;
int g_scans = 0;
HANDLE WINAPI CountingFindFirstFile(LPCSTR pattern, WIN32_FIND_DATAA* found)
{
    ++g_scans;
    return g_findFirstFile(pattern, found);
}

void Key(WPARAM key)
{
    SendMessageA(g_hTabs, WM_KEYDOWN, key, 0);
    SendMessageA(g_hTabs, WM_KEYUP, key, 0);
    PumpMessages();
}

void RightClick(int tab)
{
    RECT rect;
    SendMessageA(g_hTabs, TCM_GETITEMRECT, tab, reinterpret_cast<LPARAM>(&rect));
    SendMessageA(g_hTabs, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(rect.left + 2, rect.top + 2));
    SendMessageA(g_hTabs, WM_RBUTTONUP, 0, MAKELPARAM(rect.left + 2, rect.top + 2));
    PumpMessages();
}

TEST_F(FrameDpiTest, OneScanPerChangeOfTabAndPerClickOnTheSelectedOne)
{
    MainWindow window;
    ScopedImportPatch patch("kernel32", "FindFirstFileA", reinterpret_cast<void*>(CountingFindFirstFile));
    g_findFirstFile = reinterpret_cast<HANDLE(WINAPI*)(LPCSTR, WIN32_FIND_DATAA*)>(patch.Original());
    ASSERT_TRUE(g_findFirstFile);
    window.Command(CMD_REFRESH);
    const int perRefresh = g_scans;
    ASSERT_GT(perRefresh, 0);
    const struct { const char* what; int tab; WPARAM key; int refreshes; int selected; } rows[] = {
        {"click on the other tab", 1, 0, 1, 1},   {"click on the selected tab", 1, 0, 1, 1},
        {"right-click", -1, 0, 0, 1},             {"arrow that changes nothing", -1, VK_RIGHT, 0, 1},
        {"arrow to the other tab", -1, VK_LEFT, 1, 0}, {"then a click on that tab", 0, 0, 1, 0},
    };
    for (const auto& row : rows) {
        g_scans = 0;
        if (row.key)
            Key(row.key);
        else if (row.tab >= 0)
            window.ClickTab(row.tab);
        else
            RightClick(0);
        EXPECT_EQ(row.refreshes * perRefresh, g_scans) << row.what;
        EXPECT_EQ(row.selected, GetSelectedTab()) << row.what;
    }
}

TEST_F(FrameDpiTest, EachTooltipCoversItsButtonAfterEveryLayout)
{
    MainWindow window;
    HWND toolbar = g_toolBar.GetWindow();
    HWND tips = g_toolBar.GetToolTips();
    ASSERT_TRUE(tips != 0);
    for (int width : {600, 320}) {
        SetWindowPos(window.Handle(), 0, 0, 0, width, 300, SWP_NOMOVE | SWP_NOZORDER);
        PumpMessages();
        ASSERT_EQ(5, SendMessageA(tips, TTM_GETTOOLCOUNT, 0, 0));
        for (int i = 0; i < 5; ++i) {
            TOOLINFOA tool = {TTTOOLINFOA_V2_SIZE};
            ASSERT_TRUE(SendMessageA(tips, TTM_ENUMTOOLSA, i, reinterpret_cast<LPARAM>(&tool)));
            RECT button = {};
            SendMessageA(toolbar, TB_GETRECT, tool.uId, reinterpret_cast<LPARAM>(&button));
            EXPECT_TRUE(tool.hwnd == toolbar && EqualRect(&tool.rect, &button)) << "command " << tool.uId << " at width " << width;
        }
    }
}

TEST_F(FrameDpiTest, LayoutWithoutATabControlGivesTheListNoRoom)
{
    MainWindow window;
    HWND tabs = g_hTabs;
    g_hTabs = 0;
    OnSize(window.Handle());
    g_hTabs = tabs;
    RECT list = window.ChildRect(g_hListView);
    EXPECT_EQ(0, Width(list));
    EXPECT_EQ(0, Height(list));
}

TEST(FrameManifest, AsksForThemedControlsPerMonitorDpiAndNoElevation)
{
    HRSRC found = FindResourceA(0, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    ASSERT_TRUE(found != 0);
    std::string text(static_cast<const char*>(LockResource(LoadResource(0, found))), SizeofResource(0, found));
    for (const char* setting : {"name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"", ">true/pm<",
                                ">PerMonitorV2", "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
                                "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}", "level=\"asInvoker\""})
        EXPECT_NE(std::string::npos, text.find(setting)) << setting;
}

}  // namespace
