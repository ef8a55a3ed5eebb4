// Deleting the selected shortcuts from the toolbar command and the Delete key: the shell's
// confirmations answered Yes or No, the recycle bin under $XDG_DATA_HOME/Trash, Shift for good.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/main_tabs.h"
#include "app/quiverdesk.h"
#include "command_fixture.h"
#include "controls/shortcut_view.h"
#include "support/main_window_fixture.h"

namespace {

typedef std::pair<std::string, LPARAM> RowView;  // what a row shows, and the item it stands for

std::vector<RowView> Rows()
{
    std::vector<RowView> rows;
    for (int row = 0; row < RowCount(); ++row)
        rows.push_back(RowView(RowText(row, 0), RowParam(row)));
    return rows;
}

// n shortcuts named a.lnk, b.lnk, ... in folder, all to one scratch file.
void MakeLinks(const std::string& folder, int n)
{
    std::string target = MakeScratchFile("target.txt");
    for (int i = 0; i < n; ++i)
        MakeLink(folder, std::string(1, static_cast<char>('a' + i)) + ".lnk", target);
}

void PressDeleteInList()
{
    SetFocus(g_hListView);
    SendMessageA(g_hListView, WM_KEYDOWN, VK_DELETE, 0);
    PumpMessages();  // the key posts the command
}

int g_fileOperations = 0;
int(WINAPI* g_realFileOperation)(LPSHFILEOPSTRUCTA) = 0;

int WINAPI CountingFileOperation(LPSHFILEOPSTRUCTA operation)
{
    ++g_fileOperations;
    return g_realFileOperation(operation);
}

}  // namespace

// Each selected row is its own shell operation with its own confirmation. A row goes only when
// its file went, and the rows left keep their parameters: nothing is refreshed.
TEST_F(CommandTest, DeleteRemovesTheRowsWhoseFilesWentToTheRecycleBin)
{
    struct Case {
        const char* name;
        int links;
        std::vector<int> selected;
        std::vector<int> answers;  // to the confirmations, in order
        int lockedRow;             // held open without sharing, or -1
        std::vector<int> gone;
    } cases[] = {
        {"three rows, all confirmed", 4, {0, 1, 2}, {IDYES, IDYES, IDYES}, -1, {0, 1, 2}},
        {"rows 1 and 3, the first declined", 5, {1, 3}, {IDNO, IDYES}, -1, {3}},
        // Such a file can be neither moved to the recycle bin nor deleted: the shell reports
        // a failure but no abort. Its questions after the confirmation are answered Yes too.
        {"a locked file", 2, {0, 1}, {IDYES}, 0, {1}},
    };
    MainWindow window;
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(c.name);
        EmptyFolder(m_sendTo);
        EmptyTrash();
        MakeLinks(m_sendTo, c.links);
        window.Command(CMD_REFRESH);
        ASSERT_EQ(c.links, RowCount());
        std::vector<RowView> before = Rows(), after;
        Names files, trashed;
        for (int row = 0; row < c.links; ++row) {
            files.push_back(RowLinkPath(row));
            if (std::count(c.gone.begin(), c.gone.end(), row))
                trashed.push_back(BaseName(files[row]));
            else
                after.push_back(before[row]);
        }
        HANDLE lock = c.lockedRow < 0 ? INVALID_HANDLE_VALUE
                                      : CreateFileA(files[c.lockedRow].c_str(), GENERIC_READ, 0, 0, OPEN_EXISTING, 0, 0);
        ASSERT_EQ(c.lockedRow < 0, lock == INVALID_HANDLE_VALUE);

        SelectRows(c.selected);
        {
            DialogAnswerer answerer(IDYES);
            for (size_t a = 0; a < c.answers.size(); ++a)
                answerer.Then(c.answers[a]);
            window.Command(CMD_DELETE);
            if (c.lockedRow < 0)
                EXPECT_EQ(static_cast<int>(c.selected.size()), answerer.AnsweredCount());
        }
        if (lock != INVALID_HANDLE_VALUE)
            CloseHandle(lock);

        EXPECT_EQ(after, Rows());
        for (int row = 0; row < c.links; ++row)
            EXPECT_NE(FileExists(files[row]), std::count(c.gone.begin(), c.gone.end(), row) != 0) << files[row];
        std::sort(trashed.begin(), trashed.end());
        EXPECT_EQ(trashed, TrashNames());
    }
}

// The toolbar command and the Delete key take the same road; Shift decides where files go.
TEST_F(CommandTest, ShiftDeletesForGoodFromTheCommandAndTheKey)
{
    struct Case {
        const char* name;
        bool byKey;
        bool shift;
    } cases[] = {
        {"command", false, false},
        {"command with Shift", false, true},
        {"Delete key", true, false},
        {"Delete key with Shift", true, true},
    };
    MainWindow window;
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(c.name);
        EmptyFolder(m_sendTo);
        EmptyTrash();
        MakeLinks(m_sendTo, 2);
        window.Command(CMD_REFRESH);
        ASSERT_EQ(2, RowCount());
        SelectRows({0, 1});
        {
            DialogAnswerer answerer(IDYES);
            std::unique_ptr<ShiftHeld> shift(c.shift ? new ShiftHeld : 0);
            c.byKey ? PressDeleteInList() : window.Command(CMD_DELETE);
            EXPECT_EQ(2, answerer.AnsweredCount());
        }
        EXPECT_EQ(0, RowCount());
        EXPECT_TRUE(LinkNames(m_sendTo).empty());
        EXPECT_EQ(c.shift ? Names() : Names({"a.lnk", "b.lnk"}), TrashNames());
    }
}

TEST_F(CommandTest, NoSelectionCallsNoShellAndFocusesTheList)
{
    MakeLinks(m_sendTo, 2);
    MainWindow window;
    g_fileOperations = 0;
    ScopedImportPatch patch("shell32.dll", "SHFileOperationA", reinterpret_cast<void*>(CountingFileOperation));
    g_realFileOperation = reinterpret_cast<int(WINAPI*)(LPSHFILEOPSTRUCTA)>(patch.Original());
    ASSERT_TRUE(g_realFileOperation != 0);

    SelectRows({});
    SetFocus(g_hTabs);
    ASSERT_EQ(g_hTabs, GetFocus());
    window.Command(CMD_DELETE);
    EXPECT_EQ(0, g_fileOperations);
    EXPECT_EQ(g_hListView, GetFocus());
    PressDeleteInList();
    EXPECT_EQ(0, g_fileOperations);
    EXPECT_EQ(2, RowCount());

    // The count does see the shell: one selected row is one operation.
    SelectRows({1});
    DialogAnswerer answerer(IDYES);
    window.Command(CMD_DELETE);
    EXPECT_EQ(1, g_fileOperations);
    EXPECT_EQ(1, RowCount());
}
