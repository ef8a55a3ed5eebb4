// ShowContextMenu: loaded from the resource each time, trimmed to the tab and greyed, item by
// command id, as the command state says, then destroyed.
#include "commands/context_menu.h"

#include "commands/command_state.h"
#include "controls/main_tabs.h"
#include "controls/shortcut_view.h"
#include "model/send_to_policy.h"
#include "res/resource_ids.h"

namespace {

// Where the keyboard's menu opens: under the focused row when it is selected, else at the
// list's corner.
POINT KeyboardMenuPoint()
{
    POINT point = {0, 0};
    int row = GetFocusedRow();
    RECT rect;
    if (row >= 0 && IsRowSelected(row) && GetRowRect(row, &rect)) {
        point.x = rect.left;
        point.y = rect.bottom;
    }
    ShortcutViewToScreen(&point);
    return point;
}

// Deletes the items of a group the tab does not have, and the separator before the group.
void DeleteGroup(HMENU popup, UINT first, UINT last)
{
    for (int position = 0; position < GetMenuItemCount(popup); ++position) {
        if (GetMenuItemID(popup, position) != first)
            continue;
        if (position > 0 && (GetMenuState(popup, position - 1, MF_BYPOSITION) & MF_SEPARATOR))
            DeleteMenu(popup, position - 1, MF_BYPOSITION);
        break;
    }
    DeleteMenu(popup, first, MF_BYCOMMAND);
    if (last != first)
        DeleteMenu(popup, last, MF_BYCOMMAND);
}

}  // namespace

void ShowContextMenu(HWND mainWindow, int x, int y)
{
    HINSTANCE instance = GetModuleHandleW(0);
    HMENU menu = LoadMenuA(instance, MAKEINTRESOURCEA(IDM_CONTEXT));  // owned; destroyed below
    HMENU popup = menu ? GetSubMenu(menu, 0) : 0;
    if (!popup) {
        if (menu)
            DestroyMenu(menu);
        return;
    }
    // The Send To folder has no switch; the Startup folder has no menu, whose drives would mean
    // nothing there, and the machine's keys need an administrator.
    if (IsStartupTabSelected()) {
        DeleteGroup(popup, CMD_REMOVABLE_DRIVES, CMD_REMOVABLE_DRIVES);
        // Added here rather than in the menu's resource, which the other tab shares.
        char words[64] = "";
        LoadStringA(instance, CMD_RESTART_AS_ADMIN, words, sizeof(words));
        AppendMenuA(popup, MF_SEPARATOR, 0, 0);
        AppendMenuA(popup, MF_STRING, CMD_RESTART_AS_ADMIN, words);
    } else {
        DeleteGroup(popup, CMD_SWITCH_ON, CMD_SWITCH_OFF);
        CheckMenuItem(popup, CMD_REMOVABLE_DRIVES,
                      MF_BYCOMMAND | (ReadRemovableDrivesPolicy().shown ? MF_CHECKED : MF_UNCHECKED));
    }
    for (int position = 0; position < GetMenuItemCount(popup); ++position) {
        UINT command = GetMenuItemID(popup, position);
        if (command && command != static_cast<UINT>(-1))
            EnableMenuItem(popup, command, MF_BYCOMMAND | (IsCommandEnabled(command) ? MF_ENABLED : MF_GRAYED));
    }
    POINT point = {x, y};
    if (x == -1 && y == -1)
        point = KeyboardMenuPoint();
    TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, point.x, point.y, 0, mainWindow, 0);
    DestroyMenu(menu);
}
