// The commands on the real main window: delete with the shell's own confirmations, shortcuts from
// dropped files, the shell actions, entries a refresh leaves out, and names the code page lacks,
// which must reach the shell as exactly one file or not at all.
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "app/quiverdesk.h"
#include "support/support.h"

namespace {

// Every call that hands the shell a file name, as "verb: name"; deletions still happen.
Names g_calls;
decltype(&SHFileOperationA) g_fileOperation;
int WINAPI RecordFileOperation(LPSHFILEOPSTRUCTA operation)
{
    g_calls.push_back(std::string("delete: ") + operation->pFrom);
    return g_fileOperation(operation);
}
HINSTANCE WINAPI RecordExecute(HWND, LPCSTR verb, LPCSTR file, LPCSTR, LPCSTR, INT)
{
    g_calls.push_back(std::string(verb) + ": " + file);
    return reinterpret_cast<HINSTANCE>(42);
}
BOOL WINAPI RecordExecuteEx(SHELLEXECUTEINFOA* info) { return g_calls.push_back(std::string(info->lpVerb) + ": " + info->lpFile), TRUE; }

struct ShellRecorder {
    ImportPatch operation{"shell32", "SHFileOperationA", reinterpret_cast<void*>(RecordFileOperation)};
    ImportPatch execute{"shell32", "ShellExecuteA", reinterpret_cast<void*>(RecordExecute)};
    ImportPatch executeEx{"shell32", "ShellExecuteExA", reinterpret_cast<void*>(RecordExecuteEx)};
    ShellRecorder() { g_fileOperation = operation.Original<decltype(g_fileOperation)>(), g_calls.clear(); }
};

std::string Trash(const char* sub)
{
    std::string path = std::string("Z:") + std::getenv("XDG_DATA_HOME") + "/Trash/" + sub;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

}  // namespace

// The shell confirms each file; a row goes only when its file really went, and only its own.
TEST_F(ShellFolderTest, DeleteRemovesTheConfirmedFilesAndTheirRowsOnly)
{
    // The trash's folders stay: Wine makes them once per process and fails quietly without them.
    EmptyFolder(Trash("files"));
    EmptyFolder(Trash("info"));
    Names links;
    for (const char* name : {"a.lnk", "b.lnk", "c.lnk", "d.lnk"})
        links.push_back(MakeLink(m_sendTo, name, ScratchFile(std::string(name) + ".txt")));
    auto scratch = TreeContents(kScratchFolder);
    MainWindow window;
    {
        DialogAnswerer answers({IDYES, IDNO, IDYES});
        SelectRows(RowsOf({links[0], links[1], links[2]}));
        window.Command(CMD_DELETE);
    }
    EXPECT_EQ(Names({"b.lnk", "d.lnk"}), LinkNames(m_sendTo));
    EXPECT_EQ(Names({"a.lnk", "c.lnk"}), LinkNames(Trash("files")));
    EXPECT_EQ(RowsOf({links[1], links[3]}), std::vector<int>({0, 1}));
    {
        // A second Delete while the first one's confirmation is open is ignored, not nested.
        ShellRecorder recorder;
        DialogAnswerer answers;
        SelectRows(RowsOf({links[3]}));
        HoldKeys({VK_SHIFT});
        PostMessageA(window.handle, WM_COMMAND, CMD_DELETE, 0);
        PostMessageA(window.handle, WM_COMMAND, CMD_DELETE, 0);
        PumpMessages(1000);
        HoldKeys({});
        EXPECT_EQ(Names({"delete: " + links[3]}), g_calls);
    }
    EXPECT_EQ(Names({"b.lnk"}), LinkNames(m_sendTo));
    EXPECT_EQ(Names({"a.lnk", "c.lnk"}), LinkNames(Trash("files")));  // d went for good
    EXPECT_EQ(1, RowCount());
    EXPECT_EQ(scratch, TreeContents(kScratchFolder));
}

namespace {

int g_dropsFinished;
decltype(&DragFinish) g_dragFinish;
void WINAPI CountDragFinish(HDROP drop) { ++g_dropsFinished, g_dragFinish(drop); }

}  // namespace

// Drops land in the folder of the selected tab; a shortcut dropped on its own folder is left be.
TEST_F(ShellFolderTest, DroppedItemsBecomeShortcutsInTheTabsFolder)
{
    std::string own = MakeLink(m_startup, "own.lnk", ScratchFile("own.txt"));
    std::string ownBytes = ReadFileBytes(own);
    MainWindow window;
    window.ClickTab(1);
    ImportPatch finish("shell32", "DragFinish", reinterpret_cast<void*>(CountDragFinish));
    g_dragFinish = finish.Original<decltype(g_dragFinish)>();
    Drop(window, {ScratchFile("tool.exe"), ScratchFile("report.final.doc"), ScratchFolder("Data"), own});
    EXPECT_EQ(1, g_dropsFinished);
    EXPECT_EQ(Names({"Data.lnk", "own.lnk", "report.final.lnk", "tool.lnk"}), LinkNames(m_startup));
    EXPECT_EQ(Names(), LinkNames(m_sendTo));
    EXPECT_EQ(ownBytes, ReadFileBytes(own));
    ASSERT_EQ(4, RowCount());
    EXPECT_EQ(std::string(kScratchFolder) + "\\tool.exe", RowText(RowOfLink(m_startup + "\\tool.lnk"), 1));
}

TEST_F(ShellFolderTest, ShellActionsReachTheFoldersAndFilesOfTheSelectedRows)
{
    std::string data = ScratchFolder("Data"), gone = std::string(kScratchFolder) + "\\gone\\x.exe";
    std::string toTool = MakeLink(m_sendTo, "tool.lnk", ScratchFile("tool.exe"));
    std::string toData = MakeLink(m_sendTo, "data.lnk", data);
    std::string toGone = MakeLink(m_sendTo, "gone.lnk", gone);
    WriteBytes("C:\\qd-root.txt", "x");
    std::string toRoot = MakeLink(m_sendTo, "root.lnk", "C:\\qd-root.txt");
    MainWindow window;
    ShellRecorder recorder;
    const struct { Names links; int command; Names calls; } rows[] = {
        {{toTool}, CMD_EXPLORE_TARGET, {"explore: " + std::string(kScratchFolder)}},
        {{toData}, CMD_EXPLORE_TARGET, {"explore: " + data}},
        {{toGone}, CMD_EXPLORE_TARGET, {"explore: " + gone}},
        {{toRoot}, CMD_EXPLORE_TARGET, {"explore: C:\\"}},  // "C:" would be the drive's current folder
        {{toTool, toGone}, CMD_PROPERTIES, {"properties: " + toGone, "properties: " + toTool}},
        {{}, CMD_PROPERTIES, {}},
        {{}, CMD_OPEN_FOLDER, {"open: " + m_sendTo}},
    };
    for (const auto& row : rows) {
        g_calls.clear();
        SelectRows(RowsOf(row.links));
        window.Command(row.command);
        std::sort(g_calls.begin(), g_calls.end());
        EXPECT_EQ(row.calls, g_calls) << row.command;
    }
    DeleteFileA("C:\\qd-root.txt");
}

// A path one byte too long for MAX_PATH is left out rather than cut to another file's name.
TEST_F(ShellFolderTest, EntriesPastMaxPathAreLeftOut)
{
    for (int length : {MAX_PATH - 1, MAX_PATH})
        ASSERT_TRUE(AddSample(m_sendTo, "01-format-doc-example-local-file.lnk", std::string(length - m_sendTo.size() - 5, 'n') + ".lnk"));
    MainWindow window;
    ASSERT_EQ(1, RowCount());
    EXPECT_EQ(MAX_PATH - 1, static_cast<int>(RowLinkPath(0).size()));
}

namespace {

// The search as on a volume that keeps no short names.
decltype(&FindFirstFileA) g_findFirst;
decltype(&FindNextFileA) g_findNext;
HANDLE WINAPI FindFirstNoShort(LPCSTR pattern, LPWIN32_FIND_DATAA found)
{
    HANDLE search = g_findFirst(pattern, found);
    return found->cAlternateFileName[0] = '\0', search;
}
BOOL WINAPI FindNextNoShort(HANDLE search, LPWIN32_FIND_DATAA found)
{
    BOOL more = g_findNext(search, found);
    return found->cAlternateFileName[0] = '\0', more;
}
struct NoShortNames {
    ImportPatch first{"kernel32", "FindFirstFileA", reinterpret_cast<void*>(FindFirstNoShort)};
    ImportPatch next{"kernel32", "FindNextFileA", reinterpret_cast<void*>(FindNextNoShort)};
    NoShortNames() { g_findFirst = first.Original<decltype(g_findFirst)>(), g_findNext = next.Original<decltype(g_findNext)>(); }
};

// A link to target under a name only the wide calls can write.
std::wstring MakeWideLink(const std::string& folder, const std::wstring& name, const std::string& target)
{
    std::wstring path = Wide(folder) + L"\\" + name;
    EXPECT_TRUE(MoveFileW(Wide(MakeLink(folder, "tmp.lnk", target)).c_str(), path.c_str()));
    return path;
}

}  // namespace

// 📁Docs.lnk comes back from the 8-bit search as ??Docs.lnk, a wildcard that also matches
// MyDocs.lnk and XYDocs.lnk. Every command on its row must reach that one file, or nothing.
TEST_F(ShellFolderTest, ARowWhoseNameTheCodePageLacksReachesOnlyItsOwnFile)
{
    const std::string docs = ScratchFolder("docs");
    const Names alike = {MakeLink(m_startup, "MyDocs.lnk", ScratchFile("my.txt")), MakeLink(m_startup, "XYDocs.lnk", ScratchFile("xy.txt"))};
    const struct { std::wstring file; bool shortNames; } cases[] = {
        {L"\U0001F4C1Docs.lnk", true}, {L"\U0001F4C1\U0001F4C1.lnk", true}, {L"\U0001F4C1Docs.lnk", false},
    };
    ShellRecorder recorder;
    MainWindow window;
    window.ClickTab(1);
    for (const auto& c : cases) {
        auto others = TreeContents(m_startup);
        for (bool shift : {false, true}) {
            SCOPED_TRACE(testing::Message() << c.shortNames << shift << RowCount());
            std::wstring path = MakeWideLink(m_startup, c.file, ScratchFile("docs\\a.txt"));
            std::unique_ptr<NoShortNames> noShortNames(c.shortNames ? 0 : new NoShortNames);
            window.Command(CMD_REFRESH);
            std::vector<int> taken = RowsOf(alike);
            ASSERT_EQ(3, RowCount());
            int row = 3 - taken[0] - taken[1];
            const std::string link = RowLinkPath(row);
            WCHAR longName[MAX_PATH] = L"";
            GetLongPathNameW(Wide(link).c_str(), longName, MAX_PATH);
            EXPECT_EQ(c.shortNames ? path : L"", longName) << "the short name stands for this file only";
            EXPECT_EQ(std::string::npos, RowText(row, 0).find_first_not_of("?Docs")) << RowText(row, 0);
            SelectRows({row});
            g_calls.clear();
            window.Command(CMD_PROPERTIES);
            window.Command(CMD_EXPLORE_TARGET);
            DialogAnswerer yes;
            HoldKeys({shift ? VK_SHIFT : 0});
            window.Command(CMD_DELETE);
            HoldKeys({});
            Names expected = {"properties: " + link, "explore: " + docs, "delete: " + link};
            EXPECT_EQ(c.shortNames ? expected : Names(), g_calls);
            EXPECT_EQ(c.shortNames, GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES);
            EXPECT_TRUE(c.shortNames || !RowText(row, 2).empty()) << "an unusable row says why";
            DeleteFileW(path.c_str());
        }
        EXPECT_EQ(others, TreeContents(m_startup)) << "MyDocs.lnk and XYDocs.lnk keep their bytes";
    }
}

// Send To itself under a name the code page lacks: reached by its short path, a drop lands there.
TEST_F(ShellFolderTest, ADropReachesAFolderWhosePathTheCodePageLacks)
{
    std::wstring folder = Wide(kScratchFolder) + L"\\\U0001F4C1SendTo";
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), 0));
    HKEY key = 0;
    RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders", 0, 0, 0,
                    KEY_ALL_ACCESS, 0, &key, 0);
    WCHAR original[MAX_PATH] = L"";
    DWORD type = REG_EXPAND_SZ, size = sizeof(original);
    bool had = RegQueryValueExW(key, L"SendTo", 0, &type, reinterpret_cast<BYTE*>(original), &size) == 0;
    RegSetValueExW(key, L"SendTo", 0, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()), static_cast<DWORD>((folder.size() + 1) * 2));
    {
        MainWindow window;
        EXPECT_EQ(std::string::npos, StatusText().find('?')) << StatusText();
        Drop(window, {ScratchFile("note.txt")});
        EXPECT_EQ(1, RowCount());
        EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW((folder + L"\\note.lnk").c_str()));
        EXPECT_EQ(Names(), LinkNames(m_sendTo)) << "nothing lands in the usual folder";
    }
    had ? RegSetValueExW(key, L"SendTo", 0, type, reinterpret_cast<const BYTE*>(original), size) : RegDeleteValueW(key, L"SendTo");
    RegCloseKey(key);
}
