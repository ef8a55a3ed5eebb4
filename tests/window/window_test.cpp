// The real main window in-process, as the user sees and drives it: rows bound to their files, the
// tabs and their scans, the toolbar, the layout after a DPI change, the Japanese texts, the
// teardown, and the commands: delete, drops, the shell actions, and names the code page lacks,
// which must reach the shell as exactly one file or not at all.
#include "support/support.h"

namespace {

bool Enabled(int command) { return SendMessageA(g_toolBar.GetWindow(), TB_GETSTATE, command, 0) & TBSTATE_ENABLED; }

decltype(&CoUninitialize) g_coUninitialize;
int g_itemsAtCoUninitialize = -1;
decltype(&FindFirstFileA) g_findFirstFile;
int g_scans = 0;

int g_dropsFinished = 0;
decltype(&DragFinish) g_dragFinish;
decltype(&FindNextFileA) g_findNext;
bool g_shortNames = true;

}  // namespace

// Every real sample (one is no shortcut at all), and paths of MAX_PATH - 1 and MAX_PATH bytes:
// each row shows what the shell shows for its own file by path, and what its own link holds. The
// path too long for MAX_PATH is left out, not cut to another file's name. Closing releases the
// items' link objects while COM is still up.
TEST_F(MainWindowTest, RowsShowTheShortcutsEachBoundToItsFile)
{
    const Names samples = LinkNames(TestDataPath("lnk"));
    for (const std::string& sample : samples)
        AddSample(m_sendTo, sample);
    for (int length : {MAX_PATH - 1, MAX_PATH})
        AddSample(m_sendTo, samples[0], std::string(length - m_sendTo.size() - 5, 'n') + ".lnk");
    Command(CMD_REFRESH);
    char status[MAX_PATH] = "";
    SendMessageA(g_statusBar.GetWindow(), SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(status));
    EXPECT_EQ(m_sendTo, status);
    ASSERT_EQ(static_cast<int>(samples.size()) + 1, RowCount());
    for (int row = 0; row < RowCount(); ++row) {
        std::string path = RowLinkPath(row);
        SHFILEINFOA name = {}, icon = {};
        SHGetFileInfoA(path.c_str(), 0, &name, sizeof(name), SHGFI_DISPLAYNAME);
        SHGetFileInfoA(path.c_str(), 0, &icon, sizeof(icon), SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
        LVITEMA image = {LVIF_IMAGE, row};
        ListView_GetItem(g_hListView, &image);
        EXPECT_EQ(name.szDisplayName, RowText(row, 0)) << path;
        EXPECT_EQ(icon.iIcon, image.iImage) << path;
    }
    int japanese = RowsOf({m_sendTo + "\\26-japanese-cp932-local.lnk"})[0];
    EXPECT_EQ(Ansi(L"C:\\Temp\\リンク先.txt|コメント"), RowText(japanese, 1) + "|" + RowText(japanese, 2));
    EXPECT_FALSE(Enabled(CMD_DELETE));
    SelectRows({1});
    EXPECT_TRUE(Enabled(CMD_DELETE) && Enabled(CMD_PROPERTIES) && Enabled(CMD_EXPLORE_TARGET));
    ImportPatch uninitialize(__imp_CoUninitialize, +[]() {
        g_itemsAtCoUninitialize = g_shortcutList.GetCount();
        g_coUninitialize();
    }, &g_coUninitialize);
    Command(CMD_EXIT);
    EXPECT_EQ(0, g_itemsAtCoUninitialize);
}

// The list lay in place before the window first showed, so nothing visible moved. On a move to a
// 144-DPI screen the window takes the suggested size, the columns grow by half, the status bar docks.
TEST_F(MainWindowTest, LayoutHoldsFromTheFirstShowAndFollowsADpiChange)
{
    EXPECT_TRUE(g_laidOutAtShow);
    const RECT suggested = {40, 30, 940, 480};
    SendMessageA(m_window, 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    RECT client, status;
    GetClientRect(m_window, &client);
    GetWindowRect(g_statusBar.GetWindow(), &status);
    MapWindowPoints(0, m_window, reinterpret_cast<POINT*>(&status), 2);
    EXPECT_EQ("900 450 150 150 450", Frame(m_window)) << "outer size and column widths";
    EXPECT_TRUE(client.bottom == status.bottom && client.right == status.right);
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
    SendMessageA(g_hTabs, WM_KEYDOWN, VK_LEFT, 0);
    PumpMessages();
    ClickTab(0);
    EXPECT_EQ(4, g_scans) << "an arrow key to the other tab, then a click on it";
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

// With Shift held every file goes for good once the user confirms it; a row goes only when its
// file really went, and only its own. A second Delete while a confirmation is open is ignored.
TEST_F(MainWindowTest, DeleteRemovesTheConfirmedFilesAndTheirRowsOnly)
{
    Names links;
    for (const char* name : {"a.lnk", "b.lnk", "c.lnk", "d.lnk"})
        links.push_back(MakeLink(m_sendTo, name, ScratchFile(std::string(name) + ".txt")));
    Command(CMD_REFRESH);
    ShellRecorder recorder;
    g_calls.clear();
    // c.lnk is in use, opened without sharing, so its delete fails.
    HANDLE inUse = CreateFileA(links[2].c_str(), GENERIC_READ, 0, 0, OPEN_EXISTING, 0, 0);
    SelectRows(RowsOf({links[0], links[1], links[2]}));
    HoldKeys({VK_SHIFT});
    PostMessageA(m_window, WM_COMMAND, CMD_DELETE, 0);
    PostMessageA(m_window, WM_COMMAND, CMD_DELETE, 0);
    PumpMessages();
    HoldKeys({});
    CloseHandle(inUse);
    EXPECT_EQ(Names({"delete: " + links[0], "delete: " + links[1], "delete: " + links[2]}), g_calls);
    EXPECT_EQ(Names({"c.lnk", "d.lnk"}), LinkNames(m_sendTo));
    EXPECT_EQ(RowsOf({links[2], links[3]}), std::vector<int>({0, 1}));
}

// Drops land in the folder of the selected tab, named without their last extension; 表 and ソ
// end in the byte of a backslash. A shortcut dropped on its own folder is left as it was.
TEST_F(MainWindowTest, DroppedItemsBecomeShortcutsInTheTabsFolder)
{
    ScratchFolder(Ansi(L"表"));
    std::string own = MakeLink(m_startup, "own.lnk", ScratchFile("own.txt"));
    const std::string ownBytes = TreeContents(m_startup).at(Wide(own));
    ClickTab(1);
    // A real HDROP, as the shell hands it over, in fixed zeroed memory (the handle is the pointer):
    // each name ended by a zero byte, and the list by one more.
    std::string names;
    for (const std::string& name : {ScratchFile("report.final.doc"), ScratchFile(Ansi(L"表\\ソ.txt")), ScratchFolder("Data"), own})
        names += name + '\0';
    DROPFILES* drop = static_cast<DROPFILES*>(GlobalAlloc(GPTR, sizeof(DROPFILES) + names.size() + 1));
    drop->pFiles = sizeof(DROPFILES);
    CopyMemory(drop + 1, names.data(), names.size());
    ImportPatch finish(__imp_DragFinish, +[](HDROP handle) {
        ++g_dropsFinished;
        g_dragFinish(handle);
    }, &g_dragFinish);
    SendMessageA(m_window, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
    EXPECT_EQ(1, g_dropsFinished);
    EXPECT_EQ(Names({"Data.lnk", "own.lnk", "report.final.lnk", Ansi(L"ソ.lnk")}), LinkNames(m_startup));
    EXPECT_EQ(ownBytes, TreeContents(m_startup).at(Wide(own)));
    EXPECT_EQ(std::string(kScratchFolder) + "\\report.final.doc", RowText(RowsOf({m_startup + "\\report.final.lnk"})[0], 1));
}

TEST_F(MainWindowTest, ShellActionsReachTheFoldersAndFilesOfTheSelectedRows)
{
    std::string toTool = MakeLink(m_sendTo, "tool.lnk", ScratchFile("tool.exe"));
    std::string toData = MakeLink(m_sendTo, "data.lnk", ScratchFolder("Data"));
    WriteBytes("C:\\qd-root.txt", "x");
    std::string toRoot = MakeLink(m_sendTo, "root.lnk", "C:\\qd-root.txt");
    Command(CMD_REFRESH);
    ShellRecorder recorder;
    const struct { Names links; int command; Names calls; } rows[] = {
        {{toTool}, CMD_EXPLORE_TARGET, {"explore: " + std::string(kScratchFolder)}},
        {{toData}, CMD_EXPLORE_TARGET, {"explore: " + std::string(kScratchFolder) + "\\Data"}},  // a folder stays whole
        {{toRoot}, CMD_EXPLORE_TARGET, {"explore: C:\\"}},  // "C:" would be the drive's current folder
        {{toTool, toData}, CMD_PROPERTIES, {"properties: " + toData, "properties: " + toTool}},
        {{}, CMD_OPEN_FOLDER, {"open: " + m_sendTo}},
    };
    for (const auto& row : rows) {
        g_calls.clear();
        SelectRows(RowsOf(row.links));
        Command(row.command);
        EXPECT_EQ(row.calls, g_calls) << row.command;
    }
    DeleteFileA("C:\\qd-root.txt");
}

// 📁Docs.lnk comes back from the 8-bit search as ??Docs.lnk, a wildcard that also matches
// MyDocs.lnk. Every command on its row must reach that one file, by its short name; without one,
// the row says why and no command acts on it.
TEST_F(MainWindowTest, ARowWhoseNameTheCodePageLacksReachesOnlyItsOwnFile)
{
    const std::string alike = MakeLink(m_startup, "MyDocs.lnk", ScratchFile("my.txt"));
    const auto others = TreeContents(m_startup);
    const std::wstring path = Wide(m_startup) + L"\\\U0001F4C1Docs.lnk";
    ShellRecorder recorder;
    // The search as on a volume that keeps short names, then as on one that keeps none. Only the
    // next-file call is changed: the first entry, in name order, is MyDocs.lnk.
    ImportPatch search(__imp_FindNextFileA, +[](HANDLE handle, LPWIN32_FIND_DATAA found) {
        BOOL more = g_findNext(handle, found);
        if (!g_shortNames)
            found->cAlternateFileName[0] = '\0';
        return more;
    }, &g_findNext);
    ClickTab(1);
    for (bool shortNames : {true, false}) {
        SCOPED_TRACE(shortNames ? "with short names" : "without short names");
        g_shortNames = shortNames;
        ASSERT_TRUE(MoveFileW(Wide(MakeLink(m_startup, "tmp.lnk", ScratchFile("a.txt"))).c_str(), path.c_str()));
        Command(CMD_REFRESH);
        ASSERT_EQ(2, RowCount());
        int row = 1 - RowsOf({alike})[0];
        const std::string link = RowLinkPath(row);
        SelectRows({row});
        g_calls.clear();
        Command(CMD_PROPERTIES);
        Command(CMD_EXPLORE_TARGET);
        Command(CMD_DELETE);
        Names expected = {"properties: " + link, "explore: " + std::string(kScratchFolder), "recycle: " + link};
        EXPECT_EQ(shortNames ? expected : Names(), g_calls);
        EXPECT_EQ(shortNames, GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES);
        EXPECT_TRUE(shortNames || !RowText(row, 2).empty()) << "an unusable row says why";
        DeleteFileW(path.c_str());
        EXPECT_EQ(others, TreeContents(m_startup)) << "MyDocs.lnk keeps its bytes";
    }
}
