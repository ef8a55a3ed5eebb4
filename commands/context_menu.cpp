// ShowContextMenu: loaded from the resource each time, trimmed to the tab and greyed to the
// selection, then destroyed.
#include "commands/context_menu.h"

#include "controls/main_tabs.h"
#include "controls/shortcut_view.h"
#include "controls/toolbar_buttons.h"
#include "model/send_to_policy.h"
#include "model/shortcut_item.h"
#include "res/resource_ids.h"

namespace {

// The commands that act on the selected rows, greyed when there are none.
const UINT kSelectionCommands[] = {
    CMD_EXPLORE_TARGET, CMD_PROPERTIES, CMD_RENAME,       CMD_DELETE,
    CMD_SWITCH_ON,      CMD_SWITCH_OFF, CMD_SHOW_ON_MENU, CMD_HIDE_FROM_MENU,
};

// Where the switch's commands begin, after the separator before them.
const int kSwitchSeparator = 5;

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

// What rows from every source need: the switch only where a selected row has one, a name edit
// only for a file, and the machine's keys an administrator.
void AddStartupCommands(HINSTANCE instance, HMENU popup)
{
    bool renamable = false;
    for (int row = NextSelectedRow(-1); row != -1; row = NextSelectedRow(row)) {
        const ShortcutItem* item = GetRowItem(row);
        renamable = renamable || (item && item->GetLinkPath());
    }
    if (!SelectionHasSwitch()) {
        EnableMenuItem(popup, CMD_SWITCH_ON, MF_BYCOMMAND | MF_GRAYED);
        EnableMenuItem(popup, CMD_SWITCH_OFF, MF_BYCOMMAND | MF_GRAYED);
    }
    if (!renamable)
        EnableMenuItem(popup, CMD_RENAME, MF_BYCOMMAND | MF_GRAYED);
    // Added here rather than in the menu's resource, which the other tab shares.
    char words[64] = "";
    LoadStringA(instance, CMD_RESTART_AS_ADMIN, words, sizeof(words));
    AppendMenuA(popup, MF_SEPARATOR, 0, 0);
    AppendMenuA(popup, MF_STRING, CMD_RESTART_AS_ADMIN, words);
}

}  // namespace

void ShowContextMenu(HWND mainWindow, int x, int y)
{
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(mainWindow, GWLP_HINSTANCE));
    HMENU menu = LoadMenuA(instance, MAKEINTRESOURCEA(IDM_CONTEXT));  // owned; destroyed below
    HMENU popup = menu ? GetSubMenu(menu, 0) : 0;
    if (!popup) {
        if (menu)
            DestroyMenu(menu);
        return;
    }
    // The Send To folder has no switch: its two commands and the separator before them go. The
    // Startup folder has no menu, whose drives and hidden files would mean nothing there: its
    // drives item goes with its separator, and the visibility commands are greyed below.
    bool startup = IsStartupTabSelected();
    if (startup) {
        DeleteMenu(popup, CMD_REMOVABLE_DRIVES, MF_BYCOMMAND);
        DeleteMenu(popup, GetMenuItemCount(popup) - 1, MF_BYPOSITION);
    } else {
        DeleteMenu(popup, CMD_SWITCH_OFF, MF_BYCOMMAND);
        DeleteMenu(popup, CMD_SWITCH_ON, MF_BYCOMMAND);
        DeleteMenu(popup, kSwitchSeparator, MF_BYPOSITION);
        // The machine's policy, when set, decides for every user: shown as it is, but fixed.
        RemovableDrivesPolicy drives = ReadRemovableDrivesPolicy();
        CheckMenuItem(popup, CMD_REMOVABLE_DRIVES, MF_BYCOMMAND | (drives.shown ? MF_CHECKED : MF_UNCHECKED));
        EnableMenuItem(popup, CMD_REMOVABLE_DRIVES, MF_BYCOMMAND | (drives.setByMachine ? MF_GRAYED : MF_ENABLED));
    }
    bool selected = NextSelectedRow(-1) >= 0;
    for (UINT command : kSelectionCommands)
        EnableMenuItem(popup, command, MF_BYCOMMAND | (selected ? MF_ENABLED : MF_GRAYED));
    if (startup) {
        EnableMenuItem(popup, CMD_SHOW_ON_MENU, MF_BYCOMMAND | MF_GRAYED);
        EnableMenuItem(popup, CMD_HIDE_FROM_MENU, MF_BYCOMMAND | MF_GRAYED);
        AddStartupCommands(instance, popup);
    }
    POINT point = {x, y};
    if (x == -1 && y == -1)
        point = KeyboardMenuPoint();
    TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, point.x, point.y, 0, mainWindow, 0);
    DestroyMenu(menu);
}
