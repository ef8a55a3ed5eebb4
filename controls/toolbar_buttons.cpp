// The toolbar's buttons, and their state as the commands decide it.
#include "controls/toolbar_buttons.h"

#include "controls/tool_bar.h"
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

void EnableToolbarButton(int command, bool enabled)
{
    // Indeterminate lacks the enabled bit, so a greyed button also can't be pressed.
    g_toolBar.SetButtonState(command, enabled ? TBSTATE_ENABLED : TBSTATE_INDETERMINATE);
}
