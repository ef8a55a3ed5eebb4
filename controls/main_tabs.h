// The tab control that chooses the folder on show: tab 0 Send To, tab 1 Startup. Only this
// wrapper talks to the control.
#ifndef QUIVERDESK_CONTROLS_MAIN_TABS_H
#define QUIVERDESK_CONTROLS_MAIN_TABS_H

#include <windows.h>
#include <commctrl.h>

extern HWND g_hTabs;  // the system destroys it with the main window

void CreateMainTabs(HWND mainWindow, HINSTANCE instance);
// The selected tab, or -1 when none is.
int GetSelectedTab();
// A tab's caption as it shows, for the lists that leave the window; the tab control need not exist.
void GetTabCaption(int tab, wchar_t* caption, int capacity);
// True while the Startup folder is on show.
bool IsStartupTabSelected();
// The tabs' display area, where the list lies, in mainWindow's client coordinates; empty when
// there is no tab control.
void GetTabsPage(HWND mainWindow, RECT* page);

// One message or call each, for the callers that need no more.
inline int GetTabCount()
{
    return static_cast<int>(SendMessageA(g_hTabs, TCM_GETITEMCOUNT, 0, 0));
}
inline void SetMainTabsFont(HFONT font)
{
    SendMessageA(g_hTabs, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}
inline void MoveMainTabs(int x, int y, int width, int height)
{
    MoveWindow(g_hTabs, x, y, width, height, TRUE);
}
inline void FocusMainTabs()
{
    SetFocus(g_hTabs);
}
// Chooses a tab as the program's own choice: no notification, so nothing is listed by it.
inline void SelectMainTab(int index)
{
    SendMessageA(g_hTabs, TCM_SETCURSEL, index, 0);
}

#endif
