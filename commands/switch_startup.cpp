// SwitchSelectedShortcuts: one registry value per selected row of the Startup tab, in its
// source's own key; the rows show their new state at once, without a rescan.
#include "commands/switch_startup.h"

#include "commands/message_words.h"
#include "commands/refresh.h"
#include "commands/rename_shortcut.h"
#include "commands/selected_files.h"
#include "commands/sort_rows.h"
#include "controls/main_tabs.h"
#include "controls/shortcut_view.h"
#include "model/shortcut_item.h"
#include "model/shortcut_state.h"
#include "model/startup_switch.h"
#include "res/resource_ids.h"

void SwitchSelectedShortcuts(HWND mainWindow, bool on)
{
    if (!IsStartupTabSelected())
        return;
    EndNameEdit();
    CommandScope scope(mainWindow);
    SelectedFiles files;
    for (int i = 0; i < files.GetCount() && files.RowsStillStand(); ++i) {
        int row = FindRowOfFile(files.GetIdentity(i));
        ShortcutItem* item = GetRowItem(row);
        // Each row's switch lives in its own source's key; RunOnce has none, and is skipped.
        const RegistryPlace* place = item ? GetStartupSource(item->GetSource()).switches : 0;
        if (!place)
            continue;
        const wchar_t* name = item->GetValueName() ? item->GetValueName() : GetSwitchName(files.GetPath(i));
        LONG status = WriteSwitch(place, name, on);
        // Only the machine's keys are an administrator's to change; a refusal of the user's own
        // is no matter of rights this program could ask for.
        if (status == ERROR_ACCESS_DENIED && place->root == HKEY_LOCAL_MACHINE) {
            ShowWordsWith(mainWindow, MB_OK | MB_ICONWARNING, IDS_NEEDS_ADMIN, name);
            continue;
        }
        if (status != ERROR_SUCCESS) {
            // The name goes in whole, however long a Run value's may be.
            ShowWordsWith(mainWindow, MB_OK | MB_ICONWARNING, IDS_SWITCH_FAILED, name ? name : files.GetIdentity(i));
            continue;
        }
        item->SetStates(kStateSwitchedOff, !on);
        UpdateRowStates(row);
    }
    KeepChosenOrder();
}
