// The frame at every DPI and its small mends: size and columns at 96 and 144 DPI, WM_DPICHANGED,
// one scan per tab click, tooltips on their buttons, and a layout without tabs.
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>

#include "controls/main_tabs.h"
#include "app/main_window.h"
#include "app/quiverdesk.h"
#include "controls/shortcut_view.h"
#include "controls/tool_bar.h"
#include "controls/toolbar_buttons.h"
#include "support/support.h"

namespace {

// "outer width, outer height, column widths" of the main window.
std::string Frame(HWND window)
{
    RECT outer;
    GetWindowRect(window, &outer);
    char text[64];
    wsprintfA(text, "%ld %ld %d %d %d", outer.right - outer.left, outer.bottom - outer.top, ListView_GetColumnWidth(g_hListView, 0),
              ListView_GetColumnWidth(g_hListView, 1), ListView_GetColumnWidth(g_hListView, 2));
    return text;
}

// Wine reads the DPI once per process: each DPI runs this program again, for this test only.
TEST_F(ShellFolderTest, ChildProcessFrame)
{
    if (!std::getenv("QD_EXPECT_FRAME"))
        GTEST_SKIP() << "run by WindowAndColumnsScaleWithTheDpi";
    EXPECT_EQ(std::getenv("QD_EXPECT_FRAME"), Frame(MainWindow().handle));
}

TEST_F(ShellFolderTest, WindowAndColumnsScaleWithTheDpi)
{
    const struct { DWORD dpi; const char* frame; } rows[] = {{96, "600 300 100 100 300"}, {144, "900 450 150 150 450"}};
    const char* key = "Control Panel\\Desktop";
    DWORD saved = 0, size = sizeof(saved);
    bool had = RegGetValueA(HKEY_CURRENT_USER, key, "LogPixels", RRF_RT_REG_DWORD, 0, &saved, &size) == ERROR_SUCCESS;
    char self[MAX_PATH], command[] = "window_tests --gtest_filter=*ChildProcessFrame";
    GetModuleFileNameA(0, self, sizeof(self));
    for (const auto& row : rows) {
        RegSetKeyValueA(HKEY_CURRENT_USER, key, "LogPixels", REG_DWORD, &row.dpi, sizeof(row.dpi));
        SetEnvironmentVariableA("QD_EXPECT_FRAME", row.frame);
        STARTUPINFOA startup = {sizeof(startup)};
        PROCESS_INFORMATION child = {};
        ASSERT_TRUE(CreateProcessA(self, command, 0, 0, FALSE, 0, 0, 0, &startup, &child));
        DWORD exitCode = 1;
        WaitForSingleObject(child.hProcess, 60000);
        GetExitCodeProcess(child.hProcess, &exitCode);
        CloseHandle(child.hThread);
        CloseHandle(child.hProcess);
        EXPECT_EQ(0u, exitCode) << row.dpi << " DPI: expected " << row.frame;
    }
    SetEnvironmentVariableA("QD_EXPECT_FRAME", 0);
    had ? RegSetKeyValueA(HKEY_CURRENT_USER, key, "LogPixels", REG_DWORD, &saved, sizeof(saved))
        : RegDeleteKeyValueA(HKEY_CURRENT_USER, key, "LogPixels");
}

TEST_F(ShellFolderTest, DpiChangeTakesTheSuggestedRectangleAndLaysOutAgain)
{
    MainWindow window;
    const struct { int dpi; RECT suggested; const char* frame; } rows[] = {
        {144, {40, 30, 940, 480}, "900 450 150 150 450"}, {96, {50, 60, 650, 360}, "600 300 100 100 300"}};
    for (const auto& row : rows) {
        SendMessageA(window.handle, 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(row.dpi, row.dpi), reinterpret_cast<LPARAM>(&row.suggested));
        RECT outer, client, tabs;
        GetWindowRect(window.handle, &outer);
        GetClientRect(window.handle, &client);
        GetClientRect(g_hTabs, &tabs);
        EXPECT_TRUE(EqualRect(&outer, &row.suggested)) << row.dpi << " DPI";
        EXPECT_EQ(std::string(row.frame), Frame(window.handle)) << row.dpi << " DPI";
        EXPECT_EQ(client.right, tabs.right) << row.dpi << " DPI: the tabs span the new width";
    }
}

decltype(&FindFirstFileA) g_findFirstFile;
int g_scans = 0;
HANDLE WINAPI CountingFindFirstFile(LPCSTR pattern, WIN32_FIND_DATAA* found) { return ++g_scans, g_findFirstFile(pattern, found); }

TEST_F(ShellFolderTest, OneScanPerChangeOfTabAndPerClickOnTheSelectedOne)
{
    MainWindow window;
    ImportPatch patch("kernel32", "FindFirstFileA", reinterpret_cast<void*>(CountingFindFirstFile));
    g_findFirstFile = patch.Original<decltype(g_findFirstFile)>();
    // A message of 0 is a left click on tab; the others go to the tab control as they are, the
    // mouse ones on tab 0. tab is also the tab selected afterwards.
    const struct { const char* what; UINT message; WPARAM wParam; int tab, scans; } rows[] = {
        {"click on the other tab", 0, 0, 1, 1}, {"click on the selected tab", 0, 0, 1, 1},
        {"right-click on the other tab", WM_RBUTTONUP, 0, 1, 0}, {"arrow key that changes nothing", WM_KEYDOWN, VK_RIGHT, 1, 0},
        {"arrow key to the other tab", WM_KEYDOWN, VK_LEFT, 0, 1}, {"then a click on that tab", 0, 0, 0, 1},
    };
    for (const auto& row : rows) {
        g_scans = 0;
        if (row.message == WM_RBUTTONUP)
            SendMessageA(g_hTabs, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
        row.message ? (void)SendMessageA(g_hTabs, row.message, row.wParam, MAKELPARAM(5, 5)) : window.ClickTab(row.tab);
        PumpMessages();
        EXPECT_EQ(row.scans, g_scans) << row.what;
        EXPECT_EQ(row.tab, GetSelectedTab()) << row.what;
    }
}

// The separator before the delete button moves it after the bar was made; each width lays it out anew.
TEST_F(ShellFolderTest, EachTooltipCoversItsButtonAfterEveryLayout)
{
    MainWindow window;
    HWND tips = g_toolBar.GetToolTips();
    for (int width : {600, 320}) {
        SetWindowPos(window.handle, 0, 0, 0, width, 300, SWP_NOMOVE | SWP_NOZORDER);
        ASSERT_EQ(TOOLBAR_BUTTON_COUNT, SendMessageA(tips, TTM_GETTOOLCOUNT, 0, 0));
        for (int i = 0; i < TOOLBAR_BUTTON_COUNT; ++i) {
            TOOLINFOA tool = {TTTOOLINFOA_V2_SIZE};
            SendMessageA(tips, TTM_ENUMTOOLSA, i, reinterpret_cast<LPARAM>(&tool));
            RECT button = {};
            SendMessageA(g_toolBar.GetWindow(), TB_GETRECT, tool.uId, reinterpret_cast<LPARAM>(&button));
            EXPECT_TRUE(EqualRect(&tool.rect, &button)) << "command " << tool.uId << " at width " << width;
        }
    }
}

TEST_F(ShellFolderTest, LayoutWithoutATabControlGivesTheListNoRoom)
{
    MainWindow window;
    HWND tabs = g_hTabs;
    g_hTabs = 0;
    OnSize(window.handle);
    g_hTabs = tabs;
    RECT list;
    GetClientRect(g_hListView, &list);
    EXPECT_TRUE(IsRectEmpty(&list));
}

}  // namespace
