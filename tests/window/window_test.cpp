// The main window as the user sees it: rows bound to their files, names and icons, the tabs, the
// toolbar's states, the layout, the Japanese texts, the keys, and the order of its teardown.
#include <windows.h>
#include <shellapi.h>

#include "controls/main_tabs.h"
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

// Every real sample, a file that is no shortcut and a folder that matches the pattern: each row
// shows what the shell shows for its own file by path, and what its own link holds.
TEST_F(ShellFolderTest, RowsShowTheSelectedTabsShortcutsEachBoundToItsFile)
{
    for (const std::string& sample : LinkNames(TestDataPath("lnk")))
        AddSample(m_sendTo, sample);
    WriteBytes(m_sendTo + "\\bad.lnk", "junk");
    WriteBytes(m_sendTo + "\\a.txt", "x");
    CreateDirectoryA((m_sendTo + "\\folder.lnk").c_str(), 0);
    AddSample(m_startup, "25-local-desc-quoted-args-space.lnk");

    MainWindow window;
    EXPECT_EQ(m_sendTo, StatusText());
    ASSERT_EQ(static_cast<int>(LinkNames(TestDataPath("lnk")).size()) + 2, RowCount());
    for (int row = 0; row < RowCount(); ++row) {
        std::string path = RowLinkPath(row);
        SHFILEINFOA name = {}, icon = {};
        SHGetFileInfoA(path.c_str(), 0, &name, sizeof(name), SHGFI_DISPLAYNAME);
        SHGetFileInfoA(path.c_str(), 0, &icon, sizeof(icon), SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
        EXPECT_EQ(name.szDisplayName, RowText(row, 0)) << path;
        EXPECT_EQ(icon.iIcon, RowImage(row)) << path;
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
void WINAPI RecordCoUninitialize() { g_itemsAtCoUninitialize = g_shortcutList.GetCount(), g_coUninitialize(); }

}  // namespace

// The items' link objects must go while COM is still up.
TEST_F(ShellFolderTest, ClosingReleasesTheItemsBeforeCom)
{
    MakeLink(m_sendTo, "a.lnk", ScratchFile("a.txt"));
    ImportPatch uninit("ole32", "CoUninitialize", reinterpret_cast<void*>(RecordCoUninitialize));
    g_coUninitialize = uninit.Original<decltype(g_coUninitialize)>();
    MainWindow().Command(CMD_EXIT);
    EXPECT_EQ(0, g_itemsAtCoUninitialize);
}

TEST_F(ShellFolderTest, ChildrenFollowEveryResize)
{
    MainWindow window;
    for (SIZE size : {SIZE{500, 400}, SIZE{700, 250}}) {
        SetWindowPos(window.handle, 0, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
        PumpMessages();
        RECT client, status, list;
        GetClientRect(window.handle, &client);
        GetWindowRect(g_statusBar.GetWindow(), &status);
        GetWindowRect(g_hListView, &list);
        MapWindowPoints(0, window.handle, reinterpret_cast<POINT*>(&status), 2);
        MapWindowPoints(0, window.handle, reinterpret_cast<POINT*>(&list), 2);
        EXPECT_TRUE(client.bottom == status.bottom && client.right == status.right) << size.cx;
        EXPECT_TRUE(list.bottom <= status.top && list.top >= g_toolBar.GetHeight()) << size.cx;
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
        SendMessageA(window.handle, WM_NOTIFY, row.id, reinterpret_cast<LPARAM>(&info));
        if (row.kind == 0)
            SendMessageA(g_hTabs, TCM_GETITEMA, row.id, reinterpret_cast<LPARAM>(&tab));
        else if (row.kind == 1)
            SendMessageA(g_hListView, LVM_GETCOLUMNA, row.id, reinterpret_cast<LPARAM>(&column));
        else if (row.kind == 2)  // the toolbar's tooltip asks the window for its text
            LoadStringA(info.hinst, static_cast<UINT>(reinterpret_cast<UINT_PTR>(info.lpszText)), text, sizeof(text));
        else
            GetMenuStringA(GetMenu(window.handle), row.id, text, sizeof(text), MF_BYCOMMAND);
        EXPECT_EQ(Ansi(row.expected), text) << row.expected;
    }
}

namespace {

int g_aboutBoxes;
INT_PTR WINAPI CountAboutBox(HINSTANCE, LPCSTR, HWND, DLGPROC, LPARAM) { return ++g_aboutBoxes, IDOK; }

}  // namespace

// Alt+/ and Alt+? open About wherever the focus is inside the window; plain characters do not.
TEST_F(ShellFolderTest, AcceleratorsWorkFromEveryControl)
{
    MainWindow window;
    ImportPatch about("user32", "DialogBoxParamA", reinterpret_cast<void*>(CountAboutBox));
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
        RunMessageLoop(window.handle, keys, 0);
        EXPECT_EQ(row.opened, g_aboutBoxes) << row.key << " to " << row.target;
    }
    HoldKeys({});
}
