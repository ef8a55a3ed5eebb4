// Opening the folder, the targets' folders and the property sheets: the shell's execute
// functions are replaced in this program's import table, so calls are recorded and nothing opens.
#include <windows.h>
#include <shellapi.h>

#include <sstream>

#include "app/quiverdesk.h"
#include "controls/shortcut_view.h"
#include "support/main_window_fixture.h"

namespace {

// One call to the shell, as text, so a mismatch shows every argument at once.
std::string Describe(HWND owner, const char* verb, const char* file, const char* parameters,
                     const char* directory, int show)
{
    std::ostringstream text;
    text << "owner " << owner << ", verb " << (verb ? verb : "(null)") << ", file " << (file ? file : "(null)")
         << ", parameters " << (parameters ? parameters : "(null)") << ", directory "
         << (directory ? directory : "(null)") << ", show " << show;
    return text.str();
}

std::vector<std::string> g_calls;

HINSTANCE WINAPI RecordExecute(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory, INT show)
{
    g_calls.push_back(Describe(owner, verb, file, parameters, directory, show));
    return reinterpret_cast<HINSTANCE>(42);  // above 32: done
}

BOOL WINAPI RecordExecuteEx(SHELLEXECUTEINFOA* info)
{
    g_calls.push_back("size " + std::to_string(info->cbSize) + ", mask " + std::to_string(info->fMask) + ", " +
                      Describe(info->hwnd, info->lpVerb, info->lpFile, info->lpParameters, info->lpDirectory, info->nShow));
    return TRUE;
}

typedef ShellFolderTest ShellActionTest;

}  // namespace

TEST_F(ShellActionTest, OpenAndExploreHandTheShellTheRightFolder)
{
    const std::string scratch = std::string(kScratchFolder) + "\\";
    for (const char* folder : {"Tools", "Gone", "Data", "\x95\x5C"})
        ScratchFolder(folder);
    MakeLink(m_sendTo, "file.lnk", ScratchFile("Tools\\editor.exe"));
    MakeLink(m_sendTo, "folder.lnk", scratch + "Data");
    MakeLink(m_sendTo, "missing.lnk", ScratchFile("Gone\\gone.exe"));
    MakeLink(m_sendTo, "kanji.lnk", ScratchFile("\x95\x5C\\\x95\x5C.txt"));  // 表\表.txt
    ASSERT_TRUE(AddSample(m_sendTo, "14-win7-control-panel-item.lnk", "panel.lnk"));
    DeleteFileA((scratch + "Gone\\gone.exe").c_str());
    const struct {
        int tab;
        const char* selected;  // null: no row
        int command;
        const char* verb;      // null: no call
        std::string file;
    } cases[] = {
        {0, 0, CMD_OPEN_FOLDER, "open", m_sendTo},
        {1, 0, CMD_OPEN_FOLDER, "open", m_startup},
        {0, "file.lnk", CMD_EXPLORE_TARGET, "explore", scratch + "Tools"},
        {0, "folder.lnk", CMD_EXPLORE_TARGET, "explore", scratch + "Data"},
        {0, "missing.lnk", CMD_EXPLORE_TARGET, "explore", scratch + "Gone\\gone.exe"},
        // The file's own 表 ends in the byte 0x5C, which is no backslash.
        {0, "kanji.lnk", CMD_EXPLORE_TARGET, "explore", scratch + "\x95\x5C"},
        // A control panel item names no file-system path: its target reads as empty.
        {0, "panel.lnk", CMD_EXPLORE_TARGET, "explore", ""},
        {0, 0, CMD_EXPLORE_TARGET, 0, ""},
    };
    ScopedImportPatch patch("shell32", "ShellExecuteA", reinterpret_cast<void*>(RecordExecute));
    ASSERT_TRUE(patch.Original() != 0);
    MainWindow window;
    ASSERT_EQ(5, RowCount());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.selected ? c.selected : c.verb ? "open folder" : "nothing selected");
        window.ClickTab(c.tab);
        SelectRows(c.selected ? std::vector<int>(1, RowOfLink(m_sendTo + "\\" + c.selected)) : std::vector<int>());
        g_calls.clear();
        window.Command(c.command);
        EXPECT_EQ(c.verb ? Names(1, Describe(0, c.verb, c.file.c_str(), "", "", SW_SHOW)) : Names(), g_calls);
    }
}

// The toolbar command and an activation of one row (a double-click, or Enter on the focused
// row) both open the sheet of every selected row.
TEST_F(ShellActionTest, PropertiesOpensOneSheetPerSelectedRow)
{
    std::string target = ScratchFile("target.txt");
    for (const char* name : {"a.lnk", "b.lnk", "c.lnk"})
        MakeLink(m_sendTo, name, target);
    ScopedImportPatch patch("shell32", "ShellExecuteExA", reinterpret_cast<void*>(RecordExecuteEx));
    ASSERT_TRUE(patch.Original() != 0);
    MainWindow window;
    ASSERT_EQ(3, RowCount());
    g_calls.clear();
    window.Command(CMD_PROPERTIES);
    EXPECT_TRUE(g_calls.empty()) << "no selection";

    // Row 0 is the one activated: index 0 is a row too.
    SelectRows({0, 2});
    LVITEMA focus = {};
    focus.state = focus.stateMask = LVIS_FOCUSED;
    SendMessageA(g_hListView, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&focus));
    RECT row = {LVIR_LABEL, 0, 0, 0};
    SendMessageA(g_hListView, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
    // The list view itself never reports an activation of no row; such a notice opens nothing.
    NMITEMACTIVATE noRow = {};
    noRow.hdr.hwndFrom = g_hListView;
    noRow.hdr.idFrom = CTRL_LIST;
    noRow.hdr.code = LVN_ITEMACTIVATE;
    noRow.iItem = -1;
    Names sheets;
    for (int selected : {0, 2}) {
        sheets.push_back("size " + std::to_string(sizeof(SHELLEXECUTEINFOA)) + ", mask " +
                         std::to_string(SEE_MASK_FLAG_NO_UI) + ", " +
                         Describe(window.Handle(), "properties", RowLinkPath(selected).c_str(), 0, 0, 0));
    }
    const struct {
        const char* name;
        HWND to;
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        bool opens;
    } ways[] = {
        {"command", window.Handle(), WM_COMMAND, CMD_PROPERTIES, 0, true},
        {"double-click on row 0", g_hListView, WM_LBUTTONDBLCLK, 0,
         MAKELPARAM((row.left + row.right) / 2, (row.top + row.bottom) / 2), true},
        {"Enter", g_hListView, WM_KEYDOWN, VK_RETURN, 0, true},
        {"activation of no row", window.Handle(), WM_NOTIFY, CTRL_LIST, reinterpret_cast<LPARAM>(&noRow), false},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.name);
        g_calls.clear();
        SetFocus(g_hListView);
        SendMessageA(way.to, way.message, way.wParam, way.lParam);
        PumpMessages();
        EXPECT_EQ(way.opens ? sheets : Names(), g_calls);
    }
}
