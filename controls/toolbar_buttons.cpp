// The toolbar's buttons, and their state as the list view's selection and the tab change.
#include "controls/toolbar_buttons.h"

#include "controls/shortcut_view.h"
#include "controls/tool_bar.h"
#include "model/shortcut_item.h"
#include "res/resource_ids.h"

// {image, command, state, style, padding, data, string}. Tooltips are the strings with the command's id.
const TBBUTTON g_toolbarButtons[TOOLBAR_BUTTON_COUNT] = {
    {0, CMD_OPEN_FOLDER, TBSTATE_ENABLED, TBSTYLE_BUTTON, {0}, 0, 0},
    {1, CMD_REFRESH, TBSTATE_ENABLED, TBSTYLE_BUTTON, {0}, 0, 0},
    {2, CMD_EXPLORE_TARGET, TBSTATE_INDETERMINATE, TBSTYLE_BUTTON, {0}, 0, 0},
    {3, CMD_PROPERTIES, TBSTATE_INDETERMINATE, TBSTYLE_BUTTON, {0}, 0, 0},
    {4, CMD_DELETE, TBSTATE_INDETERMINATE, TBSTYLE_BUTTON, {0}, 0, 0},
    // The Startup switch: images 5 and 6 come from a strip of their own.
    {5, CMD_SWITCH_ON, TBSTATE_INDETERMINATE, TBSTYLE_BUTTON, {0}, 0, 0},
    {6, CMD_SWITCH_OFF, TBSTATE_INDETERMINATE, TBSTYLE_BUTTON, {0}, 0, 0},
    // The Send To menu's visibility: images 7 and 8, from the third strip.
    {7, CMD_SHOW_ON_MENU, TBSTATE_INDETERMINATE, TBSTYLE_BUTTON, {0}, 0, 0},
    {8, CMD_HIDE_FROM_MENU, TBSTATE_INDETERMINATE, TBSTYLE_BUTTON, {0}, 0, 0},
};

bool SelectionHasSwitch()
{
    for (int row = NextSelectedRow(-1); row != -1; row = NextSelectedRow(row)) {
        const ShortcutItem* item = GetRowItem(row);
        if (item && GetStartupSource(item->GetSource()).switches)
            return true;
    }
    return false;
}

void UpdateToolbarState(bool startupTab)
{
    int selected = GetSelectedRowCount();
    // Indeterminate lacks the enabled bit, so a greyed button also can't be pressed.
    int state = selected > 0 ? TBSTATE_ENABLED : TBSTATE_INDETERMINATE;
    g_toolBar.SetButtonState(CMD_EXPLORE_TARGET, state);
    g_toolBar.SetButtonState(CMD_DELETE, state);
    g_toolBar.SetButtonState(CMD_PROPERTIES, state);
    // Only the Startup tab has Windows' switch, and of its rows only RunOnce's have none.
    int switchState = startupTab && selected > 0 && SelectionHasSwitch() ? state : TBSTATE_INDETERMINATE;
    g_toolBar.SetButtonState(CMD_SWITCH_ON, switchState);
    g_toolBar.SetButtonState(CMD_SWITCH_OFF, switchState);
    // Windows runs a hidden Startup file all the same: only the Send To menu leaves one out.
    int visibilityState = startupTab ? TBSTATE_INDETERMINATE : state;
    g_toolBar.SetButtonState(CMD_SHOW_ON_MENU, visibilityState);
    g_toolBar.SetButtonState(CMD_HIDE_FROM_MENU, visibilityState);
}
