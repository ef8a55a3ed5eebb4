// IsCommandEnabled: one walk of the selection answers every command.
#include "commands/command_state.h"

#include "controls/main_tabs.h"
#include "controls/shortcut_view.h"
#include "controls/toolbar_buttons.h"
#include "model/send_to_policy.h"
#include "model/shortcut_item.h"
#include "res/resource_ids.h"

namespace {

// What the selected rows a command may act on hold between them.
struct Selection {
    bool rows;        // any at all
    bool files;       // a file of a folder
    bool switchable;  // a row with a switch of its own: not RunOnce's, not a subfolder
};

// What the tab on show needs to know: on Startup whether a row has a switch, on Send To whether
// one is a file. The walk stops as soon as it knows, so a selection of thousands mostly costs a
// few rows.
Selection ReadSelection(bool startup)
{
    Selection selection = {false, false, false};
    for (int row = NextSelectedRow(-1); row != -1 && !(startup ? selection.switchable : selection.files);
         row = NextSelectedRow(row)) {
        const ShortcutItem* item = GetRowItem(row);
        if (!item)
            continue;
        selection.rows = true;
        selection.files = selection.files || item->GetLinkPath();
        // Windows runs no folder: its switch would change nothing.
        selection.switchable =
            selection.switchable || (GetStartupSource(item->GetSource()).switches && !item->IsFolder());
    }
    return selection;
}

bool IsEnabled(UINT command, const Selection& selection, bool startup)
{
    switch (command) {
    case CMD_EXPLORE_TARGET:
    case CMD_PROPERTIES:
    case CMD_COPY:
    case CMD_DELETE: return selection.rows;
    case CMD_RENAME: return RowToRename() >= 0;
    // Only the Startup tab has Windows' switch; Windows runs a hidden Startup file all the same,
    // so only the Send To menu has files to leave out.
    case CMD_SWITCH_ON:
    case CMD_SWITCH_OFF: return startup && selection.switchable;
    case CMD_SHOW_ON_MENU:
    case CMD_HIDE_FROM_MENU: return !startup && selection.files;
    // The machine's policy, when set, decides for every user.
    case CMD_REMOVABLE_DRIVES: return !startup && !ReadRemovableDrivesPolicy().setByMachine;
    default: return true;
    }
}

}  // namespace

int RowToRename()
{
    int row = GetFocusedRow();
    if (row < 0 || !IsRowSelected(row))
        row = NextSelectedRow(-1);
    // Only a file has a name to edit: a Run value is named by the program that wrote it.
    const ShortcutItem* item = GetRowItem(row);
    return item && item->GetLinkPath() ? row : -1;
}

bool IsCommandEnabled(UINT command)
{
    bool startup = IsStartupTabSelected();
    return IsEnabled(command, ReadSelection(startup), startup);
}

void UpdateCommandStates()
{
    bool startup = IsStartupTabSelected();
    const Selection selection = ReadSelection(startup);
    for (WORD command : g_toolbarCommands)
        EnableToolbarButton(command, IsEnabled(command, selection, startup));
}
