// The main window as the user sees it: rows bound to their files, names and icons, the tabs and
// their scans, the toolbar's states, the layout at each DPI, the Japanese texts, the keys, and
// the order of its teardown.
#include <windows.h>
#include <shellapi.h>

#include "app/main_tabs.h"
#include "app/message_loop.h"
#include "app/quiverdesk.h"
#include "controls/shortcut_view.h"
#include "controls/status_bar.h"
#include "controls/tool_bar.h"
#include "model/shortcut_list.h"
#include "support/support.h"

namespace {

bool Enabled(int command) { return SendMessageA(g_toolBar.GetWindow(), TB_GETSTATE, command, 0) & TBSTATE_ENABLED; }

}  // namespace

// Every real sample, a file that is no shortcut, a folder that matches the pattern, and paths of
// MAX_PATH - 1 and MAX_PATH bytes: each row shows what the shell shows for its own file by path,
// and what its own link holds. The path too long for MAX_PATH is left out, not cut to another's.
TEST_F(ShellFolderTest, RowsShowTheSelectedTabsShortcutsEachBoundToItsFile)
{
    const Names samples = LinkNames(TestDataPath("lnk"));
    for (const std::string& sample : samples)
        AddSample(m_sendTo, sample);
    for (int length : {MAX_PATH - 1, MAX_PATH})
        AddSample(m_sendTo, samples[0], std::string(length - m_sendTo.size() - 5, 'n') + ".lnk");
    WriteBytes(m_sendTo + "\\bad.lnk", "junk");
    WriteBytes(m_sendTo + "\\a.txt", "x");
    CreateDirectoryA((m_sendTo + "\\folder.lnk").c_str(), 0);
    AddSample(m_startup, "25-local-desc-quoted-args-space.lnk");

    MainWindow window;
    EXPECT_EQ(m_sendTo, StatusText());
    ASSERT_EQ(static_cast<int>(samples.size()) + 3, RowCount());
    for (int row = 0; row < RowCount(); ++row) {
        std::string path = RowLinkPath(row);
        SHFILEINFOA name = {}, icon = {};
        SHGetFileInfoA(path.c_str(), 0, &name, sizeof(name), SHGFI_DISPLAYNAME);
        SHGetFileInfoA(path.c_str(), 0, &icon, sizeof(icon), SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
        LVITEMA image = {LVIF_IMAGE, row};
        SendMessageA(g_hListView, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&image));
        EXPECT_EQ(name.szDisplayName, RowText(row, 0)) << path;
        EXPECT_EQ(icon.iIcon, image.iImage) << path;
        if (path == m_sendTo + "\\26-japanese-cp932-local.lnk")
            EXPECT_EQ(Ansi("C:\\Temp\\リンク先.txt|コメント"), RowText(row, 1) + "|" + RowText(row, 2));
    }
    EXPECT_FALSE(Enabled(CMD_DELETE));
    SelectRows({1});
    EXPECT_TRUE(Enabled(CMD_DELETE) && Enabled(CMD_PROPERTIES) && Enabled(CMD_EXPLORE_TARGET));

    window.ClickTab(1);
    EXPECT_EQ(m_startup, StatusText());
    ASSERT_EQ(1, RowCount());
    EXPECT_EQ(m_startup + "\\25-local-desc-quoted-args-space.lnk", RowLinkPath(0));
}

namespace {

decltype(&CoUninitialize) g_coUninitialize;
int g_itemsAtCoUninitialize = -1;

void WINAPI RecordCoUninitialize()
{
    g_itemsAtCoUninitialize = g_shortcutList.GetCount();
    g_coUninitialize();
}

}  // namespace

// The items' link objects must go while COM is still up.
TEST_F(ShellFolderTest, ClosingReleasesTheItemsBeforeCom)
{
    MakeLink(m_sendTo, "a.lnk", ScratchFile("a.txt"));
    ImportPatch uninitialize("ole32", "CoUninitialize", RecordCoUninitialize, &g_coUninitialize);
    MainWindow().Command(CMD_EXIT);
    EXPECT_EQ(0, g_itemsAtCoUninitialize);
}

// A DPI change takes the suggested rectangle and scales the columns; after it the status bar is
// docked, the list lies between the bars, the tabs span the width, and each tooltip covers its
// button (the separator before the delete button moved it after the bar was made).
TEST_F(ShellFolderTest, LayoutFollowsEachDpiChange)
{
    MainWindow window;
    const struct { int dpi; RECT suggested; const char* frame; } rows[] = {
        {144, {40, 30, 940, 480}, "900 450 150 150 450"}, {96, {50, 60, 650, 360}, "600 300 100 100 300"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.dpi);
        SendMessageA(window.handle, 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(row.dpi, row.dpi), reinterpret_cast<LPARAM>(&row.suggested));
        PumpMessages();
        RECT outer, client, tabs, status, list;
        GetWindowRect(window.handle, &outer);
        GetClientRect(window.handle, &client);
        GetClientRect(g_hTabs, &tabs);
        GetWindowRect(g_statusBar.GetWindow(), &status);
        GetWindowRect(g_hListView, &list);
        MapWindowPoints(0, window.handle, reinterpret_cast<POINT*>(&status), 2);
        MapWindowPoints(0, window.handle, reinterpret_cast<POINT*>(&list), 2);
        EXPECT_TRUE(EqualRect(&outer, &row.suggested));
        EXPECT_EQ(row.frame, Frame(window.handle));
        EXPECT_EQ(client.right, tabs.right);
        EXPECT_TRUE(client.bottom == status.bottom && client.right == status.right);
        EXPECT_TRUE(list.bottom <= status.top && list.top >= g_toolBar.GetHeight());
        HWND tips = g_toolBar.GetToolTips();
        ASSERT_EQ(5, SendMessageA(tips, TTM_GETTOOLCOUNT, 0, 0));
        for (int i = 0; i < 5; ++i) {
            TOOLINFOA tool = {TTTOOLINFOA_V2_SIZE};
            SendMessageA(tips, TTM_ENUMTOOLSA, i, reinterpret_cast<LPARAM>(&tool));
            RECT button = {};
            SendMessageA(g_toolBar.GetWindow(), TB_GETRECT, tool.uId, reinterpret_cast<LPARAM>(&button));
            EXPECT_TRUE(EqualRect(&tool.rect, &button)) << "command " << tool.uId;
        }
    }
}

