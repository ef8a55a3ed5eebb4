// OnCreate, OnSize and OnDestroy: the main window's children, their layout, and the teardown.
#include "app/main_window.h"

#include <commctrl.h>
#include <objbase.h>

#include "app/main_tabs.h"
#include "app/quiverdesk.h"
#include "commands/refresh.h"
#include "controls/shortcut_view.h"
#include "controls/status_bar.h"
#include "controls/tool_bar.h"
#include "controls/toolbar_buttons.h"
#include "model/shortcut_list.h"

namespace {

int NotBelowZero(int size)
{
    return size > 0 ? size : 0;
}

void AcceptDroppedFiles(HWND mainWindow)
{
    LONG_PTR style = GetWindowLongPtrA(mainWindow, GWL_EXSTYLE);
    SetWindowLongPtrA(mainWindow, GWL_EXSTYLE, style | WS_EX_ACCEPTFILES);
}

}  // namespace

void OnCreate(HWND mainWindow)
{
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(mainWindow, GWLP_HINSTANCE));
    // Shell-link objects live in this thread's apartment until OnDestroy.
    CoInitialize(0);
    INITCOMMONCONTROLSEX controls;
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_LISTVIEW_CLASSES;
    InitCommonControlsEx(&controls);

    CreateShortcutView(mainWindow, instance);
    CreateMainTabs(mainWindow, instance);
    AcceptDroppedFiles(mainWindow);
    CreateShortcutImageList();
    g_statusBar.Create(mainWindow, CTRL_STATUS);
    g_toolBar.Create(mainWindow, CTRL_TOOLBAR, IDB_TOOLBAR, TOOLBAR_BUTTON_COUNT, g_toolbarButtons);
    g_toolBar.InsertSeparator(4);
    InsertColumns();
    // A fresh tab control has tab 0, Send To, selected.
    RefreshShortcuts(mainWindow);
}

// Recomputed whole on every resize: bars first, the tabs take the band between, the list their
// display area. Sizes are clamped at zero for windows smaller than the two bars.
void OnSize(HWND mainWindow)
{
    RECT client;
    GetClientRect(mainWindow, &client);
    int width = client.right - client.left;
    int height = client.bottom - client.top;
    int statusHeight = g_statusBar.GetHeight();
    int toolHeight = g_toolBar.GetHeight();

    MoveWindow(g_hTabs, 0, toolHeight, width, NotBelowZero(height - statusHeight - toolHeight), TRUE);
    int rightEdges[1] = {width};
    g_statusBar.SetParts(width, statusHeight, 1, rightEdges);
    g_toolBar.Resize(width, toolHeight);

    RECT display;
    GetClientRect(g_hTabs, &display);
    SendMessageA(g_hTabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    MapWindowPoints(g_hTabs, mainWindow, reinterpret_cast<POINT*>(&display), 2);
    MoveWindow(g_hListView, display.left, display.top, NotBelowZero(display.right - display.left),
               NotBelowZero(display.bottom - display.top), TRUE);
}

void OnDestroy(HWND)
{
    // The items' shell-link objects must go while COM is still up.
    g_shortcutList.RemoveAll();
    CoUninitialize();
    PostQuitMessage(0);
}
