// The main window as the user sees it: rows bound to their files, names and icons, the tabs and
// their scans, the toolbar's states, the layout after a DPI change, the Japanese texts, the keys,
// and the order of its teardown.
#include "support/support.h"

namespace {

bool Enabled(int command) { return SendMessageA(g_toolBar.GetWindow(), TB_GETSTATE, command, 0) & TBSTATE_ENABLED; }

decltype(&CoUninitialize) g_coUninitialize;
int g_itemsAtCoUninitialize = -1;
decltype(&FindFirstFileA) g_findFirstFile;
int g_scans = 0;
int g_aboutBoxes = 0;

}  // namespace

// Every real sample, a file that is no shortcut, and paths of MAX_PATH - 1 and MAX_PATH bytes:
// each row shows what the shell shows for its own file by path, and what its own link holds. The
// path too long for MAX_PATH is left out, not cut to another file's name. Closing releases the
// items' link objects while COM is still up.
TEST_F(MainWindowTest, RowsShowTheSelectedTabsShortcutsEachBoundToItsFile)
{
    const Names samples = LinkNames(TestDataPath("lnk"));
    for (const std::string& sample : samples)
        AddSample(m_sendTo, sample);
    for (int length : {MAX_PATH - 1, MAX_PATH})
        AddSample(m_sendTo, samples[0], std::string(length - m_sendTo.size() - 5, 'n') + ".lnk");
    WriteBytes(m_sendTo + "\\bad.lnk", "junk");
    AddSample(m_startup, "25-local-desc-quoted-args-space.lnk");
    Command(CMD_REFRESH);
    EXPECT_EQ(m_sendTo, StatusText());
    ASSERT_EQ(static_cast<int>(samples.size()) + 2, RowCount());
    for (int row = 0; row < RowCount(); ++row) {
        std::string path = RowLinkPath(row);
        SHFILEINFOA name = {}, icon = {};
        SHGetFileInfoA(path.c_str(), 0, &name, sizeof(name), SHGFI_DISPLAYNAME);
        SHGetFileInfoA(path.c_str(), 0, &icon, sizeof(icon), SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
        LVITEMA image = {LVIF_IMAGE, row};
        ListView_GetItem(g_hListView, &image);
        EXPECT_EQ(name.szDisplayName, RowText(row, 0)) << path;
        EXPECT_EQ(icon.iIcon, image.iImage) << path;
        if (path == m_sendTo + "\\26-japanese-cp932-local.lnk")
            EXPECT_EQ(Ansi(L"C:\\Temp\\リンク先.txt|コメント"), RowText(row, 1) + "|" + RowText(row, 2));
    }
    EXPECT_FALSE(Enabled(CMD_DELETE));
    SelectRows({1});
    EXPECT_TRUE(Enabled(CMD_DELETE) && Enabled(CMD_PROPERTIES) && Enabled(CMD_EXPLORE_TARGET));

    ClickTab(1);
    EXPECT_EQ(m_startup, StatusText());
    ASSERT_EQ(1, RowCount());
    EXPECT_EQ(m_startup + "\\25-local-desc-quoted-args-space.lnk", RowLinkPath(0));
    ImportPatch uninitialize(__imp_CoUninitialize, +[]() {
        g_itemsAtCoUninitialize = g_shortcutList.GetCount();
        g_coUninitialize();
    }, &g_coUninitialize);
    Command(CMD_EXIT);
    EXPECT_EQ(0, g_itemsAtCoUninitialize);
}

// A move to a screen of 144 DPI: the window takes the suggested rectangle, the columns grow by
// half, and the status bar, the list and the tabs are laid out again for the new size.
TEST_F(MainWindowTest, LayoutFollowsADpiChange)
{
    const RECT suggested = {40, 30, 940, 480};
    SendMessageA(m_window, 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    RECT outer, client, tabs, status, list;
    GetWindowRect(m_window, &outer);
    GetClientRect(m_window, &client);
    GetClientRect(g_hTabs, &tabs);
    GetWindowRect(g_statusBar.GetWindow(), &status);
    GetWindowRect(g_hListView, &list);
    MapWindowPoints(0, m_window, reinterpret_cast<POINT*>(&status), 2);
    MapWindowPoints(0, m_window, reinterpret_cast<POINT*>(&list), 2);
    EXPECT_TRUE(EqualRect(&outer, &suggested));
    EXPECT_EQ("900 450 150 150 450", Frame(m_window));
    EXPECT_TRUE(client.bottom == status.bottom && client.right == status.right);
    EXPECT_TRUE(list.bottom <= status.top && list.top >= g_toolBar.GetHeight());
    EXPECT_EQ(client.right, tabs.right);
}

TEST_F(MainWindowTest, OneScanPerChangeOfTabAndPerClickOnTheSelectedOne)
{
    ImportPatch scans(__imp_FindFirstFileA, +[](LPCSTR pattern, LPWIN32_FIND_DATAA found) {
        ++g_scans;
        return g_findFirstFile(pattern, found);
    }, &g_findFirstFile);
    ClickTab(1);
    EXPECT_EQ(1, g_scans) << "a click on the other tab";
    ClickTab(1);
    EXPECT_EQ(2, g_scans) << "a click on the selected tab";
    SendMessageA(g_hTabs, WM_KEYDOWN, VK_RIGHT, 0);
    PumpMessages();
    EXPECT_EQ(2, g_scans) << "an arrow key that changes nothing";
    SendMessageA(g_hTabs, WM_KEYDOWN, VK_LEFT, 0);
    PumpMessages();
    ClickTab(0);
    EXPECT_EQ(4, g_scans) << "an arrow key to the other tab, then a click on it";
    EXPECT_EQ(0, GetSelectedTab());
}

// The tabs' captions, bytes in the code, and the tooltips' strings, from the resource script.
TEST_F(MainWindowTest, JapaneseTextsReachTheUserAsWritten)
{
    const struct { int tab, command; const wchar_t* expected; } rows[] = {
        {0, 0, L"送る"}, {1, 0, L"スタートアップ"}, {-1, CMD_REFRESH, L"更新"}, {-1, CMD_DELETE, L"削除"},
        {-1, CMD_OPEN_FOLDER, L"フォルダを開く"}, {-1, CMD_EXPLORE_TARGET, L"リンク先をエクスプローラで開く"},
        {-1, CMD_PROPERTIES, L"プロパティ"},
    };
    for (const auto& row : rows) {
        char text[256] = "";
        TCITEMA tab = {TCIF_TEXT, 0, 0, text, sizeof(text)};
        // The toolbar's tooltip asks the window for its text, as here.
        NMTTDISPINFOA info = {{g_toolBar.GetToolTips(), static_cast<UINT_PTR>(row.command), TTN_GETDISPINFOA}};
        if (row.tab >= 0) {
            SendMessageA(g_hTabs, TCM_GETITEMA, row.tab, reinterpret_cast<LPARAM>(&tab));
        } else {
            SendMessageA(m_window, WM_NOTIFY, row.command, reinterpret_cast<LPARAM>(&info));
            LoadStringA(info.hinst, static_cast<UINT>(reinterpret_cast<UINT_PTR>(info.lpszText)), text, sizeof(text));
        }
        EXPECT_EQ(Ansi(row.expected), text) << row.command;
    }
}

// Alt+/ and Alt+? open About wherever the focus is inside the window; plain characters do not.
TEST_F(MainWindowTest, AcceleratorsWorkFromEveryControl)
{
    ImportPatch about(__imp_DialogBoxParamA, +[](HINSTANCE, LPCSTR, HWND, DLGPROC, LPARAM) -> INT_PTR {
        ++g_aboutBoxes;
        return IDOK;
    });
    HACCEL keys = LoadAcceleratorsA(GetModuleHandleA(0), MAKEINTRESOURCEA(IDA_MAIN));
    const struct { HWND target; UINT message; char key; int opened; } rows[] = {
        {m_window, WM_SYSCHAR, '?', 1}, {g_hListView, WM_SYSCHAR, '/', 1}, {g_hTabs, WM_SYSCHAR, '?', 1},
        {g_hListView, WM_CHAR, '/', 0}, {g_hTabs, WM_CHAR, '?', 0},
    };
    for (const auto& row : rows) {
        g_aboutBoxes = 0;
        HoldKeys({row.message == WM_SYSCHAR ? VK_MENU : 0, VK_SHIFT});
        PostMessageA(row.target, row.message, row.key, 1 << 29);
        PostQuitMessage(0);
        RunMessageLoop(m_window, keys);
        EXPECT_EQ(row.opened, g_aboutBoxes) << row.key << " to " << row.target;
    }
    HoldKeys({});
}
