// The main window as the user sees it: the rows of the folder on show, the tabs, the toolbar's
// states and tooltips, and where every child lands after a resize.
#include <windows.h>
#include <shellapi.h>

#include <map>
#include <set>

#include "app/main_tabs.h"
#include "app/quiverdesk.h"
#include "controls/shortcut_view.h"
#include "controls/status_bar.h"
#include "controls/tool_bar.h"
#include "support/main_window_fixture.h"

namespace {

// Targets and descriptions are the code page 932 bytes the links hold.
struct ExpectedRow {
    const char* file;
    const char* sample;  // null: made by the test
    const char* target;
    const char* description;
};

const ExpectedRow kSendToRows[] = {
    {"06-ansi-stringdata-desc-args.lnk", "06-ansi-stringdata-desc-args.lnk",
     "E:\\Age Of Empires II\\Age2_X1\\age2_x1.Exe", "The Conquerors - NormalMouse.lnk"},
    // C:\Temp\リンク先.txt, コメント
    {"26-japanese-cp932-local.lnk", "26-japanese-cp932-local.lnk",
     "C:\\Temp\\\x83\x8a\x83\x93\x83\x4e\x90\xe6.txt", "\x83\x52\x83\x81\x83\x93\x83\x67"},
    {"01-format-doc-example-local-file.lnk", "01-format-doc-example-local-file.lnk", "C:\\test\\a.txt", ""},
    // Targets that are no file-system path leave the column empty.
    {"14-win7-control-panel-item.lnk", "14-win7-control-panel-item.lnk", "", ""},
    {"17-win10-url-target.lnk", "17-win10-url-target.lnk", "", ""},
    {"bad.lnk", 0, "", ""},  // not a shortcut at all
    {"x.lnk", 0, "", ""},    // a folder
};
const int kSendToCount = sizeof(kSendToRows) / sizeof(kSendToRows[0]);
const char* const kStartupSamples[] = {"25-local-desc-quoted-args-space.lnk", "18-vista-d-drive-env-resdesc.lnk"};

// Send To holds the rows above and entries that must not show; Startup two more samples.
class WindowViewTest : public ShellFolderTest {
protected:
    void SetUp() override
    {
        ShellFolderTest::SetUp();
        const char junk[] = "not a shell link";
        for (const ExpectedRow& row : kSendToRows)
            EXPECT_TRUE(!row.sample || AddSample(m_sendTo, row.sample, row.file)) << row.file;
        for (const char* name : {"bad.lnk", "a.txt", "readme.lnk.txt"})
            EXPECT_TRUE(WriteBytes(m_sendTo + "\\" + name, junk, sizeof(junk))) << name;
        EXPECT_TRUE(CreateDirectoryA((m_sendTo + "\\x.lnk").c_str(), 0));
        EXPECT_TRUE(AddSample(m_sendTo, "06-ansi-stringdata-desc-args.lnk", "shortcut.url"));
        for (const char* sample : kStartupSamples)
            EXPECT_TRUE(AddSample(m_startup, sample));
    }
};

std::multiset<std::string> ListedPaths()
{
    std::multiset<std::string> paths;
    for (int row = 0; row < RowCount(); ++row)
        paths.insert(RowLinkPath(row));
    return paths;
}

int SelectedTab() { return static_cast<int>(SendMessageA(g_hTabs, TCM_GETCURSEL, 0, 0)); }

}  // namespace

