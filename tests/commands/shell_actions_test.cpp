// Opening the folder, the targets' folders and the property sheets: the shell's execute
// functions are replaced in this program's import table, so calls are recorded and nothing opens.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "app/quiverdesk.h"
#include "command_fixture.h"
#include "controls/shortcut_view.h"
#include "support/main_window_fixture.h"

namespace {

std::string Text(const char* text)
{
    return text ? text : "(null)";
}

struct Execute {
    HWND owner;
    std::string verb, file, parameters, directory;
    int show;
};
std::vector<Execute> g_executes;

HINSTANCE WINAPI RecordExecute(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory, INT show)
{
    Execute call = {owner, Text(verb), Text(file), Text(parameters), Text(directory), show};
    g_executes.push_back(call);
    return reinterpret_cast<HINSTANCE>(42);  // above 32: done
}

struct ExecuteEx {
    DWORD size;
    ULONG mask;
    HWND owner;
    std::string verb, file, parameters, directory;
    int show;
};
std::vector<ExecuteEx> g_executeExes;

BOOL WINAPI RecordExecuteEx(SHELLEXECUTEINFOA* info)
{
    ExecuteEx call = {info->cbSize, info->fMask, info->hwnd, Text(info->lpVerb), Text(info->lpFile),
                      Text(info->lpParameters), Text(info->lpDirectory), info->nShow};
    g_executeExes.push_back(call);
    return TRUE;
}

class ShellActionTest : public CommandTest {
protected:
    ShellActionTest()
        : m_execute("shell32.dll", "ShellExecuteA", reinterpret_cast<void*>(RecordExecute)),
          m_executeEx("shell32.dll", "ShellExecuteExA", reinterpret_cast<void*>(RecordExecuteEx))
    {
        g_executes.clear();
        g_executeExes.clear();
    }
    void SetUp() override
    {
        CommandTest::SetUp();
        ASSERT_TRUE(m_execute.Original() != 0);
        ASSERT_TRUE(m_executeEx.Original() != 0);
    }

    ScopedImportPatch m_execute;
    ScopedImportPatch m_executeEx;
};

}  // namespace

TEST_F(ShellActionTest, OpenFolderOpensTheFolderOfTheSelectedTab)
{
    MainWindow window;
    const std::string folders[] = {m_sendTo, m_startup};
    for (int tab = 0; tab < 2; ++tab) {
        SCOPED_TRACE(tab);
        window.ClickTab(tab);
        g_executes.clear();
        window.Command(CMD_OPEN_FOLDER);
        ASSERT_EQ(1u, g_executes.size());
        const Execute& call = g_executes[0];
        EXPECT_TRUE(call.owner == 0);
        EXPECT_EQ("open", call.verb);
        EXPECT_TRUE(SamePath(folders[tab], call.file)) << call.file;
        EXPECT_EQ("", call.parameters);
        EXPECT_EQ("", call.directory);
        EXPECT_EQ(SW_SHOW, call.show);
    }
}

TEST_F(ShellActionTest, ExploreOpensTheFolderThatHoldsEachTarget)
{
    for (const char* folder : {"Tools", "Gone", "\x95\x5C"})
        MakeScratchFolder(folder);
    std::string gone = MakeScratchFile("Gone\\gone.exe");
    struct Case {
        const char* link;
        std::string target;
        std::string expected;
    } cases[] = {
        {"file.lnk", MakeScratchFile("Tools\\editor.exe"), std::string(kScratch) + "\\Tools"},
        {"folder.lnk", MakeScratchFolder("Data"), std::string(kScratch) + "\\Data"},
        {"missing.lnk", gone, gone},
        // 表\表.txt: the file's own 表 ends in the byte 0x5C, which is no backslash.
        {"kanji.lnk", MakeScratchFile("\x95\x5C\\\x95\x5C.txt"), std::string(kScratch) + "\\\x95\x5C"},
        // A control panel item names no file-system path: its target reads as empty.
        {"panel.lnk", "", ""},
    };
    for (size_t i = 0; i + 1 < sizeof(cases) / sizeof(cases[0]); ++i)
        MakeLink(m_sendTo, cases[i].link, cases[i].target);
    ASSERT_TRUE(CopyFileA(TestDataPath("lnk/14-win7-control-panel-item.lnk").c_str(),
                          (m_sendTo + "\\panel.lnk").c_str(), FALSE));
    DeleteFileA(gone.c_str());
    MainWindow window;
    ASSERT_EQ(5, RowCount());

    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(c.link);
        SelectRows({RowOfLink(m_sendTo + "\\" + c.link)});
        g_executes.clear();
        window.Command(CMD_EXPLORE_TARGET);
        ASSERT_EQ(1u, g_executes.size());
        const Execute& call = g_executes[0];
        EXPECT_TRUE(call.owner == 0);
        EXPECT_EQ("explore", call.verb);
        EXPECT_TRUE(SamePath(c.expected, call.file)) << call.file;
        EXPECT_EQ("", call.parameters);
        EXPECT_EQ("", call.directory);
        EXPECT_EQ(SW_SHOW, call.show);
    }

    SelectRows({});
    g_executes.clear();
    window.Command(CMD_EXPLORE_TARGET);
    EXPECT_TRUE(g_executes.empty());
}

