// OnCreate, OnSize, OnDpiChanged and the teardown: the main window's children, their layout, and
// what they draw with.
#include "app/main_window.h"

#include <commctrl.h>
#include <objbase.h>
#include <wchar.h>

#include "app/visual_styles.h"
#include "app/window_dpi.h"
#include "app/window_font.h"
#include "commands/entry_marks.h"
#include "commands/live_view.h"
#include "commands/refresh.h"
#include "commands/restart_elevated.h"
#include "commands/row_filler.h"
#include "controls/main_tabs.h"
#include "controls/row_icons.h"
#include "controls/shortcut_view.h"
#include "controls/status_bar.h"
#include "controls/tool_bar.h"
#include "controls/toolbar_buttons.h"
#include "model/shortcut_list.h"
#include "res/resource_ids.h"

namespace {

int NotBelowZero(int size)
{
    return size > 0 ? size : 0;
}

// The status bar's part for the shortcut count or the listing's failure, at 96 DPI.
const int kOutcomeWidth = 260;

// The DPI the columns and the toolbar's images were last scaled for.
int g_layoutDpi = 96;

// Shell-link objects live in this thread's apartment from the first listing until OnDestroy.
bool g_comStarted = false;

// The original five images, the Startup switch's two, the Send To visibility's two: in full colour
// with the themed controls, in the 16-colour look otherwise.
void SetToolbarImages(int dpi)
{
    static const ImageStrip kStrips[] = {{IDB_TOOLBAR, 5}, {IDB_MORE_BUTTONS, 4}};
    g_toolBar.SetImages(kStrips, 2, VisualStylesOn(), dpi);
}

// What the children draw with, made for dpi: their font, the rows' icons and the toolbar's images.
// Start-up and a change of DPI make them alike.
void MakeDrawingsFor(int dpi)
{
    SetChildrenFont(dpi);
    SetRowIconSide(SmallIconSideForDpi(dpi));
    SetToolbarImages(dpi);
}

// The File menu's resource stays as it is: saving the list comes before its one item at run time.
void AddSaveToFileMenu(HWND mainWindow, HINSTANCE instance)
{
    HMENU file = GetSubMenu(GetMenu(mainWindow), 0);
    wchar_t text[64] = L"";
    if (!file || !LoadStringW(instance, CMD_SAVE_LIST, text, 64))
        return;
    InsertMenuW(file, 0, MF_BYPOSITION | MF_STRING, CMD_SAVE_LIST, text);
    InsertMenuW(file, 1, MF_BYPOSITION | MF_SEPARATOR, 0, 0);
}

// Sizes the window before it shows: 600 x 300 at 96 DPI, as large to the eye on every screen, and
// wider where every column needs more, as far as the screen allows.
void OpenAtDefaultSize(HWND mainWindow)
{
    RECT outer;
    GetWindowRect(mainWindow, &outer);
    int width = (outer.right - outer.left) - GetShortcutViewWidth() + GetWantedViewWidth();
    if (width < ScaleToDpi(600, g_layoutDpi))
        width = ScaleToDpi(600, g_layoutDpi);
    MONITORINFO monitor;
    monitor.cbSize = sizeof(monitor);
    if (GetMonitorInfoA(MonitorFromWindow(mainWindow, MONITOR_DEFAULTTONEAREST), &monitor)) {
        RECT& work = monitor.rcWork;
        width = width < work.right - work.left ? width : work.right - work.left;
        outer.left = outer.left + width <= work.right ? outer.left : work.right - width;
    }
    SetWindowPos(mainWindow, 0, outer.left, outer.top, width, ScaleToDpi(300, g_layoutDpi),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    // The description takes the rest, once: from then on the widths are the user's.
    FitColumns();
}

}  // namespace

bool AsksForStartupTab(const wchar_t* commandLine)
{
    // The program's path ends at its closing quote, or unquoted at the first blank, as
    // CreateProcess reads it: a folder named "-startup" is no switch.
    const wchar_t* at = commandLine;
    if (*at == L'"') {
        at = wcschr(at + 1, L'"');
        at = at ? at + 1 : L"";
    }
    const int length = lstrlenW(kStartupTabSwitch);
    while (*at) {
        const wchar_t* word = at;
        while (*at && *at != L' ' && *at != L'\t')
            ++at;
        if (word != commandLine && at - word == length && (*word == L'/' || *word == L'-')
            && CompareStringOrdinal(word + 1, length - 1, kStartupTabSwitch + 1, length - 1, TRUE) == CSTR_EQUAL)
            return true;
        while (*at == L' ' || *at == L'\t')
            ++at;
    }
    return false;
}

void OnCreate(HWND mainWindow)
{
    HINSTANCE instance = GetModuleHandleW(0);
    int dpi = WindowDpi(mainWindow);
    INITCOMMONCONTROLSEX controls;
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_LISTVIEW_CLASSES;
    InitCommonControlsEx(&controls);

    CreateShortcutView(mainWindow, instance);
    CreateMainTabs(mainWindow, instance);
    // Tab 1: the Startup tab the program was restarted from.
    if (AsksForStartupTab(GetCommandLineW()))
        SelectMainTab(1);
    g_statusBar.Create(mainWindow, CTRL_STATUS);
    TBBUTTON buttons[TOOLBAR_BUTTON_COUNT];
    MakeToolbarButtons(buttons);
    g_toolBar.Create(mainWindow, CTRL_TOOLBAR, TOOLBAR_BUTTON_COUNT, buttons);
    MakeDrawingsFor(dpi);
    // Delete stands apart from the commands before it, the switch from delete, and the
    // visibility from the switch.
    g_toolBar.InsertSeparator(4);
    g_toolBar.InsertSeparator(6);
    g_toolBar.InsertSeparator(9);
    InsertColumns(dpi);
    AddSaveToFileMenu(mainWindow, instance);
    g_layoutDpi = dpi;
    // Laid out now, while nothing is visible and the list is empty: a list view moved once it
    // shows re-lays its header and scroll bars and paints them twice, and one moved with its rows
    // costs the first look some ten milliseconds more.
    OnSize(mainWindow);
    OpenAtDefaultSize(mainWindow);
    // Listed by name before the window shows, which costs a few milliseconds for a thousand rows:
    // the first look is at the rows of the tab chosen above (else Send To, tab 0), not at an empty
    // list. What the shell says of them follows in slices.
    StartCom();
    LoadEntryMemory(true);
    RefreshShortcuts(mainWindow);
    SayIfMemorySetAside();
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

    MoveMainTabs(0, toolHeight, width, NotBelowZero(height - statusHeight - toolHeight));
    // The path takes what the count or the failure leaves it.
    int rightEdges[2] = {NotBelowZero(width - ScaleToDpi(kOutcomeWidth, g_layoutDpi)), -1};
    g_statusBar.SetParts(width, statusHeight, 2, rightEdges);
    g_toolBar.Resize(width, toolHeight);

    // Without a tab control the page is empty: the list then gets no room.
    RECT display;
    GetTabsPage(mainWindow, &display);
    MoveShortcutView(display.left, display.top, NotBelowZero(display.right - display.left),
                     NotBelowZero(display.bottom - display.top));
}

// The window moved to a screen of another DPI: what was scaled or made for the old one is redone,
// the window takes the rectangle the system suggests, and the layout follows.
void OnDpiChanged(HWND mainWindow, int dpi, const RECT* suggested)
{
    ScaleColumns(g_layoutDpi, dpi);
    MakeDrawingsFor(dpi);
    g_layoutDpi = dpi;
    SetWindowPos(mainWindow, 0, suggested->left, suggested->top, suggested->right - suggested->left,
                 suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    // SetWindowPos sends no WM_SIZE when the size stays, but the bars may have changed.
    OnSize(mainWindow);
}

void StartCom()
{
    if (!g_comStarted)
        g_comStarted = SUCCEEDED(CoInitialize(0));
}

void OnDestroy(HWND)
{
    StopWatching();
    // The fill's bound folder and the items' shell-link objects must go while COM is still up.
    StopFilling();
    SaveListedMemory();
    g_shortcutList.RemoveAll();
    if (g_comStarted)
        CoUninitialize();
    g_comStarted = false;
    PostQuitMessage(0);
}

void OnEndSession(HWND, bool ending)
{
    // The system ends the process without destroying its windows.
    if (ending)
        SaveListedMemory();
}

void OnNcDestroy(HWND)
{
    ReleaseChildrenFont();
    ReleaseRowIcons();
}
