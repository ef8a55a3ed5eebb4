// Deleting the selected shortcuts from the toolbar command and the Delete key: the shell's
// confirmations answered Yes or No, the recycle bin under $XDG_DATA_HOME/Trash, Shift for good.
#include <commctrl.h>

#include <algorithm>
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
std::vector<std::string> MakeLinks(const std::string& folder, int n)
{
    std::string target = MakeScratchFile("target.txt");
    std::vector<std::string> links;
    for (int i = 0; i < n; ++i)
        links.push_back(MakeLink(folder, std::string(1, static_cast<char>('a' + i)) + ".lnk", target));
    return links;
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

TEST_F(CommandTest, ConfirmedRowsGoToTheRecycleBinAndLeaveTheView)
{
    MakeLinks(m_sendTo, 4);
    MainWindow window;
    ASSERT_EQ(4, RowCount());
    std::vector<RowView> before = Rows();
    std::vector<std::string> files;
    for (int row = 0; row < 3; ++row)
        files.push_back(RowLinkPath(row));

    SelectRows({0, 1, 2});
    DialogAnswerer answerer(IDYES);
    window.Command(CMD_DELETE);

    EXPECT_EQ(3, answerer.AnsweredCount()) << "one confirmation per row";
    // The row left keeps its parameter: nothing was refreshed.
    EXPECT_EQ(std::vector<RowView>(1, before[3]), Rows());
    std::vector<std::string> trashed;
    for (size_t i = 0; i < files.size(); ++i) {
        EXPECT_FALSE(FileExists(files[i])) << files[i];
        trashed.push_back(BaseName(files[i]));
    }
    std::sort(trashed.begin(), trashed.end());
    EXPECT_EQ(trashed, TrashNames());
}

TEST_F(CommandTest, DeclinedRowStaysAndTheNextSelectedRowGoes)
{
    MakeLinks(m_sendTo, 5);
    MainWindow window;
    ASSERT_EQ(5, RowCount());
    std::vector<RowView> before = Rows();
    std::string declined = RowLinkPath(1);
    std::string confirmed = RowLinkPath(3);

    SelectRows({1, 3});
    DialogAnswerer answerer;
    answerer.Then(IDNO).Then(IDYES);
    window.Command(CMD_DELETE);

    EXPECT_EQ(2, answerer.AnsweredCount());
    std::vector<RowView> expected = before;
    expected.erase(expected.begin() + 3);
    EXPECT_EQ(expected, Rows());
    EXPECT_TRUE(FileExists(declined));
    EXPECT_FALSE(FileExists(confirmed));
    EXPECT_EQ(std::vector<std::string>(1, BaseName(confirmed)), TrashNames());
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
        EmptyFolder(TrashFolder());
        std::vector<std::string> links = MakeLinks(m_sendTo, 2);
        window.Command(CMD_REFRESH);
        ASSERT_EQ(2, RowCount());
        SelectRows({0, 1});
        {
            DialogAnswerer answerer(IDYES);
            if (c.shift) {
                ShiftHeld shift;
                c.byKey ? PressDeleteInList() : window.Command(CMD_DELETE);
            } else {
                c.byKey ? PressDeleteInList() : window.Command(CMD_DELETE);
            }
            EXPECT_EQ(2, answerer.AnsweredCount());
        }
        EXPECT_EQ(0, RowCount());
        EXPECT_TRUE(LinkNames(m_sendTo).empty());
        std::vector<std::string> expectedTrash;
        if (!c.shift)
            expectedTrash = {"a.lnk", "b.lnk"};
        EXPECT_EQ(expectedTrash, TrashNames());
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

// A file held open without sharing can be neither moved to the recycle bin nor deleted; the
// shell reports the failure without aborting, and the row must stay.
TEST_F(CommandTest, LockedFileKeepsItsRow)
{
    MakeLinks(m_sendTo, 2);
    MainWindow window;
    ASSERT_EQ(2, RowCount());
    std::vector<RowView> before = Rows();
    std::string locked = RowLinkPath(0);
    std::string free = RowLinkPath(1);
    HANDLE lock = CreateFileA(locked.c_str(), GENERIC_READ, 0, 0, OPEN_EXISTING, 0, 0);
    ASSERT_NE(INVALID_HANDLE_VALUE, lock);

    SelectRows({0, 1});
    {
        DialogAnswerer answerer(IDYES);  // also presses on through any can't-trash question
        window.Command(CMD_DELETE);
    }
    CloseHandle(lock);

    EXPECT_TRUE(FileExists(locked));
    EXPECT_FALSE(FileExists(free));
    EXPECT_EQ(std::vector<RowView>(1, before[0]), Rows());
}