// The toolbar command and an activation of one row (a double-click, or Enter on the focused
// row) both open the sheet of every selected row.
TEST_F(ShellActionTest, PropertiesOpensOneSheetPerSelectedRow)
{
    std::string target = MakeScratchFile("target.txt");
    for (const char* name : {"a.lnk", "b.lnk", "c.lnk"})
        MakeLink(m_sendTo, name, target);
    MainWindow window;
    ASSERT_EQ(3, RowCount());
    window.Command(CMD_PROPERTIES);
    EXPECT_TRUE(g_executeExes.empty()) << "no selection";

    // Row 0 is the one activated: index 0 is a row too.
    SelectRows({0, 2});
    LVITEMA focus;
    ZeroMemory(&focus, sizeof(focus));
    focus.state = focus.stateMask = LVIS_FOCUSED;
    SendMessageA(g_hListView, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&focus));
    RECT row;
    row.left = LVIR_LABEL;
    SendMessageA(g_hListView, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
    const LPARAM middle = MAKELPARAM((row.left + row.right) / 2, (row.top + row.bottom) / 2);
    struct Way {
        const char* name;
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        size_t sheets;
    } ways[] = {
        {"command", WM_COMMAND, 0, 0, 2},
        {"double-click on row 0", WM_LBUTTONDBLCLK, 0, middle, 2},
        {"Enter", WM_KEYDOWN, VK_RETURN, 0, 2},
        // The list view itself never reports one; a notice that names no row opens nothing.
        {"activation of no row", WM_NOTIFY, 0, 0, 0},
    };
    NMITEMACTIVATE noRow;
    ZeroMemory(&noRow, sizeof(noRow));
    noRow.hdr.hwndFrom = g_hListView;
    noRow.hdr.idFrom = CTRL_LIST;
    noRow.hdr.code = LVN_ITEMACTIVATE;
    noRow.iItem = -1;
    for (size_t way = 0; way < sizeof(ways) / sizeof(ways[0]); ++way) {
        const Way& w = ways[way];
        SCOPED_TRACE(w.name);
        g_executeExes.clear();
        SetFocus(g_hListView);
        if (w.message == WM_COMMAND)
            window.Command(CMD_PROPERTIES);
        else if (w.message == WM_NOTIFY)
            SendMessageA(window.Handle(), WM_NOTIFY, CTRL_LIST, reinterpret_cast<LPARAM>(&noRow));
        else
            SendMessageA(g_hListView, w.message, w.wParam, w.lParam);
        PumpMessages();
        ASSERT_EQ(w.sheets, g_executeExes.size());
        const int rows[] = {0, 2};
        for (size_t i = 0; i < w.sheets; ++i) {
            const ExecuteEx& call = g_executeExes[i];
            EXPECT_EQ(sizeof(SHELLEXECUTEINFOA), call.size);
            EXPECT_EQ(static_cast<ULONG>(SEE_MASK_FLAG_NO_UI), call.mask);
            EXPECT_EQ(window.Handle(), call.owner);
            EXPECT_EQ("properties", call.verb);
            EXPECT_TRUE(SamePath(RowLinkPath(rows[i]), call.file)) << call.file;
            EXPECT_EQ("(null)", call.parameters);
            EXPECT_EQ("(null)", call.directory);
        }
    }
}
