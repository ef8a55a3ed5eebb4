// The main window as the user sees it: rows of the folder on show, tabs, toolbar states and
// tooltips, and where every child lands after the window is resized.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/main_tabs.h"
#include "app/quiverdesk.h"
#include "controls/shortcut_view.h"
#include "controls/status_bar.h"
#include "controls/tool_bar.h"
#include "support/main_window_fixture.h"
#include "support/test_support.h"
#include "window_folders.h"

namespace {

// What a row must show for each entry of the prepared Send To folder; targets and
// descriptions are the ANSI (code page 932) bytes the link holds.
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
    // Targets that are no file-system path: the column stays empty.
    {"14-win7-control-panel-item.lnk", "14-win7-control-panel-item.lnk", "", ""},
    {"17-win10-url-target.lnk", "17-win10-url-target.lnk", "", ""},
    {"bad.lnk", 0, "", ""},  // not a shortcut at all
    {"x.lnk", 0, "", ""},    // a folder
};

const char* const kStartupSamples[] = {"25-local-desc-quoted-args-space.lnk", "18-vista-d-drive-env-resdesc.lnk"};

const char kSendToCaption[] = "\x91\x97\x82\xe9";  // 送る

// Send To: the rows above plus entries that must not show. Startup: two more samples.
ShellFolders PrepareListedFolders()
{
    ShellFolders folders = PrepareShellFolders();
    for (const ExpectedRow& row : kSendToRows) {
        if (row.sample)
            EXPECT_TRUE(AddSample(folders.sendTo, row.sample, row.file)) << row.file;
    }
    const char junk[] = "not a shell link";
    EXPECT_TRUE(WriteBytes(folders.sendTo + "\\bad.lnk", junk, sizeof(junk)));
    EXPECT_TRUE(CreateDirectoryA((folders.sendTo + "\\x.lnk").c_str(), 0));
    EXPECT_TRUE(WriteBytes(folders.sendTo + "\\a.txt", junk, sizeof(junk)));
    EXPECT_TRUE(WriteBytes(folders.sendTo + "\\readme.lnk.txt", junk, sizeof(junk)));
    EXPECT_TRUE(AddSample(folders.sendTo, "06-ansi-stringdata-desc-args.lnk", "shortcut.url"));
    for (const char* sample : kStartupSamples)
        EXPECT_TRUE(AddSample(folders.startup, sample));
    return folders;
}

std::string DisplayNameOf(const std::string& path)
{
    SHFILEINFOA info;
    ZeroMemory(&info, sizeof(info));
    SHGetFileInfoA(path.c_str(), 0, &info, sizeof(info), SHGFI_DISPLAYNAME);
    return info.szDisplayName;
}

// The files behind the rows, each once.
std::multiset<std::string> ListedPaths()
{
    std::multiset<std::string> paths;
    for (int row = 0; row < RowCount(); ++row)
        paths.insert(RowLinkPath(row));
    return paths;
}

std::string TabCaption(int index)
{
    char text[64] = "";
    TCITEMA tab;
    ZeroMemory(&tab, sizeof(tab));
    tab.mask = TCIF_TEXT;
    tab.pszText = text;
    tab.cchTextMax = sizeof(text);
    SendMessageA(g_hTabs, TCM_GETITEMA, index, reinterpret_cast<LPARAM>(&tab));
    return text;
}

int SelectedTab()
{
    return static_cast<int>(SendMessageA(g_hTabs, TCM_GETCURSEL, 0, 0));
}

}  // namespace

TEST(MainWindowView, StartsOnSendToWithEveryLnkEntryAndItsTexts)
{
    ShellFolders folders = PrepareListedFolders();
    MainWindow window;
    ASSERT_TRUE(window.Alive());

    EXPECT_EQ(0, SelectedTab());
    EXPECT_EQ(kSendToCaption, TabCaption(0));
    EXPECT_EQ(folders.sendTo, StatusText());

    std::multiset<std::string> expectedPaths;
    std::map<std::string, const ExpectedRow*> byPath;
    for (const ExpectedRow& row : kSendToRows) {
        expectedPaths.insert(folders.sendTo + "\\" + row.file);
        byPath[folders.sendTo + "\\" + row.file] = &row;
    }
    ASSERT_EQ(expectedPaths, ListedPaths())
        << "exactly the *.lnk entries, folders among them, are listed";
    ASSERT_EQ(RowCount(), ImageCount()) << "one image per row";

    // Rows come in file-system order, so an empty text follows a filled one somewhere: a
    // buffer carried over from the row before would show here.
    for (int row = 0; row < RowCount(); ++row) {
        std::string path = RowLinkPath(row);
        const ExpectedRow& expected = *byPath[path];
        EXPECT_EQ(row, RowParam(row)) << expected.file;
        EXPECT_EQ(row, RowImage(row)) << expected.file;
        EXPECT_EQ(DisplayNameOf(path), RowText(row, 0)) << expected.file;
        EXPECT_EQ(expected.target, RowText(row, 1)) << expected.file;
        EXPECT_EQ(expected.description, RowText(row, 2)) << expected.file;
    }
}

