// ShowSelectedOnMenu and ToggleRemovableDrives: one attribute write per file, one policy value.
#include "commands/menu_visibility.h"

#include "commands/message_words.h"
#include "commands/refresh.h"
#include "commands/rename_shortcut.h"
#include "commands/selected_files.h"
#include "commands/sort_rows.h"
#include "controls/main_tabs.h"
#include "controls/shortcut_view.h"
#include "model/hidden_attribute.h"
#include "model/send_to_policy.h"
#include "model/shortcut_item.h"
#include "model/shortcut_state.h"
#include "res/resource_ids.h"

void ShowSelectedOnMenu(HWND mainWindow, bool shown)
{
    if (IsStartupTabSelected())
        return;
    EndNameEdit();
    CommandScope scope(mainWindow);
    SelectedFiles files;
    for (int i = 0; i < files.GetCount() && files.RowsStillStand(); ++i) {
        if (!SetHiddenAttribute(files.GetPath(i), !shown))
            continue;
        int row = FindRowOfFile(files.GetPath(i));
        ShortcutItem* item = GetRowItem(row);
        if (!item)
            continue;
        item->SetStates(kStateHidden, !shown);
        UpdateRowStates(row);
    }
    KeepChosenOrder();
}

void ToggleRemovableDrives(HWND mainWindow)
{
    RemovableDrivesPolicy policy = ReadRemovableDrivesPolicy();
    if (!policy.setByMachine && !SetRemovableDrivesShown(!policy.shown))
        ShowWordsWith(mainWindow, MB_OK | MB_ICONWARNING, IDS_DRIVES_NOT_WRITTEN, 0);
}
