// The tab control that chooses the folder on show: tab 0 Send To, tab 1 Startup.
#ifndef QUIVERDESK_CONTROLS_MAIN_TABS_H
#define QUIVERDESK_CONTROLS_MAIN_TABS_H

#include <windows.h>

extern HWND g_hTabs;

void CreateMainTabs(HWND mainWindow, HINSTANCE instance);
// The selected tab, or -1 when none is.
int GetSelectedTab();
// True while the Startup folder is on show.
bool IsStartupTabSelected();

#endif
