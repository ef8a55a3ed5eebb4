// The one path from the selected rows to a write. Every command that acts on the selection runs
// inside a SelectionCommand, which holds every step that keeps it on the rows the user chose:
// it ends a name being edited, takes the selection, waits any listing out, checks a row's file or
// value against what was listed when the command asks just before it writes (Check), keeps the
// chosen order, and takes a writing command's own change, so the live list does not list it again.
#ifndef QUIVERDESK_COMMANDS_SELECTION_COMMAND_H
#define QUIVERDESK_COMMANDS_SELECTION_COMMAND_H

#include <windows.h>

#include "commands/refresh.h"
#include "commands/selected_rows.h"
#include "model/heap_string.h"

class ShortcutItem;

class SelectionCommand {
public:
    // A command that only hands rows to the shell to show changes nothing the live list should
    // take for its own.
    enum Kind { kShows, kWrites };
    // Does nothing more (IsRunning is false) while another selection command waits in a dialog,
    // whose message loop let this one in. Whether the selection allows the command at all is
    // the window's to ask first (IsCommandEnabled).
    SelectionCommand(HWND mainWindow, Kind kind);
    // Names every row found changed or gone in one message and lists the tab again; keeps the
    // chosen order; takes the command's own change; greys the commands for the rows left.
    ~SelectionCommand();

    bool IsRunning() const { return m_running; }
    HWND GetMainWindow() const { return m_mainWindow; }
    int GetCount() const { return m_running ? m_rows.GetCount() : 0; }
    const RowRef& GetRow(int index) const { return m_rows.Get(index); }
    // The item of the row taken at index while its row still stands; null once it does not.
    ShortcutItem* Find(int index) const;
    // The same, and only when the row's file or value is as it was listed: a write may follow at
    // once. A row found changed or gone is named in the message at the end, and left alone.
    ShortcutItem* Check(int index);
    // The row's name for the message at the end, as if Check had found it changed.
    void ReportChanged(int index);

private:
    SelectionCommand(const SelectionCommand&);
    SelectionCommand& operator=(const SelectionCommand&);

    HWND m_mainWindow;
    Kind m_kind;
    bool m_running;
    CommandScope m_scope;
    SelectedRows m_rows;
    HeapString m_changed;  // the names of the rows found changed, one a line
    int m_changedCount;
};

#endif
