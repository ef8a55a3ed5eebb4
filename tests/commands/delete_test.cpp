// Deleting the selected shortcuts from the toolbar command and the Delete key: the shell's
// confirmations answered Yes or No, the recycle bin under $XDG_DATA_HOME/Trash, Shift for good.
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "app/main_tabs.h"
#include "app/quiverdesk.h"
#include "controls/shortcut_view.h"
#include "support/main_window_fixture.h"

namespace {

typedef ShellFolderTest DeleteTest;

// $XDG_DATA_HOME/Trash/files through the drive that shows the host's root. Its info records go
// too: a name still recorded there makes the next file of that name land under another name.
std::string Trash(const char* part)
{
    const char* xdg = std::getenv("XDG_DATA_HOME");
    std::string path = std::string("Z:") + (xdg ? xdg : "/nowhere") + "/Trash/" + part;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

// The links a.lnk, b.lnk, ... to one scratch file, listed.
void ShowLinks(const MainWindow& window, const std::string& folder, int count)
{
    EmptyFolder(folder);
    EmptyFolder(Trash("files"));
    EmptyFolder(Trash("info"));
    std::string target = ScratchFile("target.txt");
    for (int i = 0; i < count; ++i)
        MakeLink(folder, std::string(1, static_cast<char>('a' + i)) + ".lnk", target);
    window.Command(CMD_REFRESH);
    ASSERT_EQ(count, RowCount());
}

void PressDeleteInList()
{
    SetFocus(g_hListView);
    SendMessageA(g_hListView, WM_KEYDOWN, VK_DELETE, 0);
    PumpMessages();  // the key posts the command
}

void SetShift(bool down)
{
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = keys[VK_LSHIFT] = down ? 0x80 : 0;
    SetKeyboardState(keys);
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
// its file went; nothing is refreshed, so the rows left keep their texts and parameters.
TEST_F(DeleteTest, RemovesTheRowsWhoseFilesWentAndOnlyThose)
{
    const struct {
        const char* name;
        int links;
        std::vector<int> selected;
        std::vector<int> answers;  // to the confirmations, in order; Yes after them
        int lockedRow;             // held open without sharing, or -1
        bool byKey, shift;
        std::vector<int> gone;
    } cases[] = {
        {"three rows, all confirmed", 4, {0, 1, 2}, {}, -1, false, false, {0, 1, 2}},
        {"rows 1 and 3, the first declined", 5, {1, 3}, {IDNO}, -1, false, false, {3}},
        // Neither recycled nor deleted: the shell reports a failure but no abort.
        {"a locked file", 2, {0, 1}, {}, 0, false, false, {1}},
        {"the Delete key", 2, {0, 1}, {}, -1, true, false, {0, 1}},
        {"the command with Shift", 2, {0, 1}, {}, -1, false, true, {0, 1}},
        {"the Delete key with Shift", 2, {0, 1}, {}, -1, true, true, {0, 1}},
        {"no selection", 2, {}, {}, -1, false, false, {}},
        {"no selection, the Delete key", 2, {}, {}, -1, true, false, {}},
    };
    MainWindow window;
    ScopedImportPatch patch("shell32.dll", "SHFileOperationA", reinterpret_cast<void*>(CountingFileOperation));
    g_realFileOperation = reinterpret_cast<int(WINAPI*)(LPSHFILEOPSTRUCTA)>(patch.Original());
    ASSERT_TRUE(g_realFileOperation != 0);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ShowLinks(window, m_sendTo, c.links);
        std::vector<std::pair<std::string, LPARAM> > before, after;
        Names files, trashed;
        for (int row = 0; row < c.links; ++row) {
            before.push_back(std::make_pair(RowText(row, 0), RowParam(row)));
            files.push_back(RowLinkPath(row));
            if (!std::count(c.gone.begin(), c.gone.end(), row))
                after.push_back(before[row]);
            else if (!c.shift)
                trashed.push_back(files[row].substr(m_sendTo.size() + 1));
        }
        HANDLE lock = c.lockedRow < 0 ? INVALID_HANDLE_VALUE
                                      : CreateFileA(files[c.lockedRow].c_str(), GENERIC_READ, 0, 0, OPEN_EXISTING, 0, 0);
        ASSERT_EQ(c.lockedRow < 0, lock == INVALID_HANDLE_VALUE);

        SelectRows(c.selected);
        SetFocus(g_hTabs);
        ASSERT_EQ(g_hTabs, GetFocus());
        g_fileOperations = 0;
        {
            DialogAnswerer answerer(IDYES);
            for (int answer : c.answers)
                answerer.Then(answer);
            SetShift(c.shift);
            c.byKey ? PressDeleteInList() : window.Command(CMD_DELETE);
            SetShift(false);
            if (c.lockedRow < 0)
                EXPECT_EQ(static_cast<int>(c.selected.size()), answerer.AnsweredCount());
        }
        if (lock != INVALID_HANDLE_VALUE)
            CloseHandle(lock);

        EXPECT_EQ(static_cast<int>(c.selected.size()), g_fileOperations);
        EXPECT_EQ(g_hListView, GetFocus());
        std::vector<std::pair<std::string, LPARAM> > rows;
        for (int row = 0; row < RowCount(); ++row)
            rows.push_back(std::make_pair(RowText(row, 0), RowParam(row)));
        EXPECT_EQ(after, rows);
        for (int row = 0; row < c.links; ++row)
            EXPECT_NE(FileExists(files[row]), std::count(c.gone.begin(), c.gone.end(), row) != 0) << files[row];
        std::sort(trashed.begin(), trashed.end());
        EXPECT_EQ(trashed, LinkNames(Trash("files"), "*"));
    }
}