TEST(MainWindowView, TabClicksListTheirFolderAndTheSelectedTabRescans)
{
    ShellFolders folders = PrepareListedFolders();
    MainWindow window;
    ASSERT_TRUE(window.Alive());
    const size_t sendToRows = sizeof(kSendToRows) / sizeof(kSendToRows[0]);

    window.ClickTab(1);
    EXPECT_EQ(1, SelectedTab());
    EXPECT_EQ(folders.startup, StatusText());
    std::multiset<std::string> startupPaths;
    for (const char* sample : kStartupSamples)
        startupPaths.insert(folders.startup + "\\" + sample);
    EXPECT_EQ(startupPaths, ListedPaths());
    EXPECT_EQ(RowCount(), ImageCount());

    window.ClickTab(0);
    EXPECT_EQ(0, SelectedTab());
    EXPECT_EQ(folders.sendTo, StatusText());
    EXPECT_EQ(static_cast<int>(sendToRows), RowCount());

    // A shortcut that appears behind the program's back shows after a click on the selected
    // tab, and another one after a click on the refresh button.
    ASSERT_TRUE(AddSample(folders.sendTo, "25-local-desc-quoted-args-space.lnk", "new.lnk"));
    window.ClickTab(0);
    EXPECT_EQ(0, SelectedTab());
    EXPECT_EQ(static_cast<int>(sendToRows + 1), RowCount());
    EXPECT_EQ(1u, ListedPaths().count(folders.sendTo + "\\new.lnk"));

    ASSERT_TRUE(AddSample(folders.sendTo, "25-local-desc-quoted-args-space.lnk", "newer.lnk"));
    window.ClickToolbarButton(1);
    EXPECT_EQ(static_cast<int>(sendToRows + 2), RowCount());
    EXPECT_EQ(1u, ListedPaths().count(folders.sendTo + "\\newer.lnk"));
    EXPECT_EQ(RowCount(), ImageCount());
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

// Every button as it must be with or without a selection: the three selection-bound ones are
// greyed (indeterminate, and so not pressable) while nothing is selected.
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

TEST(MainWindowView, SelectionBoundButtonsFollowTheSelection)
{
    ShellFolders folders = PrepareListedFolders();
    MainWindow window;
    ASSERT_GE(RowCount(), 3);

    ExpectButtonStates(false, "at start");
    SelectRows(std::vector<int>(1, 0));
    ExpectButtonStates(true, "one row selected");
    SelectRows(std::vector<int>{0, 2});
    ExpectButtonStates(true, "two rows selected");
    SelectRows(std::vector<int>());
    ExpectButtonStates(false, "selection cleared");

    // A refill takes the selection with the old rows; also when no new row comes in.
    SelectRows(std::vector<int>(1, 1));
    window.Command(CMD_REFRESH);
    ExpectButtonStates(false, "after a refresh");
    ClearFolder(folders.startup);
    window.ClickTab(0);
    SelectRows(std::vector<int>(1, 1));
    window.ClickTab(1);
    ASSERT_EQ(0, RowCount());
    ExpectButtonStates(false, "after switching to an empty folder");
}

TEST(MainWindowView, ToolbarOrderAndTooltips)
{
    PrepareListedFolders();
    MainWindow window;
    HWND toolbar = g_toolBar.GetWindow();

    ASSERT_EQ(6, SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0));
    TBBUTTON button;
    ZeroMemory(&button, sizeof(button));
    SendMessageA(toolbar, TB_GETBUTTON, 4, reinterpret_cast<LPARAM>(&button));
    EXPECT_TRUE(button.fsStyle & TBSTYLE_SEP) << "a separator before the delete button";
    SendMessageA(toolbar, TB_GETBUTTON, 5, reinterpret_cast<LPARAM>(&button));
    EXPECT_EQ(CMD_DELETE, button.idCommand);

    HWND tips = reinterpret_cast<HWND>(SendMessageA(toolbar, TB_GETTOOLTIPS, 0, 0));
    ASSERT_TRUE(tips != 0);
    for (const Button& expected : kButtons) {
        char text[256] = "";
        TOOLINFOA tool;
        ZeroMemory(&tool, sizeof(tool));
        tool.cbSize = TTTOOLINFOA_V2_SIZE;
        tool.hwnd = toolbar;
        tool.uId = expected.command;
        tool.lpszText = text;
        SendMessageA(tips, TTM_GETTEXTA, sizeof(text), reinterpret_cast<LPARAM>(&tool));
        EXPECT_EQ(expected.tooltip, std::string(text)) << "command " << expected.command;
    }
}

