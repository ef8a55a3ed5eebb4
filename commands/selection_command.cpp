// SelectionCommand: the steps every command on the selection takes, in the order they must come.
#include "commands/selection_command.h"

#include "commands/command_state.h"
#include "commands/live_view.h"
#include "commands/message_words.h"
#include "commands/sort_rows.h"
#include "controls/shortcut_view.h"
#include "model/shortcut_item.h"
#include "res/resource_ids.h"

namespace {

bool g_selectionCommandRunning = false;

// Ends the edit before anything is taken, so that the selection holds the renamed file; false
// while another command waits in a dialog.
bool Admit()
{
    if (g_selectionCommandRunning)
        return false;
    EndNameEdit();
    return true;
}

}  // namespace

void EndNameEdit()
{
    // The edit ends when it loses the focus, with its text kept.
    if (GetNameEditor())
        FocusShortcutView();
}

SelectionCommand::SelectionCommand(HWND mainWindow) : m_mainWindow(mainWindow), m_running(Admit()), m_scope(mainWindow)
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
    TakeOwnChange();
    UpdateCommandStates();
    if (m_changed.GetLength()) {
        ShowWordsWith(m_mainWindow, MB_OK | MB_ICONWARNING, IDS_ROWS_CHANGED, m_changed.GetBuffer());
        // After the scope, whose end may already run a listing that waited.
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
    if (m_changed.GetLength())
        m_changed.Append(L"\n");
    m_changed.Append(m_rows.Get(index).GetName());
}
