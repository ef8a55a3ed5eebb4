// SwitchSelectedShortcuts: one registry value per selected row of the Startup tab; the rows show
// their new state at once, without a rescan.
#include "commands/switch_startup.h"

#include "commands/sort_rows.h"
#include "controls/main_tabs.h"
#include "controls/shortcut_view.h"
#include "model/shortcut_item.h"
#include "model/shortcut_state.h"
#include "model/startup_switch.h"

void SwitchSelectedShortcuts(bool on)
{
    if (!IsStartupTabSelected())
        return;
    for (int row = NextSelectedRow(-1); row != -1; row = NextSelectedRow(row)) {
        ShortcutItem* item = GetRowItem(row);
        char name[MAX_PATH];
        if (!item || !GetSwitchName(item->GetLinkPath(), name) || !SetStartupSwitch(name, on))
            continue;
        if (on)
            item->RemoveStates(kStateSwitchedOff);
        else
            item->AddStates(kStateSwitchedOff);
        UpdateRowStates(row);
    }
    KeepChosenOrder();
}