namespace {

typedef BOOL(WINAPI* MoveWindowFunction)(HWND, int, int, int, int, BOOL);
MoveWindowFunction g_moveWindow = 0;
int g_negativeMoves = 0;

BOOL WINAPI RecordingMoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint)
{
    if (width < 0 || height < 0)
        ++g_negativeMoves;
    return g_moveWindow(window, x, y, width, height, repaint);
}

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

// The tab control's display area in the main window's client coordinates.
RECT DisplayArea(HWND mainWindow)
{
    RECT area;
    GetClientRect(g_hTabs, &area);
    SendMessageA(g_hTabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    MapWindowPoints(g_hTabs, mainWindow, reinterpret_cast<POINT*>(&area), 2);
    return area;
}

struct Resize {
    const char* name;
    int width;  // outer size of the main window
    int height;
    int show;   // SW_MINIMIZE or SW_RESTORE
};

const Resize kResizes[] = {
    {"wide", 900, 500, SW_RESTORE},
    {"narrow and tall", 220, 600, SW_RESTORE},
    {"small", 300, 160, SW_RESTORE},
    {"lower than both bars", 400, 90, SW_RESTORE},
    {"tiny", 120, 60, SW_RESTORE},
    {"minimised", 0, 0, SW_MINIMIZE},
    {"restored", 0, 0, SW_RESTORE},
    {"back to normal", 640, 400, SW_RESTORE},
};

}  // namespace

TEST(MainWindowView, LayoutAfterResizes)
{
    PrepareListedFolders();
    MainWindow window;
    HWND main = window.Handle();
    ScopedImportPatch patch("user32", "MoveWindow", reinterpret_cast<void*>(RecordingMoveWindow));
    g_moveWindow = reinterpret_cast<MoveWindowFunction>(patch.Original());
    ASSERT_TRUE(g_moveWindow != 0);
    g_negativeMoves = 0;

    for (const Resize& step : kResizes) {
        if (step.show == SW_MINIMIZE) {
            ShowWindow(main, SW_MINIMIZE);
        } else {
            if (IsIconic(main))
                ShowWindow(main, SW_RESTORE);
            if (step.width > 0)
                SetWindowPos(main, 0, 0, 0, step.width, step.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        PumpMessages();
        EXPECT_EQ(step.show == SW_MINIMIZE, IsIconic(main) != FALSE) << step.name;

        RECT client;
        GetClientRect(main, &client);
        const int w = Width(client);
        const int h = Height(client);
        RECT toolbar = window.ChildRect(g_toolBar.GetWindow());
        RECT status = window.ChildRect(g_statusBar.GetWindow());
        RECT tabs = window.ChildRect(g_hTabs);
        RECT list = window.ChildRect(g_hListView);
        RECT area = DisplayArea(main);
        const int tbH = Height(toolbar);
        const int sbH = Height(status);

        EXPECT_EQ(0, toolbar.left) << step.name;
        EXPECT_EQ(0, toolbar.top) << step.name;
        EXPECT_EQ(w, Width(toolbar)) << step.name << ": toolbar spans the top";

        EXPECT_EQ(0, status.left) << step.name;
        EXPECT_EQ(h, status.bottom) << step.name << ": status bar on the bottom edge";
        EXPECT_EQ(w, Width(status)) << step.name << ": status bar spans the bottom";
        int edges[4] = {0, 0, 0, 0};
        EXPECT_EQ(1, SendMessageA(g_statusBar.GetWindow(), SB_GETPARTS, 4, reinterpret_cast<LPARAM>(edges)))
            << step.name;
        EXPECT_TRUE(edges[0] == w || edges[0] == -1) << step.name << ": part ends at " << edges[0];

        EXPECT_EQ(0, tabs.left) << step.name;
        EXPECT_EQ(tbH, tabs.top) << step.name;
        EXPECT_EQ(w, Width(tabs)) << step.name;
        EXPECT_EQ(h - sbH - tbH > 0 ? h - sbH - tbH : 0, Height(tabs)) << step.name << ": tabs fill the band";

        EXPECT_EQ(area.left, list.left) << step.name;
        EXPECT_EQ(area.top, list.top) << step.name;
        EXPECT_EQ(Width(area) > 0 ? Width(area) : 0, Width(list)) << step.name << ": list covers the display area";
        EXPECT_EQ(Height(area) > 0 ? Height(area) : 0, Height(list)) << step.name;
    }
    EXPECT_EQ(0, g_negativeMoves) << "a negative size was handed to MoveWindow";
}
