// The toolbar's buttons as data, and the greying of those that act on the selection.
#ifndef QUIVERDESK_CONTROLS_TOOLBAR_BUTTONS_H
#define QUIVERDESK_CONTROLS_TOOLBAR_BUTTONS_H

#include <windows.h>
#include <commctrl.h>

enum { TOOLBAR_BUTTON_COUNT = 9 };
extern const TBBUTTON g_toolbarButtons[TOOLBAR_BUTTON_COUNT];

// Enables explore target, delete and properties while any row is selected, and the Startup
// switch's buttons too when startupTab, the Send To visibility buttons when not; greys them
// otherwise.
void UpdateToolbarState(bool startupTab);
// True when a selected row has a switch to write: rows of RunOnce have none.
bool SelectionHasSwitch();

#endif
