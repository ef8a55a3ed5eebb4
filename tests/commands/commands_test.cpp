// The commands on the real main window: delete with the shell's own confirmations, shortcuts
// from dropped files, the shell actions, and the entries a refresh must leave out.
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdlib>

#include "app/quiverdesk.h"
#include "controls/shortcut_view.h"
#include "support/support.h"

namespace {

std::string TrashFolder()
{
    std::string path = std::string("Z:") + std::getenv("XDG_DATA_HOME") + "/Trash";
    for (char& c : path)
        c = c == '/' ? '\\' : c;
    return path;
}

std::vector<int> RowsOf(const std::vector<std::string>& links)
{
    std::vector<int> rows;
    for (const std::string& link : links)
        rows.push_back(RowOfLink(link));
    return rows;
}

}  // namespace

// The shell confirms each file; a row goes only when its file really went, and only its own.
TEST_F(ShellFolderTest, DeleteRemovesTheConfirmedFilesAndTheirRowsOnly)
{
    // Its folders stay: Wine's trash makes them once per process and fails quietly without them.
    EmptyFolder(TrashFolder() + "\\files");
    EmptyFolder(TrashFolder() + "\\info");
    std::vector<std::string> links;
    for (const char* name : {"a.lnk", "b.lnk", "c.lnk", "d.lnk"})
        links.push_back(MakeLink(m_sendTo, name, ScratchFile(std::string(name) + ".txt")));
    auto scratch = TreeContents(kScratchFolder);
    MainWindow window;
    {
        DialogAnswerer answers;
        answers.Then(IDYES).Then(IDNO).Then(IDYES);
        SelectRows(RowsOf({links[0], links[1], links[2]}));
        window.Command(CMD_DELETE);
        EXPECT_EQ(3, answers.AnsweredCount());
    }
    EXPECT_EQ(Names({"b.lnk", "d.lnk"}), LinkNames(m_sendTo));
    EXPECT_EQ(Names({"a.lnk", "c.lnk"}), LinkNames(TrashFolder() + "\\files"));
    ASSERT_EQ(2, RowCount());
    EXPECT_NE(-1, RowOfLink(links[1]));
    {
        DialogAnswerer answers;
        SelectRows(RowsOf({links[3]}));
        HoldKeys({VK_SHIFT});
        window.Command(CMD_DELETE);
        HoldKeys({});
    }
    EXPECT_EQ(Names({"b.lnk"}), LinkNames(m_sendTo));
    EXPECT_EQ(Names({"a.lnk", "c.lnk"}), LinkNames(TrashFolder() + "\\files"));  // d went for good
    EXPECT_EQ(1, RowCount());
    EXPECT_EQ(scratch, TreeContents(kScratchFolder));
}

namespace {

int g_dropsFinished;
void(WINAPI* g_dragFinish)(HDROP);
void WINAPI CountDragFinish(HDROP drop) { ++g_dropsFinished, g_dragFinish(drop); }

}  // namespace

// Drops land in the folder of the selected tab; a shortcut dropped on its own folder is left be.
TEST_F(ShellFolderTest, DroppedItemsBecomeShortcutsInTheTabsFolder)
{
    std::string own = MakeLink(m_startup, "own.lnk", ScratchFile("own.txt"));
    std::string ownBytes = ReadFileBytes(own);
    MainWindow window;
    window.ClickTab(1);
    ScopedImportPatch finish("shell32", "DragFinish", reinterpret_cast<void*>(CountDragFinish));
    g_dragFinish = reinterpret_cast<void(WINAPI*)(HDROP)>(finish.Original());
    Drop(window, {ScratchFile("tool.exe"), ScratchFile("report.final.doc"), ScratchFolder("Data"), own});
    EXPECT_EQ(1, g_dropsFinished);
    EXPECT_EQ(Names({"Data.lnk", "own.lnk", "report.final.lnk", "tool.lnk"}), LinkNames(m_startup));
    EXPECT_EQ(Names(), LinkNames(m_sendTo));
    EXPECT_EQ(ownBytes, ReadFileBytes(own));
    ASSERT_EQ(4, RowCount());
    EXPECT_EQ(std::string(kScratchFolder) + "\\tool.exe", RowText(RowOfLink(m_startup + "\\tool.lnk"), 1));
}

namespace {

std::vector<std::string> g_shellCalls;
HINSTANCE WINAPI RecordShellExecute(HWND, LPCSTR verb, LPCSTR file, LPCSTR, LPCSTR, INT)
{
    g_shellCalls.push_back(std::string(verb) + " " + file);
    return reinterpret_cast<HINSTANCE>(33);
}
BOOL WINAPI RecordShellExecuteEx(SHELLEXECUTEINFOA* info)
{
    g_shellCalls.push_back(std::string(info->lpVerb) + " " + info->lpFile);
    return TRUE;
}

}  // namespace

TEST_F(ShellFolderTest, ShellActionsReachTheFoldersAndFilesOfTheSelectedRows)
{
    std::string tool = ScratchFile("tool.exe"), data = ScratchFolder("Data");
    std::string gone = std::string(kScratchFolder) + "\\gone\\x.exe";
    std::string toTool = MakeLink(m_sendTo, "tool.lnk", tool);
    std::string toData = MakeLink(m_sendTo, "data.lnk", data);
    std::string toGone = MakeLink(m_sendTo, "gone.lnk", gone);
    MainWindow window;
    ScopedImportPatch open("shell32", "ShellExecuteA", reinterpret_cast<void*>(RecordShellExecute));
    ScopedImportPatch openEx("shell32", "ShellExecuteExA", reinterpret_cast<void*>(RecordShellExecuteEx));
    const struct { std::vector<std::string> links; int command; std::vector<std::string> calls; } rows[] = {
        {{toTool}, CMD_EXPLORE_TARGET, {"explore " + std::string(kScratchFolder)}},
        {{toData}, CMD_EXPLORE_TARGET, {"explore " + data}},
        {{toGone}, CMD_EXPLORE_TARGET, {"explore " + gone}},
        {{toTool, toGone}, CMD_PROPERTIES, {"properties " + toTool, "properties " + toGone}},
        {{}, CMD_PROPERTIES, {}},
        {{}, CMD_OPEN_FOLDER, {"open " + m_sendTo}},
    };
    for (const auto& row : rows) {
        g_shellCalls.clear();
        SelectRows(RowsOf(row.links));
        window.Command(row.command);
        std::vector<std::string> expected = row.calls;
        std::sort(expected.begin(), expected.end());
        std::sort(g_shellCalls.begin(), g_shellCalls.end());
        EXPECT_EQ(expected, g_shellCalls) << row.command;
    }
}

// A path one byte too long for MAX_PATH is left out rather than cut to another file's name.
TEST_F(ShellFolderTest, EntriesPastMaxPathAreLeftOut)
{
    for (int length : {MAX_PATH - 1, MAX_PATH}) {
        std::string name(length - m_sendTo.size() - 1 - 4, 'n');
        ASSERT_TRUE(AddSample(m_sendTo, "01-format-doc-example-local-file.lnk", name + ".lnk"));
    }
    MainWindow window;
    ASSERT_EQ(1, RowCount());
    EXPECT_EQ(MAX_PATH - 1, static_cast<int>(RowLinkPath(0).size()));
}
