// The main window as the user sees it: rows bound to their files and icons, the tabs, the
// toolbar's states, the layout, the Japanese texts, the keys, and what it releases at the end.
#include <windows.h>
#include <shellapi.h>

#include "app/main_tabs.h"
#include "app/main_window.h"
#include "app/message_loop.h"
#include "app/quiverdesk.h"
#include "controls/shortcut_view.h"
#include "controls/status_bar.h"
#include "controls/tool_bar.h"
#include "model/shortcut_list.h"
#include "support/support.h"

namespace {

std::string FileName(const std::string& path) { return path.substr(path.rfind('\\') + 1); }

bool Enabled(int command) { return (SendMessageA(g_toolBar.GetWindow(), TB_GETSTATE, command, 0) & TBSTATE_ENABLED) != 0; }

}  // namespace

TEST_F(ShellFolderTest, RowsShowTheSelectedTabsShortcutsEachBoundToItsFile)
{
    const struct { const char* file; const char* target; const char* description; } rows[] = {
        {"06-ansi-stringdata-desc-args.lnk", "E:\\Age Of Empires II\\Age2_X1\\age2_x1.Exe", "The Conquerors - NormalMouse.lnk"},
        {"26-japanese-cp932-local.lnk", "C:\\Temp\\リンク先.txt", "コメント"},
        {"01-format-doc-example-local-file.lnk", "C:\\test\\a.txt", ""},
        {"17-win10-url-target.lnk", "", ""},
        {"bad.lnk", "", ""},
    };
    for (const auto& row : rows)
        ASSERT_TRUE(AddSample(m_sendTo, row.file) || WriteBytes(m_sendTo + "\\" + row.file, "junk"));
    WriteBytes(m_sendTo + "\\a.txt", "x");
    CreateDirectoryA((m_sendTo + "\\folder.lnk").c_str(), 0);  // matches the pattern, so it is listed
    AddSample(m_startup, "25-local-desc-quoted-args-space.lnk");

    MainWindow window;
    EXPECT_EQ(m_sendTo, StatusText());
    ASSERT_EQ(6, RowCount());
    for (int row = 0; row < RowCount(); ++row) {
        std::string file = FileName(RowLinkPath(row));
        EXPECT_EQ(file == "folder.lnk" ? file : file.substr(0, file.size() - 4), RowText(row, 0)) << row;
        for (const auto& expected : rows) {
            if (file == expected.file) {
                EXPECT_EQ(Ansi(expected.target), RowText(row, 1)) << file;
                EXPECT_EQ(Ansi(expected.description), RowText(row, 2)) << file;
            }
        }
    }
    EXPECT_FALSE(Enabled(CMD_DELETE));
    SelectRows({1});
    EXPECT_TRUE(Enabled(CMD_DELETE) && Enabled(CMD_PROPERTIES) && Enabled(CMD_EXPLORE_TARGET));

    window.ClickTab(1);
    EXPECT_EQ(m_startup, StatusText());
    ASSERT_EQ(1, RowCount());
    EXPECT_EQ("25-local-desc-quoted-args-space.lnk", FileName(RowLinkPath(0)));
    window.ClickTab(0);
    EXPECT_EQ(6, RowCount());
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
    ScopedImportPatch uninit("ole32", "CoUninitialize", reinterpret_cast<void*>(RecordCoUninitialize));
    g_coUninitialize = reinterpret_cast<decltype(g_coUninitialize)>(uninit.Original());
    MainWindow().Command(CMD_EXIT);
    EXPECT_EQ(0, g_itemsAtCoUninitialize);
}

TEST_F(ShellFolderTest, ChildrenFollowEveryResize)
{
    MainWindow window;
    for (SIZE size : {SIZE{500, 400}, SIZE{700, 250}}) {
        SetWindowPos(window.Handle(), 0, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
        PumpMessages();
        RECT client, status, list;
        GetClientRect(window.Handle(), &client);
        GetWindowRect(g_statusBar.GetWindow(), &status);
        GetWindowRect(g_hListView, &list);
        MapWindowPoints(0, window.Handle(), reinterpret_cast<POINT*>(&status), 2);
        MapWindowPoints(0, window.Handle(), reinterpret_cast<POINT*>(&list), 2);
        EXPECT_EQ(client.bottom, status.bottom) << size.cx;
        EXPECT_EQ(client.right, status.right) << size.cx;
        EXPECT_LE(list.bottom, status.top) << size.cx;
        EXPECT_GE(list.top, g_toolBar.GetHeight()) << size.cx;
    }
}

TEST_F(ShellFolderTest, JapaneseTextsReachTheUserAsWritten)
{
    MainWindow window;
    HINSTANCE module = GetModuleHandleA(0);
    char text[256];
    const struct { int kind, id; const char* expected; } rows[] = {
        {0, 0, "送る"}, {0, 1, "スタートアップ"}, {1, 0, "名前"}, {1, 1, "送り先"}, {1, 2, "説明"},
        {2, CMD_REFRESH, "更新"}, {2, CMD_DELETE, "削除"}, {2, CMD_OPEN_FOLDER, "フォルダを開く"},
        {2, CMD_EXPLORE_TARGET, "リンク先をエクスプローラで開く"}, {2, CMD_PROPERTIES, "プロパティ"},
        {3, CMD_EXIT, "ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)"}, {3, CMD_ABOUT, "ﾊﾞｰｼﾞｮﾝ情報(&A) ..."},
    };
    for (const auto& row : rows) {
        text[0] = '\0';
        TCITEMA tab = {TCIF_TEXT, 0, 0, text, sizeof(text), 0, 0};
        LVCOLUMNA column = {LVCF_TEXT, 0, 0, text, sizeof(text), 0, 0, 0, 0, 0, 0};
        if (row.kind == 0)
            SendMessageA(g_hTabs, TCM_GETITEMA, row.id, reinterpret_cast<LPARAM>(&tab));
        else if (row.kind == 1)
            SendMessageA(g_hListView, LVM_GETCOLUMNA, row.id, reinterpret_cast<LPARAM>(&column));
        else if (row.kind == 2)
            LoadStringA(module, row.id, text, sizeof(text));
        else
            GetMenuStringA(GetMenu(window.Handle()), row.id, text, sizeof(text), MF_BYCOMMAND);
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
    ScopedImportPatch about("user32", "DialogBoxParamA", reinterpret_cast<void*>(CountAboutBox));
    HACCEL keys = LoadAcceleratorsA(GetModuleHandleA(0), MAKEINTRESOURCEA(IDA_MAIN));
    const struct { HWND target; UINT message; char key; int opened; } rows[] = {
        {window.Handle(), WM_SYSCHAR, '?', 1}, {g_hListView, WM_SYSCHAR, '/', 1}, {g_hTabs, WM_SYSCHAR, '?', 1},
        {g_hListView, WM_CHAR, '/', 0}, {g_hTabs, WM_CHAR, '?', 0},
    };
    for (const auto& row : rows) {
        g_aboutBoxes = 0;
        if (row.message == WM_SYSCHAR)
            HoldKeys({VK_MENU, VK_SHIFT});
        else
            HoldKeys({});
        PostMessageA(row.target, row.message, row.key, 1 << 29);
        PostQuitMessage(0);
        RunMessageLoop(window.Handle(), keys);
        EXPECT_EQ(row.opened, g_aboutBoxes) << row.key << " to " << row.target;
    }
    HoldKeys({});
}
