// Which commands the tab and the selection allow. The toolbar, the context menu and the keys all
// ask this one place, and a command it does not allow does nothing.
#ifndef QUIVERDESK_COMMANDS_COMMAND_STATE_H
#define QUIVERDESK_COMMANDS_COMMAND_STATE_H

#include <windows.h>

bool IsCommandEnabled(UINT command);
// Greys the toolbar's buttons as IsCommandEnabled says, after the selection or the tab changed.
void UpdateCommandStates();
// The row a rename edits: the focused row when it is selected, else the first selected; -1 for
// none, or when it is no file.
int RowToRename();

#endif
