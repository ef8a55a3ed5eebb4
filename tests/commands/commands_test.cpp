// The commands on the real main window: delete as the user answers the shell's confirmations,
// shortcuts from dropped files, the shell actions, and names the code page lacks, which must
// reach the shell as exactly one file or not at all.
#include <algorithm>
#include <memory>

#include "app/quiverdesk.h"
#include "support/support.h"

namespace {

// Every call that hands the shell a file name, as "verb: name"; a delete says "recycle" when it
// can be undone.
Names g_calls;
// The user's answers to the shell's confirmations, in turn ('y' or 'n'); yes once it runs out.
std::string g_answers;
decltype(&SHFileOperationA) g_fileOperation;

int WINAPI ConfirmFileOperation(LPSHFILEOPSTRUCTA operation)
{
    g_calls.push_back((operation->fFlags & FOF_ALLOWUNDO ? "recycle: " : "delete: ") + std::string(operation->pFrom));
    // The confirmation runs a message loop while it waits for the user.
    PumpMessages();
    bool no = !g_answers.empty() && g_answers[0] == 'n';
    g_answers.erase(0, 1);
    if (no) {
        operation->fAnyOperationsAborted = TRUE;
        return 0;
    }
    operation->fFlags |= FOF_NOCONFIRMATION;
    return g_fileOperation(operation);
}

HINSTANCE WINAPI RecordExecute(HWND, LPCSTR verb, LPCSTR file, LPCSTR, LPCSTR, INT)
{
    g_calls.push_back(std::string(verb) + ": " + file);
    return reinterpret_cast<HINSTANCE>(42);
}

BOOL WINAPI RecordExecuteEx(SHELLEXECUTEINFOA* info)
{
    g_calls.push_back(std::string(info->lpVerb) + ": " + info->lpFile);
    return TRUE;
}

struct ShellRecorder {
    ImportPatch operation{"shell32", "SHFileOperationA", ConfirmFileOperation, &g_fileOperation};
    ImportPatch execute{"shell32", "ShellExecuteA", RecordExecute};
    ImportPatch executeEx{"shell32", "ShellExecuteExA", RecordExecuteEx};
};

int g_dropsFinished;
decltype(&DragFinish) g_dragFinish;

void WINAPI CountDragFinish(HDROP drop)
{
    ++g_dropsFinished;
    g_dragFinish(drop);
}

// The search as on a volume that keeps no short names. Only the next-file call is changed: the
// folder's first entry, in name order, is never the one that needs a short name.
decltype(&FindNextFileA) g_findNext;

BOOL WINAPI FindNextNoShort(HANDLE search, LPWIN32_FIND_DATAA found)
{
    BOOL more = g_findNext(search, found);
    found->cAlternateFileName[0] = '\0';
    return more;
}

}  // namespace

// A row goes only when its file really went, and only its own; Shift deletes for good.
TEST_F(MainWindowTest, DeleteRemovesTheConfirmedFilesAndTheirRowsOnly)
{
    Names links;
    for (const char* name : {"a.lnk", "b.lnk", "c.lnk", "d.lnk"})
        links.push_back(MakeLink(m_sendTo, name, ScratchFile(std::string(name) + ".txt")));
    auto scratch = TreeContents(kScratchFolder);
    Command(CMD_REFRESH);
    ShellRecorder recorder;
    g_calls.clear();
    g_answers = "yny";
    SelectRows(RowsOf({links[0], links[1], links[2]}));
    Command(CMD_DELETE);
    EXPECT_EQ(Names({"recycle: " + links[0], "recycle: " + links[1], "recycle: " + links[2]}), g_calls);
    EXPECT_EQ(Names({"b.lnk", "d.lnk"}), LinkNames(m_sendTo));
    EXPECT_EQ(RowsOf({links[1], links[3]}), std::vector<int>({0, 1}));

    // A second Delete while the first one's confirmation is open is ignored, not nested.
    g_calls.clear();
    SelectRows(RowsOf({links[3]}));
    HoldKeys({VK_SHIFT});
    PostMessageA(m_window, WM_COMMAND, CMD_DELETE, 0);
    PostMessageA(m_window, WM_COMMAND, CMD_DELETE, 0);
    PumpMessages();
    HoldKeys({});
    EXPECT_EQ(Names({"delete: " + links[3]}), g_calls);
    EXPECT_EQ(Names({"b.lnk"}), LinkNames(m_sendTo));
    EXPECT_EQ(1, RowCount());
    EXPECT_EQ(scratch, TreeContents(kScratchFolder));
}

// Drops land in the folder of the selected tab, named without their last extension; 表 and ソ
// end in the byte of a backslash. A shortcut dropped on its own folder is left as it was.
TEST_F(MainWindowTest, DroppedItemsBecomeShortcutsInTheTabsFolder)
{
    ScratchFolder(Ansi("表"));
    std::string own = MakeLink(m_startup, "own.lnk", ScratchFile("own.txt"));
    const std::string ownBytes = TreeContents(m_startup).at(Wide(own));
    ClickTab(1);
    // A real HDROP, as the shell hands it over: the names, each ended by a zero byte, then one more.
    std::string names;
    for (const std::string& name : {ScratchFile("report.final.doc"), ScratchFile(Ansi("表\\ソ.txt")), ScratchFolder("Data"), own})
        names += name + '\0';
    HGLOBAL drop = GlobalAlloc(GHND, sizeof(DROPFILES) + names.size() + 1);
    DROPFILES* header = static_cast<DROPFILES*>(GlobalLock(drop));
    header->pFiles = sizeof(DROPFILES);
    CopyMemory(header + 1, names.data(), names.size());
    GlobalUnlock(drop);
    ImportPatch finish("shell32", "DragFinish", CountDragFinish, &g_dragFinish);
    SendMessageA(m_window, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
    EXPECT_EQ(1, g_dropsFinished);
    EXPECT_EQ(Names({"Data.lnk", "own.lnk", "report.final.lnk", Ansi("ソ.lnk")}), LinkNames(m_startup));
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
    ClickTab(1);
    for (bool shortNames : {true, false}) {
        SCOPED_TRACE(shortNames ? "with short names" : "without short names");
        ASSERT_TRUE(MoveFileW(Wide(MakeLink(m_startup, "tmp.lnk", ScratchFile("docs\\a.txt"))).c_str(), path.c_str()));
        std::unique_ptr<ImportPatch> noShortNames;
        if (!shortNames)
            noShortNames.reset(new ImportPatch("kernel32", "FindNextFileA", FindNextNoShort, &g_findNext));
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
