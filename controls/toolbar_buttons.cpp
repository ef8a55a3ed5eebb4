// The toolbar's buttons, and their state as the commands decide it.
#include "controls/toolbar_buttons.h"

#include "controls/tool_bar.h"
#include "res/resource_ids.h"

// Tooltips are the strings with the command's id.
const WORD g_toolbarCommands[TOOLBAR_BUTTON_COUNT] = {
    CMD_OPEN_FOLDER,
    CMD_REFRESH,
    CMD_EXPLORE_TARGET,
    CMD_PROPERTIES,
    CMD_DELETE,
    // The Startup switch: images 5 and 6 come from a strip of their own.
    CMD_SWITCH_ON,
    CMD_SWITCH_OFF,
    // The Send To menu's visibility: images 7 and 8, from the third strip.
    CMD_SHOW_ON_MENU,
    CMD_HIDE_FROM_MENU,
};

namespace {

// The first buttons act on the folder, which is always there: they start enabled. The others act
// on a selection and start greyed until the commands' states are first updated.
const int kFolderButtons = 2;

}  // namespace

// Made when the toolbar is, rather than stored: a stored TBBUTTON takes 32 bytes on win64, most
// of them padding and zeros.
void MakeToolbarButtons(TBBUTTON (&buttons)[TOOLBAR_BUTTON_COUNT])
{
    ZeroMemory(buttons, sizeof(buttons));
    for (int i = 0; i < TOOLBAR_BUTTON_COUNT; ++i) {
        buttons[i].iBitmap = i;
        buttons[i].idCommand = g_toolbarCommands[i];
        buttons[i].fsState = i < kFolderButtons ? TBSTATE_ENABLED : TBSTATE_INDETERMINATE;
        buttons[i].fsStyle = TBSTYLE_BUTTON;
    }
}

void EnableToolbarButton(int command, bool enabled)
{
    // Indeterminate lacks the enabled bit, so a greyed button also can't be pressed.
    g_toolBar.SetButtonState(command, enabled ? TBSTATE_ENABLED : TBSTATE_INDETERMINATE);
}
