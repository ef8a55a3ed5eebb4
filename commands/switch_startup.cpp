// SwitchSelectedShortcuts: one registry value per selected row of the Startup tab, in its
// source's own key; the rows show their new state at once, without a listing.
#include "commands/switch_startup.h"

#include "commands/entry_marks.h"
#include "commands/message_words.h"
#include "commands/selection_command.h"
#include "controls/shortcut_view.h"
#include "model/shortcut_item.h"
#include "model/shortcut_state.h"
#include "model/startup_switch.h"
#include "res/resource_ids.h"

void SwitchSelectedShortcuts(HWND mainWindow, bool on)
{
    SelectionCommand command(mainWindow, SelectionCommand::kWrites);
    for (int i = 0; i < command.GetCount(); ++i) {
        // Each row's switch lives in its own source's key; RunOnce has none, and a folder none
        // that Windows reads.
        const RowRef& row = command.GetRow(i);
        const RegistryPlace* place = GetStartupSource(row.GetSource()).switches;
        const ShortcutItem* listed = command.Find(i);
        if (!place || !listed || listed->IsFolder())
            continue;
        // A switch written for an entry that went would switch off whatever comes by its name.
        ShortcutItem* item = command.Check(i);
        if (!item)
            continue;
        const wchar_t* name = row.GetKind() == kRowValue ? row.GetValueName() : row.GetName();
        LONG status = WriteSwitch(place, name, on);
        // Only the machine's keys are an administrator's to change; a refusal of the user's own
        // is no matter of rights this program could ask for.
        if (status == ERROR_ACCESS_DENIED && place->root == HKEY_LOCAL_MACHINE) {
            ShowWordsWith(mainWindow, MB_OK | MB_ICONWARNING, IDS_NEEDS_ADMIN, name);
            continue;
        }
        if (status != ERROR_SUCCESS) {
            // The name goes in whole, however long a Run value's may be.
            ShowWordsWith(mainWindow, MB_OK | MB_ICONWARNING, IDS_SWITCH_FAILED, name);
            continue;
        }
        // Switched here, the entry is the user's doing: no longer what came back.
        item->SetStates(kStateSwitchedOff, !on);
        item->RemoveStates(kStateBack);
        if (on)
            RememberAccepted(true, row.GetSource(), name);
        else
            RememberRemoval(true, row, item, kMemorySwitchedOff);
        UpdateRowStates(FindRow(row));
    }
}
