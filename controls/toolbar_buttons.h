// The toolbar's buttons as data, and their greying, which the commands decide.
#ifndef QUIVERDESK_CONTROLS_TOOLBAR_BUTTONS_H
#define QUIVERDESK_CONTROLS_TOOLBAR_BUTTONS_H

#include <windows.h>
#include <commctrl.h>

enum { TOOLBAR_BUTTON_COUNT = 9 };
// The buttons' commands in the buttons' order, which is also their images' order.
extern const WORD g_toolbarCommands[TOOLBAR_BUTTON_COUNT];

// The buttons as the toolbar takes them: button i shows image i and sends g_toolbarCommands[i].
void MakeToolbarButtons(TBBUTTON (&buttons)[TOOLBAR_BUTTON_COUNT]);

// Enables the button of command, or greys it; a greyed button can't be pressed either.
void EnableToolbarButton(int command, bool enabled);

#endif
