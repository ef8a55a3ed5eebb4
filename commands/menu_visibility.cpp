// ShowSelectedOnMenu and ToggleRemovableDrives: one attribute write per file, one policy value.
#include "commands/menu_visibility.h"

#include "commands/message_words.h"
#include "commands/selection_command.h"
#include "controls/shortcut_view.h"
#include "model/hidden_attribute.h"
#include "model/send_to_policy.h"
#include "model/shortcut_item.h"
#include "model/shortcut_state.h"
#include "res/resource_ids.h"

void ShowSelectedOnMenu(HWND mainWindow, bool shown)
{
    SelectionCommand command(mainWindow, SelectionCommand::kWrites);
    for (int i = 0; i < command.GetCount(); ++i) {
        const RowRef& row = command.GetRow(i);
        ShortcutItem* item = row.GetKind() == kRowFile ? command.Check(i) : 0;
        if (!item || !SetHiddenAttribute(row.GetPath(), !shown))
            continue;
        item->SetStates(kStateHidden, !shown);
        // The row stands for the file as it is now, its new attribute and all.
        RowStamp stamp;
        if (ReadFileStamp(row.GetPath(), &stamp))
            item->SetStamp(stamp);
        UpdateRowStates(FindRow(row));
    }
}

void ToggleRemovableDrives(HWND mainWindow)
{
    RemovableDrivesPolicy policy = ReadRemovableDrivesPolicy();
    if (!policy.setByMachine && !SetRemovableDrivesShown(!policy.shown))
        ShowWordsWith(mainWindow, MB_OK | MB_ICONWARNING, IDS_DRIVES_NOT_WRITTEN, 0);
}
