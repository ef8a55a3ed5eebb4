// The real main window in-process: rows bound to their files, tabs and scans, toolbar, status bar,
// Japanese texts, teardown, and the commands: delete, drops and the shell actions.
#include "support/support.h"

namespace {

bool Enabled(int command)
{
    return SendMessageA(g_toolBar.GetWindow(), TB_GETSTATE, command, 0) & TBSTATE_ENABLED;
}

decltype(&CoUninitialize) g_coUninitialize;
int g_itemsAtCoUninitialize = -1;
decltype(&FindFirstFileW) g_findFirstFile;
decltype(&DragFinish) g_dragFinish;
int g_scans = 0, g_dropsFinished = 0;

// The status bar's two parts, the path and the count or what went wrong, and the row count.
Text Status()
{
    wchar_t path[MAX_PATH + 1] = L"", outcome[MAX_PATH] = L"";
    SendMessageW(g_statusBar.GetWindow(), SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(path));
    SendMessageW(g_statusBar.GetWindow(), SB_GETTEXTW, 1, reinterpret_cast<LPARAM>(outcome));
    return path + Text(L"|") + outcome + L"|" + std::to_wstring(RowCount());
}

}  // namespace

// Every sample, and paths of MAX_PATH - 1 and MAX_PATH units: each row shows what the shell and its
// own link say; the one too long says why nothing acts on it. Links are released before COM is.
TEST_F(MainWindowTest, RowsShowTheShortcutsEachBoundToItsFile)
{
    const Names samples = LinkNames(TestDataPath(L"lnk"));
    for (const Text& sample : samples)
        AddSample(m_sendTo, sample);
    for (int length : {MAX_PATH - 1, MAX_PATH})
        AddSample(m_sendTo, samples[0], Text(length - m_sendTo.size() - 5, L'n') + L".lnk");
    Command(CMD_REFRESH);
    const Text count = std::to_wstring(samples.size() + 2);
    ASSERT_EQ(m_sendTo + L"|" + count + L" 個の項目|" + count, Status());
    for (int row = 0; row < RowCount(); ++row) {
        Text path = RowLinkPath(row);
        if (path.empty()) {
            EXPECT_EQ(Text(MAX_PATH - m_sendTo.size() - 5, L'n') + L"|パスが長すぎるため操作できません",
                      RowText(row, 0) + L"|" + RowText(row, 2));
            continue;
        }
        SHFILEINFOW name = {}, icon = {};
        SHGetFileInfoW(path.c_str(), 0, &name, sizeof(name), SHGFI_DISPLAYNAME);
        SHGetFileInfoW(path.c_str(), 0, &icon, sizeof(icon), SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
        LVITEMA image = {LVIF_IMAGE, row};
        ListView_GetItem(MainChild(CTRL_LIST), &image);
        EXPECT_EQ(name.szDisplayName, RowText(row, 0)) << Ansi(path);
        EXPECT_EQ(icon.iIcon, image.iImage) << Ansi(path);
    }
    int japanese = RowsOf({m_sendTo + L"\\26-japanese-cp932-local.lnk"})[0];
    EXPECT_EQ(L"C:\\Temp\\リンク先.txt|コメント", RowText(japanese, 1) + L"|" + RowText(japanese, 2));
    EXPECT_FALSE(Enabled(CMD_DELETE));
    SelectRows({1});
    EXPECT_TRUE(Enabled(CMD_DELETE) && Enabled(CMD_PROPERTIES) && Enabled(CMD_EXPLORE_TARGET));
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

// The tabs' captions, bytes in the code, and the tooltips' strings, from the resource script.
TEST_F(MainWindowTest, JapaneseTextsReachTheUserAsWritten)
{
    const struct {
        int tab, command;
        const wchar_t* expected;
    } rows[] = {
        {0, 0, L"送る"},
        {1, 0, L"スタートアップ"},
        {-1, CMD_REFRESH, L"更新"},
        {-1, CMD_DELETE, L"削除"},
        {-1, CMD_OPEN_FOLDER, L"フォルダを開く"},
        {-1, CMD_EXPLORE_TARGET, L"リンク先をエクスプローラで開く"},
        {-1, CMD_PROPERTIES, L"プロパティ"},
    };
    for (const auto& row : rows) {
        char text[256] = "";
        TCITEMA tab = {TCIF_TEXT, 0, 0, text, sizeof(text)};
        // The toolbar's tooltip asks the window for its text, as here.
        NMTTDISPINFOA info = {{g_toolBar.GetToolTips(), static_cast<UINT_PTR>(row.command), TTN_GETDISPINFOA}};
        if (row.tab >= 0) {
            SendMessageA(MainChild(CTRL_TABS), TCM_GETITEMA, row.tab, reinterpret_cast<LPARAM>(&tab));
        } else {
            SendMessageA(m_window, WM_NOTIFY, row.command, reinterpret_cast<LPARAM>(&info));
            LoadStringA(info.hinst, static_cast<UINT>(reinterpret_cast<UINT_PTR>(info.lpszText)), text, sizeof(text));
        }
        EXPECT_EQ(Ansi(row.expected), text) << row.command;
    }
}

// Shift deletes for good; a row goes only with its file; a refresh waits for the command to end.
TEST_F(MainWindowTest, DeleteRemovesTheConfirmedFilesAndTheirRowsOnly)
{
    Names links;
    for (const wchar_t* name : {L"a.lnk", L"b.lnk", L"c.lnk", L"d.lnk"})
        links.push_back(MakeLink(m_sendTo, name, ScratchFile(Text(name) + L".txt")));
    Command(CMD_REFRESH);
    ShellRecorder recorder;
    // c.lnk is in use, opened without sharing, so its delete fails.
    HANDLE inUse = CreateFileW(links[2].c_str(), GENERIC_READ, 0, 0, OPEN_EXISTING, 0, 0);
    SelectRows(RowsOf({links[0], links[1], links[2]}));
    HoldKeys({VK_SHIFT});
    PostMessageA(m_window, WM_COMMAND, CMD_DELETE, 0);
    PostMessageA(m_window, WM_COMMAND, CMD_REFRESH, 0);
    PostMessageA(m_window, WM_COMMAND, CMD_DELETE, 0);
    PumpMessages();
    HoldKeys({});
    CloseHandle(inUse);
    EXPECT_EQ(Names({L"delete: " + links[0], L"delete: " + links[1], L"delete: " + links[2]}), g_calls);
    EXPECT_EQ(Names({L"c.lnk", L"d.lnk"}), LinkNames(m_sendTo));
    EXPECT_EQ(RowsOf({links[2], links[3]}), std::vector<int>({0, 1}));
}

// Drops land in the selected tab's folder, named without their last extension; a name taken by
// another target gets Explorer's next free one; one to the same target, or to itself, stays.
TEST_F(MainWindowTest, DroppedItemsBecomeShortcutsInTheTabsFolder)
{
    Text own = MakeLink(m_startup, L"own.lnk", ScratchFile(L"own.txt"));
    Text report = ScratchFile(L"report.final.doc");
    MakeLink(m_startup, L"report.final.lnk", ScratchFile(L"other.doc"));
    MakeLink(m_startup, L"Data.lnk", ScratchFolder(L"Data"));
    const auto before = TreeContents(m_startup);
    ClickTab(1);
    ImportPatch finish(
        __imp_DragFinish, +[](HDROP handle) { ++g_dropsFinished, g_dragFinish(handle); }, &g_dragFinish);
    DropFiles(m_window, {report, kScratchFolder + L"\\Data", own});
    DropFiles(m_window, {report});
    EXPECT_EQ(2, g_dropsFinished);
    EXPECT_EQ(Names({L"Data.lnk", L"own.lnk", L"report.final (2).lnk", L"report.final.lnk"}), LinkNames(m_startup));
    for (const auto& [path, bytes] : before)
        EXPECT_EQ(bytes, TreeContents(m_startup).at(path)) << Ansi(path);
    EXPECT_EQ(report, RowText(RowsOf({m_startup + L"\\report.final (2).lnk"})[0], 1));
}

TEST_F(MainWindowTest, ShellActionsReachTheFoldersAndFilesOfTheSelectedRows)
{
    Text toTool = MakeLink(m_sendTo, L"tool.lnk", ScratchFile(L"tool.exe"));
    Text toData = MakeLink(m_sendTo, L"data.lnk", ScratchFolder(L"Data"));
    WriteBytes(L"C:\\qd-root.txt", "x");
    Text toRoot = MakeLink(m_sendTo, L"root.lnk", L"C:\\qd-root.txt");
    Command(CMD_REFRESH);
    ShellRecorder recorder;
    const struct {
        Names links;
        int command;
        Names calls;
    } rows[] = {
        {{toTool}, CMD_EXPLORE_TARGET, {L"explore: " + kScratchFolder}},
        {{toData}, CMD_EXPLORE_TARGET, {L"explore: " + kScratchFolder + L"\\Data"}},  // a folder stays whole
        {{toRoot}, CMD_EXPLORE_TARGET, {L"explore: C:\\"}},  // "C:" would be the drive's current folder
        {{toTool, toData}, CMD_PROPERTIES, {L"properties: " + toData, L"properties: " + toTool}},
        {{}, CMD_OPEN_FOLDER, {L"open: " + m_sendTo}},
    };
    for (const auto& row : rows) {
        g_calls.clear();
        SelectRows(RowsOf(row.links));
        Command(row.command);
        EXPECT_EQ(row.calls, g_calls) << row.command;
    }
    DeleteFileW(L"C:\\qd-root.txt");
}