TEST_F(WindowViewTest, ListsTheSelectedTabsFolderAndRescansOnEveryClick)
{
    MainWindow window;
    char caption[64] = "";
    TCITEMA tab = {TCIF_TEXT, 0, 0, caption, sizeof(caption), 0, 0};
    SendMessageA(g_hTabs, TCM_GETITEMA, SelectedTab(), reinterpret_cast<LPARAM>(&tab));
    EXPECT_STREQ("\x91\x97\x82\xe9", caption);  // 送る
    EXPECT_EQ(m_sendTo, StatusText());

    std::multiset<std::string> expected;
    std::map<std::string, const ExpectedRow*> byPath;
    for (const ExpectedRow& row : kSendToRows) {
        expected.insert(m_sendTo + "\\" + row.file);
        byPath[m_sendTo + "\\" + row.file] = &row;
    }
    ASSERT_EQ(expected, ListedPaths()) << "exactly the *.lnk entries, folders among them";
    // Rows come in file-system order, so an empty text follows a filled one somewhere: a buffer
    // carried over from the row before would show.
    for (int row = 0; row < RowCount(); ++row) {
        const ExpectedRow* want = byPath[RowLinkPath(row)];
        SHFILEINFOA info = {};
        SHGetFileInfoA(RowLinkPath(row).c_str(), 0, &info, sizeof(info), SHGFI_DISPLAYNAME);
        EXPECT_EQ(row, RowParam(row)) << want->file;
        EXPECT_EQ(info.szDisplayName, RowText(row, 0)) << want->file;
        EXPECT_EQ(want->target, RowText(row, 1)) << want->file;
        EXPECT_EQ(want->description, RowText(row, 2)) << want->file;
    }

    window.ClickTab(1);
    EXPECT_EQ(1, SelectedTab());
    EXPECT_EQ(m_startup, StatusText());
    EXPECT_EQ(std::multiset<std::string>({m_startup + "\\" + kStartupSamples[0], m_startup + "\\" + kStartupSamples[1]}),
              ListedPaths());
    window.ClickTab(0);
    EXPECT_EQ(m_sendTo, StatusText());
    EXPECT_EQ(kSendToCount, RowCount());

    // Shortcuts made behind the program's back show after a click on the selected tab, and
    // after one on the refresh button.
    ASSERT_TRUE(AddSample(m_sendTo, kStartupSamples[0], "new.lnk"));
    window.ClickTab(0);
    EXPECT_EQ(0, SelectedTab());
    EXPECT_EQ(1u, ListedPaths().count(m_sendTo + "\\new.lnk"));
    ASSERT_TRUE(AddSample(m_sendTo, kStartupSamples[0], "newer.lnk"));
    window.ClickToolbarButton(1);
    EXPECT_EQ(1u, ListedPaths().count(m_sendTo + "\\newer.lnk"));
    EXPECT_EQ(kSendToCount + 2, RowCount());
}

namespace {

struct Button {
    int command;
    bool followsSelection;
    const char* tooltip;  // code page 932
};

const Button kButtons[] = {
    {CMD_OPEN_FOLDER, false, "\x83\x74\x83\x48\x83\x8b\x83\x5f\x82\xf0\x8a\x4a\x82\xad"},  // フォルダを開く
    {CMD_REFRESH, false, "\x8d\x58\x90\x56"},                                              // 更新
    {CMD_EXPLORE_TARGET, true,                                                             // リンク先をエクスプローラで開く
     "\x83\x8a\x83\x93\x83\x4e\x90\xe6\x82\xf0\x83\x47\x83\x4e\x83\x58\x83\x76\x83\x8d\x81\x5b\x83\x89\x82\xc5\x8a\x4a\x82\xad"},
    {CMD_PROPERTIES, true, "\x83\x76\x83\x8d\x83\x70\x83\x65\x83\x42"},  // プロパティ
    {CMD_DELETE, true, "\x8d\xed\x8f\x9c"},                              // 削除
};

// Greyed means indeterminate as well as disabled: only then does a click do nothing.
void ExpectButtonStates(bool anySelected, const char* when)
{
    for (const Button& button : kButtons) {
        LRESULT state = SendMessageA(g_toolBar.GetWindow(), TB_GETSTATE, button.command, 0);
        bool enabled = !button.followsSelection || anySelected;
        EXPECT_EQ(enabled, (state & TBSTATE_ENABLED) != 0) << when << ": command " << button.command;
        EXPECT_EQ(!enabled, (state & TBSTATE_INDETERMINATE) != 0) << when << ": command " << button.command;
    }
}

}  // namespace

TEST_F(WindowViewTest, ToolbarTooltipsAndButtonsThatFollowTheSelection)
{
    MainWindow window;
    HWND toolbar = g_toolBar.GetWindow();
    ASSERT_EQ(6, SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0));
    TBBUTTON button = {};
    SendMessageA(toolbar, TB_GETBUTTON, 4, reinterpret_cast<LPARAM>(&button));
    EXPECT_TRUE(button.fsStyle & TBSTYLE_SEP) << "a separator before the delete button";
    HWND tips = reinterpret_cast<HWND>(SendMessageA(toolbar, TB_GETTOOLTIPS, 0, 0));
    for (const Button& expected : kButtons) {
        char text[256] = "";
        TOOLINFOA tool = {TTTOOLINFOA_V2_SIZE, 0, toolbar, static_cast<UINT_PTR>(expected.command), {}, 0, text, 0, 0};
        SendMessageA(tips, TTM_GETTEXTA, sizeof(text), reinterpret_cast<LPARAM>(&tool));
        EXPECT_STREQ(expected.tooltip, text) << "command " << expected.command;
    }

    ExpectButtonStates(false, "at start");
    SelectRows({0});
    ExpectButtonStates(true, "one row selected");
    SelectRows({0, 2});
    ExpectButtonStates(true, "two rows selected");
    SelectRows({});
    ExpectButtonStates(false, "selection cleared");
    // A refill takes the selection with the old rows, also when no new row comes in.
    SelectRows({1});
    window.Command(CMD_REFRESH);
    ExpectButtonStates(false, "after a refresh");
    EmptyFolder(m_startup);
    SelectRows({1});
    window.ClickTab(1);
    ASSERT_EQ(0, RowCount());
    ExpectButtonStates(false, "after switching to an empty folder");
}

