// The real main window in-process: rows bound to their files, tabs and scans, status bar, Japanese
// texts, teardown, and the shell actions.
#include <set>

#include "support/support.h"

namespace {

decltype(&CoUninitialize) g_coUninitialize;
int g_itemsAtCoUninitialize = -1;
decltype(&FindFirstFileW) g_findFirstFile;
int g_scans = 0;

// The status bar's two parts, the path and the count or what went wrong, and the row count.
Text Status()
{
    wchar_t path[MAX_PATH + 1] = L"", outcome[MAX_PATH] = L"";
    SendMessageW(g_statusBar.GetWindow(), SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(path));
    SendMessageW(g_statusBar.GetWindow(), SB_GETTEXTW, 1, reinterpret_cast<LPARAM>(outcome));
    return path + Text(L"|") + outcome + L"|" + std::to_wstring(RowCount());
}

}  // namespace

// Every sample and a folder: each row shows the name and the icon the shell gives
// its file, and a shortcut's own target and description as they were written.
TEST_F(MainWindowTest, RowsShowEachFileAsTheShellShowsIt)
{
    const Names samples = LinkNames(TestDataPath(L"lnk"));
    for (const Text& sample : samples)
        AddSample(m_sendTo, sample);
    CreateDirectoryW((m_sendTo + L"\\Folder").c_str(), 0);
    Command(CMD_REFRESH);
    const Text count = std::to_wstring(samples.size() + 1);
    ASSERT_EQ(m_sendTo + L"|" + count + L" 個の項目|" + count, Status());
    std::set<int> icons;
    for (int row = 0; row < RowCount(); ++row) {
        SHFILEINFOW name = {}, icon = {};
        SHGetFileInfoW(RowLinkPath(row).c_str(), 0, &name, sizeof(name), SHGFI_DISPLAYNAME);
        SHGetFileInfoW(RowLinkPath(row).c_str(), 0, &icon, sizeof(icon), SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
        LVITEMA image = {LVIF_IMAGE, row};
        ListView_GetItem(MainChild(CTRL_LIST), &image);
        EXPECT_EQ(name.szDisplayName, RowText(row, 0)) << Ansi(RowLinkPath(row));
        EXPECT_EQ(icon.iIcon, image.iImage) << Ansi(RowLinkPath(row));
        icons.insert(image.iImage);
    }
    EXPECT_LT(1u, icons.size()) << "a folder shows an icon of its own";
    int japanese = RowsOf({m_sendTo + L"\\26-japanese-cp932-local.lnk"})[0];
    EXPECT_EQ(L"C:\\Temp\\リンク先.txt|コメント", RowText(japanese, 1) + L"|" + RowText(japanese, 2));
}

// Of paths of MAX_PATH - 1 and MAX_PATH units, the one too long to act on says why, and no command
// takes it: even the Startup switch stays greyed with it selected.
TEST_F(MainWindowTest, APathTooLongToActOnSaysWhy)
{
    const Text tooLong = Text(MAX_PATH - m_startup.size() - 5, L'n'), fits = tooLong.substr(1) + L".lnk";
    AddSample(m_startup, L"01-format-doc-example-local-file.lnk", fits);
    AddSample(m_startup, L"01-format-doc-example-local-file.lnk", tooLong + L".lnk");
    ClickTab(1);
    const int row = RowNamed(tooLong);
    SelectRows({row});
    EXPECT_EQ(L"パスが長すぎるため操作できません", RowText(row, 2));
    EXPECT_EQ("-", Pressable(CMD_SWITCH_OFF)) << "the switch, with only the row too long selected";
    EXPECT_EQ(m_startup + L"\\" + fits, RowLinkPath(RowsOf({m_startup + L"\\" + fits})[0]));
}

// Links are released before COM shuts down, as a process that ends cleanly must.
TEST_F(MainWindowTest, ShortcutsAreReleasedBeforeCOMIsShutDown)
{
    MakeLink(m_sendTo, L"a.lnk", ScratchFile(L"a.txt"));
    Command(CMD_REFRESH);
    ImportPatch uninitialize(
        __imp_CoUninitialize,
        +[]() {
            g_itemsAtCoUninitialize = g_shortcutList.GetCount();
            g_coUninitialize();
        },
        &g_coUninitialize);
    Command(CMD_EXIT);
    EXPECT_EQ(0, g_itemsAtCoUninitialize);
}

// A folder the shell can't name or read leaves nothing of the other tab; the status bar says why.
TEST_F(MainWindowTest, AListingThatFailsLeavesNothingOfTheOtherTab)
{
    MakeLink(m_sendTo, L"a.lnk", ScratchFile(L"a.txt"));
    Command(CMD_REFRESH);
    ImportPatch denied(
        __imp_FindFirstFileW,
        +[](LPCWSTR, LPWIN32_FIND_DATAW) { return SetLastError(ERROR_ACCESS_DENIED), INVALID_HANDLE_VALUE; });
    ClickTab(1);
    EXPECT_EQ(m_startup + L"|フォルダーを読み込めません|0", Status());
    ClickTab(0);
    ImportPatch unnamed(
        __imp_SHGetSpecialFolderLocation, +[](HWND, int, LPITEMIDLIST*) { return E_FAIL; });
    ClickTab(1);
    EXPECT_EQ(L"|フォルダーが見つかりません|0", Status());
}

TEST_F(MainWindowTest, OneScanPerChangeOfTabAndPerClickOnTheSelectedOne)
{
    ImportPatch scans(
        __imp_FindFirstFileW,
        +[](LPCWSTR pattern, LPWIN32_FIND_DATAW found) { return ++g_scans, g_findFirstFile(pattern, found); },
        &g_findFirstFile);
    // A listing of the Startup tab reads both Startup folders, the user's and all users'.
    ClickTab(1);
    EXPECT_EQ(2, g_scans) << "a click on the other tab";
    ClickTab(1);
    EXPECT_EQ(4, g_scans) << "a click on the selected tab";
    SendMessageA(MainChild(CTRL_TABS), WM_KEYDOWN, VK_LEFT, 0);
    PumpMessages();
    ClickTab(0);
    EXPECT_EQ(6, g_scans) << "an arrow key to the other tab, then a click on it";
}

// The tabs' captions, bytes in the code, and a tooltip's string, from the resource script, which
// the toolbar asks the window for as here.
TEST_F(MainWindowTest, JapaneseTextsReachTheUserAsWritten)
{
    char text[3][64] = {};
    for (int tab : {0, 1}) {
        TCITEMA item = {TCIF_TEXT, 0, 0, text[tab], sizeof(text[tab])};
        SendMessageA(MainChild(CTRL_TABS), TCM_GETITEMA, tab, reinterpret_cast<LPARAM>(&item));
    }
    NMTTDISPINFOA info = {{g_toolBar.GetToolTips(), CMD_DELETE, TTN_GETDISPINFOA}};
    SendMessageA(m_window, WM_NOTIFY, CMD_DELETE, reinterpret_cast<LPARAM>(&info));
    LoadStringA(info.hinst, static_cast<UINT>(reinterpret_cast<UINT_PTR>(info.lpszText)), text[2], sizeof(text[2]));
    EXPECT_EQ(Ansi(L"送る|スタートアップ|削除"), text[0] + ("|" + std::string(text[1])) + "|" + text[2]);
}

TEST_F(MainWindowTest, ShellActionsReachTheFoldersAndFilesOfTheSelectedRows)
{
    Text toTool = MakeLink(m_sendTo, L"tool.lnk", ScratchFile(L"tool.exe"));
    Text toData = MakeLink(m_sendTo, L"data.lnk", ScratchFolder(L"Data"));
    WriteBytes(L"C:\\qd-root.txt", "x");
    Text toRoot = MakeLink(m_sendTo, L"root.lnk", L"C:\\qd-root.txt");
    Text toTwo = MakeLink(m_sendTo, L"two.lnk", ScratchFile(L"two.exe"));
    Command(CMD_REFRESH);
    SortBy(0);
    NoticeRecorder noticed;
    const struct {
        Names links;
        int command;
        Names calls;
    } rows[] = {
        {{toTool}, CMD_EXPLORE_TARGET, {L"select: " + kScratchFolder + L"|" + kScratchFolder + L"\\tool.exe"}},
        {{toData}, CMD_EXPLORE_TARGET, {L"explore: " + kScratchFolder + L"\\Data"}},  // a folder stays whole
        {{toRoot}, CMD_EXPLORE_TARGET, {L"select: C:\\|C:\\qd-root.txt"}},  // "C:" would be the drive's current one
        {{toTool, toTwo},
         CMD_EXPLORE_TARGET,  // one window a folder, its targets selected
         {L"select: " + kScratchFolder + L"|" + kScratchFolder + L"\\tool.exe|" + kScratchFolder + L"\\two.exe"}},
        {{toTool, toData}, CMD_PROPERTIES, {L"properties: " + toData, L"properties: " + toTool}},
        {{}, CMD_OPEN_FOLDER, {L"open: " + m_sendTo}},
    };
    for (const auto& row : rows) {
        g_noticed = {};
        SelectRows(RowsOf(row.links));
        Command(row.command);
        EXPECT_EQ(row.calls, g_noticed.windows) << row.command;
    }
    DeleteFileW(L"C:\\qd-root.txt");
}
