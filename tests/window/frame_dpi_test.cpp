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

class FrameDpiTest : public ShellFolderTest {};

// Wine reads the DPI once per process: each DPI runs this program again, for the test below only.
TEST_F(FrameDpiTest, ChildProcessFrame)
{
    if (!getenv("QD_EXPECT_FRAME"))
        GTEST_SKIP() << "run by WindowAndColumnsScaleWithTheDpi";
    MainWindow window;
    EXPECT_EQ(std::string(getenv("QD_EXPECT_FRAME")), Frame(window.Handle()));
}

TEST_F(FrameDpiTest, WindowAndColumnsScaleWithTheDpi)
{
    const struct { DWORD dpi; const char* frame; } rows[] = {{96, "600 300 100 100 300"}, {144, "900 450 150 150 450"}};
    const char* key = "Control Panel\\Desktop";
    DWORD saved = 0, size = sizeof(saved);
    bool had = RegGetValueA(HKEY_CURRENT_USER, key, "LogPixels", RRF_RT_REG_DWORD, 0, &saved, &size) == ERROR_SUCCESS;
    char self[MAX_PATH];
    GetModuleFileNameA(0, self, sizeof(self));
    for (const auto& row : rows) {
        RegSetKeyValueA(HKEY_CURRENT_USER, key, "LogPixels", REG_DWORD, &row.dpi, sizeof(row.dpi));
        SetEnvironmentVariableA("QD_EXPECT_FRAME", row.frame);
        char command[] = "window_tests --gtest_filter=FrameDpiTest.ChildProcessFrame";
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
    if (had)
        RegSetKeyValueA(HKEY_CURRENT_USER, key, "LogPixels", REG_DWORD, &saved, sizeof(saved));
    else
        RegDeleteKeyValueA(HKEY_CURRENT_USER, key, "LogPixels");
}

TEST_F(FrameDpiTest, DpiChangeTakesTheSuggestedRectangleAndLaysOutAgain)
{
    MainWindow window;
    const struct { int dpi; RECT suggested; const char* frame; } rows[] = {
        {144, {40, 30, 940, 480}, "900 450 150 150 450"}, {96, {50, 60, 650, 360}, "600 300 100 100 300"}};
    for (const auto& row : rows) {
        SendMessageA(window.Handle(), 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(row.dpi, row.dpi), reinterpret_cast<LPARAM>(&row.suggested));
        RECT outer, client;
        GetWindowRect(window.Handle(), &outer);
        GetClientRect(window.Handle(), &client);
        EXPECT_TRUE(EqualRect(&outer, &row.suggested)) << row.dpi << " DPI";
        EXPECT_EQ(std::string(row.frame), Frame(window.Handle())) << row.dpi << " DPI";
        EXPECT_EQ(client.right, window.ChildRect(g_hTabs).right) << row.dpi << " DPI: the tabs span the new width";
    }
}

HANDLE(WINAPI* g_findFirstFile)(LPCSTR, WIN32_FIND_DATAA*) = 0;
int g_scans = 0;
HANDLE WINAPI CountingFindFirstFile(LPCSTR pattern, WIN32_FIND_DATAA* found)
{
    ++g_scans;
    return g_findFirstFile(pattern, found);
}

TEST_F(FrameDpiTest, OneScanPerChangeOfTabAndPerClickOnTheSelectedOne)
{
    MainWindow window;
    ScopedImportPatch patch("kernel32", "FindFirstFileA", reinterpret_cast<void*>(CountingFindFirstFile));
    g_findFirstFile = reinterpret_cast<HANDLE(WINAPI*)(LPCSTR, WIN32_FIND_DATAA*)>(patch.Original());
    window.Command(CMD_REFRESH);
    const int perScan = g_scans;
    ASSERT_GT(perScan, 0);
    // A message of 0 is a left click on tab; the others go to the tab control as they are, the
    // mouse ones on tab 0. tab is also the tab selected afterwards.
    const struct { const char* what; UINT message; WPARAM wParam; int tab; int scans; } rows[] = {
        {"click on the other tab", 0, 0, 1, 1},         {"click on the selected tab", 0, 0, 1, 1},
        {"right-click on the other tab", WM_RBUTTONUP, 0, 1, 0},          {"arrow key that changes nothing", WM_KEYDOWN, VK_RIGHT, 1, 0},
        {"arrow key to the other tab", WM_KEYDOWN, VK_LEFT, 0, 1}, {"then a click on that tab", 0, 0, 0, 1},
    };
    for (const auto& row : rows) {
        g_scans = 0;
        if (row.message == WM_RBUTTONUP)
            SendMessageA(g_hTabs, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
        if (row.message)
            SendMessageA(g_hTabs, row.message, row.wParam, MAKELPARAM(5, 5));
        else
            window.ClickTab(row.tab);
        PumpMessages();
        EXPECT_EQ(row.scans * perScan, g_scans) << row.what;
        EXPECT_EQ(row.tab, GetSelectedTab()) << row.what;
    }
}

// The separator before the delete button moves it after the bar was made; each width lays it out anew.
TEST_F(FrameDpiTest, EachTooltipCoversItsButtonAfterEveryLayout)
{
    MainWindow window;
    HWND tips = g_toolBar.GetToolTips();
    for (int width : {600, 320}) {
        SetWindowPos(window.Handle(), 0, 0, 0, width, 300, SWP_NOMOVE | SWP_NOZORDER);
        ASSERT_EQ(5, SendMessageA(tips, TTM_GETTOOLCOUNT, 0, 0));
        for (int i = 0; i < 5; ++i) {
            TOOLINFOA tool = {TTTOOLINFOA_V2_SIZE};
            SendMessageA(tips, TTM_ENUMTOOLSA, i, reinterpret_cast<LPARAM>(&tool));
            RECT button = {};
            SendMessageA(g_toolBar.GetWindow(), TB_GETRECT, tool.uId, reinterpret_cast<LPARAM>(&button));
            EXPECT_TRUE(EqualRect(&tool.rect, &button)) << "command " << tool.uId << " at width " << width;
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
    EXPECT_TRUE(IsRectEmpty(&list)) << list.left << "," << list.top << " " << list.right << "," << list.bottom;
}

TEST(FrameManifest, AsksForThemedControlsPerMonitorDpiAndNoElevation)
{
    HRSRC found = FindResourceA(0, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    ASSERT_TRUE(found != 0);
    std::string text(static_cast<const char*>(LockResource(LoadResource(0, found))), SizeofResource(0, found));
    for (const char* setting : {"name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"", ">true/pm<", ">PerMonitorV2",
                                "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}", "\"asInvoker\""})
        EXPECT_NE(std::string::npos, text.find(setting)) << setting;
}

}  // namespace