namespace {

BOOL(WINAPI* g_moveWindow)(HWND, int, int, int, int, BOOL) = 0;
int g_negativeMoves = 0;

BOOL WINAPI RecordingMoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint)
{
    g_negativeMoves += width < 0 || height < 0;
    return g_moveWindow(window, x, y, width, height, repaint);
}

// Width and height, where a rectangle turned inside out counts as empty.
SIZE Size(const RECT& r)
{
    SIZE size = {r.right > r.left ? r.right - r.left : 0, r.bottom > r.top ? r.bottom - r.top : 0};
    return size;
}

}  // namespace

TEST_F(WindowViewTest, LayoutAfterResizes)
{
    const struct {
        const char* name;
        int width, height;  // outer size; 0 keeps it
        int show;
    } steps[] = {
        {"wide", 900, 500, SW_RESTORE},
        {"narrow and tall", 220, 600, SW_RESTORE},
        {"small", 300, 160, SW_RESTORE},
        {"lower than both bars", 400, 90, SW_RESTORE},
        {"tiny", 120, 60, SW_RESTORE},
        {"minimised", 0, 0, SW_MINIMIZE},
        {"restored", 0, 0, SW_RESTORE},
        {"back to normal", 640, 400, SW_RESTORE},
    };
    MainWindow window;
    HWND main = window.Handle();
    ScopedImportPatch patch("user32", "MoveWindow", reinterpret_cast<void*>(RecordingMoveWindow));
    g_moveWindow = reinterpret_cast<BOOL(WINAPI*)(HWND, int, int, int, int, BOOL)>(patch.Original());
    ASSERT_TRUE(g_moveWindow != 0);
    g_negativeMoves = 0;

    for (const auto& step : steps) {
        if (step.show == SW_MINIMIZE || IsIconic(main))
            ShowWindow(main, step.show);
        if (step.width > 0)
            SetWindowPos(main, 0, 0, 0, step.width, step.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        PumpMessages();
        EXPECT_EQ(step.show == SW_MINIMIZE, IsIconic(main) != FALSE) << step.name;

        RECT client, area;
        GetClientRect(main, &client);
        GetClientRect(g_hTabs, &area);
        SendMessageA(g_hTabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
        MapWindowPoints(g_hTabs, main, reinterpret_cast<POINT*>(&area), 2);
        const RECT toolbar = window.ChildRect(g_toolBar.GetWindow());
        const RECT status = window.ChildRect(g_statusBar.GetWindow());
        const RECT tabs = window.ChildRect(g_hTabs);
        const RECT list = window.ChildRect(g_hListView);
        const int w = client.right, h = client.bottom;
        const int band = h - Size(status).cy - toolbar.bottom;

        EXPECT_TRUE(toolbar.left == 0 && toolbar.top == 0 && Size(toolbar).cx == w) << step.name << ": toolbar";
        EXPECT_TRUE(status.left == 0 && status.bottom == h && Size(status).cx == w) << step.name << ": status bar";
        int edges[4] = {0, 0, 0, 0};
        EXPECT_EQ(1, SendMessageA(g_statusBar.GetWindow(), SB_GETPARTS, 4, reinterpret_cast<LPARAM>(edges))) << step.name;
        EXPECT_TRUE(edges[0] == w || edges[0] == -1) << step.name << ": the part ends at " << edges[0];
        EXPECT_TRUE(tabs.left == 0 && tabs.top == toolbar.bottom && Size(tabs).cx == w) << step.name << ": tabs";
        EXPECT_EQ(band > 0 ? band : 0, Size(tabs).cy) << step.name << ": the tabs fill the band";
        EXPECT_TRUE(list.left == area.left && list.top == area.top) << step.name << ": list";
        EXPECT_TRUE(Size(list).cx == Size(area).cx && Size(list).cy == Size(area).cy) << step.name << ": list size";
    }
    EXPECT_EQ(0, g_negativeMoves) << "a negative size was handed to MoveWindow";
}
