// The commands on the real main window: delete as the user answers the shell's confirmations,
// shortcuts from dropped files, the shell actions, and names the code page lacks, which must
// reach the shell as exactly one file or not at all.
#include "support/support.h"

namespace {

// Every call that hands the shell a file name, as "verb: name"; a delete says "recycle" when it
// can be undone. Deletions still happen, as the user confirms them.
Names g_calls;
decltype(&SHFileOperationA) g_fileOperation;

int WINAPI ConfirmFileOperation(LPSHFILEOPSTRUCTA operation)
{
    g_calls.push_back((operation->fFlags & FOF_ALLOWUNDO ? "recycle: " : "delete: ") + std::string(operation->pFrom));
    // The confirmation runs a message loop while it waits for the user, who says yes.
    PumpMessages();
    operation->fFlags |= FOF_NOCONFIRMATION;
    return g_fileOperation(operation);
}

HINSTANCE WINAPI RecordExecute(HWND, LPCSTR verb, LPCSTR file, LPCSTR, LPCSTR, INT)
{
    g_calls.push_back(std::string(verb) + ": " + file);
    return reinterpret_cast<HINSTANCE>(42);  // above 32: done
}

BOOL WINAPI RecordExecuteEx(SHELLEXECUTEINFOA* info)
{
    g_calls.push_back(std::string(info->lpVerb) + ": " + info->lpFile);
    return TRUE;
}

struct ShellRecorder {
    ImportPatch<decltype(&SHFileOperationA)> operation{__imp_SHFileOperationA, ConfirmFileOperation, &g_fileOperation};
    ImportPatch<decltype(&ShellExecuteA)> execute{__imp_ShellExecuteA, RecordExecute};
    ImportPatch<decltype(&ShellExecuteExA)> executeEx{__imp_ShellExecuteExA, RecordExecuteEx};
};

int g_dropsFinished = 0;
decltype(&DragFinish) g_dragFinish;
decltype(&FindNextFileA) g_findNext;
bool g_shortNames = true;

}  // namespace

// With Shift held every file goes for good once the user confirms it; a row goes only when its
// file really went, and only its own. A second Delete while a confirmation is open is ignored.
TEST_F(MainWindowTest, DeleteRemovesTheConfirmedFilesAndTheirRowsOnly)
{
    Names links;
    for (const char* name : {"a.lnk", "b.lnk", "c.lnk", "d.lnk"})
        links.push_back(MakeLink(m_sendTo, name, ScratchFile(std::string(name) + ".txt")));
    auto scratch = TreeContents(kScratchFolder);
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
    EXPECT_EQ(2, RowCount());
    EXPECT_EQ(scratch, TreeContents(kScratchFolder));
}

// Drops land in the folder of the selected tab, named without their last extension; 表 and ソ
// end in the byte of a backslash. A shortcut dropped on its own folder is left as it was.
TEST_F(MainWindowTest, DroppedItemsBecomeShortcutsInTheTabsFolder)
{
    ScratchFolder(Ansi(L"表"));
    std::string own = MakeLink(m_startup, "own.lnk", ScratchFile("own.txt"));
    const std::string ownBytes = TreeContents(m_startup).at(Wide(own));
    ClickTab(1);
    // A real HDROP, as the shell hands it over: the names, each ended by a zero byte, then one more.
    std::string names;
    for (const std::string& name : {ScratchFile("report.final.doc"), ScratchFile(Ansi(L"表\\ソ.txt")), ScratchFolder("Data"), own})
        names += name + '\0';
    HGLOBAL drop = GlobalAlloc(GHND, sizeof(DROPFILES) + names.size() + 1);
    DROPFILES* header = static_cast<DROPFILES*>(GlobalLock(drop));
    header->pFiles = sizeof(DROPFILES);
    CopyMemory(header + 1, names.data(), names.size());
    GlobalUnlock(drop);
    ImportPatch finish(__imp_DragFinish, +[](HDROP handle) {
        ++g_dropsFinished;
        g_dragFinish(handle);
    }, &g_dragFinish);
    SendMessageA(m_window, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
    EXPECT_EQ(1, g_dropsFinished);
    EXPECT_EQ(Names({"Data.lnk", "own.lnk", "report.final.lnk", Ansi(L"ソ.lnk")}), LinkNames(m_startup));
    EXPECT_EQ(ownBytes, TreeContents(m_startup).at(Wide(own)));
    EXPECT_EQ(Names(), LinkNames(m_sendTo));
    ASSERT_EQ(4, RowCount());
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
        std::sort(g_calls.begin(), g_calls.end());
        EXPECT_EQ(row.calls, g_calls) << row.command;
    }
    DeleteFileA("C:\\qd-root.txt");
}

// 📁Docs.lnk comes back from the 8-bit search as ??Docs.lnk, a wildcard that also matches
// MyDocs.lnk. Every command on its row must reach that one file, by its short name; without one,
// the row says why and no command acts on it.
TEST_F(MainWindowTest, ARowWhoseNameTheCodePageLacksReachesOnlyItsOwnFile)
{
    const std::string docs = ScratchFolder("docs");
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
        ASSERT_TRUE(MoveFileW(Wide(MakeLink(m_startup, "tmp.lnk", ScratchFile("docs\\a.txt"))).c_str(), path.c_str()));
        Command(CMD_REFRESH);
        ASSERT_EQ(2, RowCount());
        int row = 1 - RowsOf({alike})[0];
        const std::string link = RowLinkPath(row);
        EXPECT_EQ(std::string::npos, RowText(row, 0).find_first_not_of("?Docs")) << RowText(row, 0);
        SelectRows({row});
        g_calls.clear();
        Command(CMD_PROPERTIES);
        Command(CMD_EXPLORE_TARGET);
        Command(CMD_DELETE);
        Names expected = {"properties: " + link, "explore: " + docs, "recycle: " + link};
        EXPECT_EQ(shortNames ? expected : Names(), g_calls);
        EXPECT_EQ(shortNames, GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES);
        EXPECT_TRUE(shortNames || !RowText(row, 2).empty()) << "an unusable row says why";
        DeleteFileW(path.c_str());
        EXPECT_EQ(others, TreeContents(m_startup)) << "MyDocs.lnk keeps its bytes";
    }
}
