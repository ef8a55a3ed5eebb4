// Opening the folder, the targets' folders and the property sheets: the shell's execute
// functions are replaced in this program's import table, so calls are recorded and nothing opens.
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

bool SamePath(const std::string& a, const std::string& b)
{
    return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

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
    MakeScratchFolder("Tools");
    MakeScratchFolder("Gone");
    std::string kanjiFolder = MakeScratchFolder("\x95\x5C");  // 表
    std::string gone = MakeScratchFile("Gone\\gone.exe");
    struct Case {
        const char* name;
        std::string target;
        std::string expected;
    } cases[] = {
        {"file", MakeScratchFile("Tools\\editor.exe"), std::string(kScratch) + "\\Tools"},
        {"folder", MakeScratchFolder("Data"), std::string(kScratch) + "\\Data"},
        {"missing", gone, gone},
        {"double-byte", MakeScratchFile("\x95\x5C\\\x95\x5C.txt"), kanjiFolder},  // 表\表.txt
    };
    std::vector<std::string> links;
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i)
        links.push_back(MakeLink(m_sendTo, std::string(cases[i].name) + ".lnk", cases[i].target));
    DeleteFileA(gone.c_str());
    // A link to a control panel item names no file-system path: its target reads as empty.
    std::string panel = m_sendTo + "\\panel.lnk";
    ASSERT_TRUE(CopyFileA(TestDataPath("lnk/14-win7-control-panel-item.lnk").c_str(), panel.c_str(), FALSE));
    MainWindow window;
    ASSERT_EQ(5, RowCount());

    for (size_t i = 0; i <= links.size(); ++i) {
        std::string link = i < links.size() ? links[i] : panel;
        std::string expected = i < links.size() ? cases[i].expected : "";
        SCOPED_TRACE(link);
        SelectRows({RowOfLink(link)});
        g_executes.clear();
        window.Command(CMD_EXPLORE_TARGET);
        ASSERT_EQ(1u, g_executes.size());
        const Execute& call = g_executes[0];
        EXPECT_TRUE(call.owner == 0);
        EXPECT_EQ("explore", call.verb);
        EXPECT_TRUE(SamePath(expected, call.file)) << call.file;
        EXPECT_EQ("", call.parameters);
        EXPECT_EQ("", call.directory);
        EXPECT_EQ(SW_SHOW, call.show);
    }

    SelectRows({});
    g_executes.clear();
    window.Command(CMD_EXPLORE_TARGET);
    EXPECT_TRUE(g_executes.empty());
}

TEST_F(ShellActionTest, PropertiesOpensOneSheetPerSelectedRow)
{
    std::string target = MakeScratchFile("target.txt");
    MakeLink(m_sendTo, "a.lnk", target);
    MakeLink(m_sendTo, "b.lnk", target);
    MakeLink(m_sendTo, "c.lnk", target);
    MainWindow window;
    ASSERT_EQ(3, RowCount());

    window.Command(CMD_PROPERTIES);
    EXPECT_TRUE(g_executeExes.empty()) << "no selection";

    SelectRows({0, 2});
    window.Command(CMD_PROPERTIES);
    ASSERT_EQ(2u, g_executeExes.size());
    const int rows[] = {0, 2};
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        const ExecuteEx& call = g_executeExes[i];
        EXPECT_EQ(sizeof(SHELLEXECUTEINFOA), call.size);
        EXPECT_EQ(static_cast<ULONG>(SEE_MASK_FLAG_NO_UI), call.mask);
        EXPECT_EQ(window.Handle(), call.owner);
        EXPECT_EQ("properties", call.verb);
        EXPECT_TRUE(SamePath(RowLinkPath(rows[i]), call.file)) << call.file;
        EXPECT_EQ(m_sendTo + "\\" + RowText(rows[i], 0), call.file.substr(0, call.file.size() - 4))
            << "the sheet of the shortcut on show in the row";
        EXPECT_EQ("(null)", call.parameters);
        EXPECT_EQ("(null)", call.directory);
    }
}

// Activating one row, by a double-click or Enter, opens the sheet of every selected row.
TEST_F(ShellActionTest, ActivatingARowOpensEverySelectedRowsSheet)
{
    std::string target = MakeScratchFile("target.txt");
    MakeLink(m_sendTo, "a.lnk", target);
    MakeLink(m_sendTo, "b.lnk", target);
    MakeLink(m_sendTo, "c.lnk", target);
    MainWindow window;
    ASSERT_EQ(3, RowCount());
    SelectRows({0, 2});
    RECT row;
    row.left = LVIR_LABEL;
    SendMessageA(g_hListView, LVM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&row));
    LPARAM point = MAKELPARAM((row.left + row.right) / 2, (row.top + row.bottom) / 2);

    for (int byKey = 0; byKey < 2; ++byKey) {
        SCOPED_TRACE(byKey ? "Enter" : "double-click");
        g_executeExes.clear();
        SetFocus(g_hListView);
        if (byKey)
            SendMessageA(g_hListView, WM_KEYDOWN, VK_RETURN, 0);
        else
            SendMessageA(g_hListView, WM_LBUTTONDBLCLK, 0, point);
        PumpMessages();
        ASSERT_EQ(2u, g_executeExes.size());
        EXPECT_TRUE(SamePath(RowLinkPath(0), g_executeExes[0].file)) << g_executeExes[0].file;
        EXPECT_TRUE(SamePath(RowLinkPath(2), g_executeExes[1].file)) << g_executeExes[1].file;
        EXPECT_EQ("properties", g_executeExes[1].verb);
    }
}
