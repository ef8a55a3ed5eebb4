// SelectionCommand: the steps every command on the selection takes, in the order they must come.
#include "commands/selection_command.h"

#include "commands/command_state.h"
#include "commands/refresh.h"
#include "commands/message_words.h"
#include "commands/row_filler.h"
#include "commands/sort_rows.h"
#include "controls/shortcut_view.h"
#include "model/shortcut_item.h"
#include "res/resource_ids.h"

namespace {

bool g_selectionCommandRunning = false;

// Commits a name being edited, as a click elsewhere does in Explorer, so that a command acts on
// the rows as they stand after the rename: the edit ends when it loses the focus, its text kept.
void EndNameEdit()
{
    if (GetNameEditor())
        FocusShortcutView();
}

// Ends the edit before anything is taken, so that the selection holds the renamed file, and
// fills the selected rows still unread, so that the command acts on what they show; false while
// another command waits in a dialog.
bool Admit()
{
    if (g_selectionCommandRunning)
        return false;
    EndNameEdit();
    FillSelectedRowsNow();
    return true;
}

}  // namespace

SelectionCommand::SelectionCommand(HWND mainWindow, Kind kind)
    : m_mainWindow(mainWindow), m_kind(kind), m_running(Admit()), m_scope(mainWindow), m_changedCount(0)
{
    if (m_running)
        g_selectionCommandRunning = true;
}

SelectionCommand::~SelectionCommand()
{
    if (!m_running)
        return;
    g_selectionCommandRunning = false;
    KeepChosenOrder();
    if (m_kind == kWrites)
        ShowRowCount();
    UpdateCommandStates();
    if (m_changedCount) {
        ShowWordsWith(m_mainWindow, MB_OK | MB_ICONWARNING, IDS_ROWS_CHANGED, m_changed.GetBuffer());
        // Once the scope is over; unless a listing waits for it already, which its end runs.
        if (!IsRefreshWaiting())
            PostMessageA(m_mainWindow, WM_COMMAND, CMD_REFRESH, 0);
    }
}

ShortcutItem* SelectionCommand::Find(int index) const
{
    if (!m_running || !m_rows.RowsStillStand())
        return 0;
    return GetRowItem(FindRow(m_rows.Get(index)));
}

ShortcutItem* SelectionCommand::Check(int index)
{
    ShortcutItem* item = Find(index);
    if (item && CheckRow(m_rows.Get(index)) == kRowAsListed)
        return item;
    ReportChanged(index);
    return 0;
}

void SelectionCommand::ReportChanged(int index)
{
    if (m_changedCount++)
        m_changed.Append(L"\n");
    // The unnamed Run value goes by the name its row shows.
    const wchar_t* name = m_rows.Get(index).GetName();
    m_changed.Append(name[0] ? name : WordsWith(IDS_DEFAULT_VALUE, 0).GetBuffer());
}