namespace {

decltype(&FindFirstFileA) g_findFirstFile;
int g_scans = 0;

HANDLE WINAPI CountingFindFirstFile(LPCSTR pattern, WIN32_FIND_DATAA* found)
{
    ++g_scans;
    return g_findFirstFile(pattern, found);
}

}  // namespace

TEST_F(ShellFolderTest, OneScanPerChangeOfTabAndPerClickOnTheSelectedOne)
{
    MainWindow window;
    ImportPatch patch("kernel32", "FindFirstFileA", CountingFindFirstFile, &g_findFirstFile);
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
        if (row.message)
            SendMessageA(g_hTabs, row.message, row.wParam, MAKELPARAM(5, 5));
        else
            window.ClickTab(row.tab);
        PumpMessages();
        EXPECT_EQ(row.scans, g_scans) << row.what;
        EXPECT_EQ(row.tab, GetSelectedTab()) << row.what;
    }
}

TEST_F(ShellFolderTest, JapaneseTextsReachTheUserAsWritten)
{
    MainWindow window;
    const struct { int kind, id; const char* expected; } rows[] = {
        {0, 0, "送る"}, {0, 1, "スタートアップ"}, {1, 0, "名前"}, {1, 1, "送り先"}, {1, 2, "説明"},
        {2, CMD_REFRESH, "更新"}, {2, CMD_DELETE, "削除"}, {2, CMD_OPEN_FOLDER, "フォルダを開く"},
        {2, CMD_EXPLORE_TARGET, "リンク先をエクスプローラで開く"}, {2, CMD_PROPERTIES, "プロパティ"},
        {3, CMD_EXIT, "ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)"}, {3, CMD_ABOUT, "ﾊﾞｰｼﾞｮﾝ情報(&A) ..."},
    };
    for (const auto& row : rows) {
        char text[256] = "";
        TCITEMA tab = {TCIF_TEXT, 0, 0, text, sizeof(text)};
        LVCOLUMNA column = {LVCF_TEXT, 0, 0, text, sizeof(text)};
        NMTTDISPINFOA info = {{g_toolBar.GetToolTips(), static_cast<UINT_PTR>(row.id), TTN_GETDISPINFOA}};
        if (row.kind == 0) {
            SendMessageA(g_hTabs, TCM_GETITEMA, row.id, reinterpret_cast<LPARAM>(&tab));
        } else if (row.kind == 1) {
            SendMessageA(g_hListView, LVM_GETCOLUMNA, row.id, reinterpret_cast<LPARAM>(&column));
        } else if (row.kind == 2) {
            // The toolbar's tooltip asks the window for its text, as here.
            SendMessageA(window.handle, WM_NOTIFY, row.id, reinterpret_cast<LPARAM>(&info));
            LoadStringA(info.hinst, static_cast<UINT>(reinterpret_cast<UINT_PTR>(info.lpszText)), text, sizeof(text));
        } else {
            GetMenuStringA(GetMenu(window.handle), row.id, text, sizeof(text), MF_BYCOMMAND);
        }
        EXPECT_EQ(Ansi(row.expected), text) << row.expected;
    }
}

namespace {

int g_aboutBoxes;

INT_PTR WINAPI CountAboutBox(HINSTANCE, LPCSTR, HWND, DLGPROC, LPARAM)
{
    ++g_aboutBoxes;
    return IDOK;
}

}  // namespace

// Alt+/ and Alt+? open About wherever the focus is inside the window; plain characters do not.
TEST_F(ShellFolderTest, AcceleratorsWorkFromEveryControl)
{
    MainWindow window;
    ImportPatch about("user32", "DialogBoxParamA", CountAboutBox);
    HACCEL keys = LoadAcceleratorsA(GetModuleHandleA(0), MAKEINTRESOURCEA(IDA_MAIN));
    const struct { HWND target; UINT message; char key; int opened; } rows[] = {
        {window.handle, WM_SYSCHAR, '?', 1}, {g_hListView, WM_SYSCHAR, '/', 1}, {g_hTabs, WM_SYSCHAR, '?', 1},
        {g_hListView, WM_CHAR, '/', 0}, {g_hTabs, WM_CHAR, '?', 0},
    };
    for (const auto& row : rows) {
        g_aboutBoxes = 0;
        HoldKeys({row.message == WM_SYSCHAR ? VK_MENU : 0, VK_SHIFT});
        PostMessageA(row.target, row.message, row.key, 1 << 29);
        PostQuitMessage(0);
        RunMessageLoop(window.handle, keys);
        EXPECT_EQ(row.opened, g_aboutBoxes) << row.key << " to " << row.target;
    }
    HoldKeys({});
}
