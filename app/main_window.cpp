// MainWndProc: where every message, notification, command and drop reaches its handler.
#include "app/main_window.h"

#include <commctrl.h>
#include <shellapi.h>

#include "app/about_dialog.h"
#include "app/quiverdesk.h"
#include "commands/delete_shortcuts.h"
#include "commands/drop_shortcuts.h"
#include "commands/refresh.h"
#include "commands/shell_actions.h"
#include "controls/toolbar_buttons.h"

namespace {

// The class background brush paints the client area; the children draw the rest.
void OnPaint(HWND window)
{
    PAINTSTRUCT paint;
    BeginPaint(window, &paint);
    EndPaint(window, &paint);
}

// Posted rather than run here, so the deletion goes the same way as the toolbar button's,
// after the notification has returned.
void OnListKeyDown(HWND window, const NMLVKEYDOWN* key)
{
    if (key->wVKey == VK_DELETE)
        PostMessageA(window, WM_COMMAND, CMD_DELETE, 0);
}

// An activation acts on every selected row, not only the activated one.
void OnListItemActivate(HWND window, const NMITEMACTIVATE* activation)
{
    if (activation->iItem >= 0)
        ShowProperties(window);
}

// Only a change of a row's selection moves the buttons; the fill and the delete command update
// them once themselves, so inserted and deleted rows cost nothing here.
void OnListItemChanged(const NMLISTVIEW* change)
{
    if ((change->uChanged & LVIF_STATE) && ((change->uOldState ^ change->uNewState) & LVIS_SELECTED))
        UpdateToolbarState();
}

void OnListNotify(HWND window, const NMHDR* header)
{
    switch (header->code) {
    case LVN_KEYDOWN:      OnListKeyDown(window, reinterpret_cast<const NMLVKEYDOWN*>(header)); break;
    case LVN_ITEMACTIVATE: OnListItemActivate(window, reinterpret_cast<const NMITEMACTIVATE*>(header)); break;
    case LVN_ITEMCHANGED:  OnListItemChanged(reinterpret_cast<const NMLISTVIEW*>(header)); break;
    }
}

void OnNotify(HWND window, WPARAM controlId, const NMHDR* header)
{
    switch (controlId) {
    // Any tab notification lists the folder of whichever tab is selected at that moment.
    case CTRL_TABS: RefreshShortcuts(window); break;
    case CTRL_LIST: OnListNotify(window, header); break;
    }
}

void OnAbout(HWND window)
{
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE));
    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_ABOUT), window, AboutDlgProc, 0);
}

LRESULT OnCommand(HWND window, WPARAM wParam, LPARAM lParam)
{
    switch (LOWORD(wParam)) {
    case CMD_ABOUT:          OnAbout(window); break;
    case CMD_EXIT:           DestroyWindow(window); break;
    case CMD_REFRESH:        RefreshShortcuts(window); break;
    case CMD_DELETE:         DeleteSelectedShortcuts(window); break;
    case CMD_OPEN_FOLDER:    OpenFolder(window); break;
    case CMD_EXPLORE_TARGET: ExploreTargets(window); break;
    case CMD_PROPERTIES:     ShowProperties(window); break;
    default:                 return DefWindowProcA(window, WM_COMMAND, wParam, lParam);
    }
    return 0;
}

}  // namespace

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:    OnCreate(window); return 0;
    case WM_DESTROY:   OnDestroy(window); return 0;
    case WM_SIZE:      OnSize(window); return 0;
    case WM_PAINT:     OnPaint(window); return 0;
    case WM_NOTIFY:    OnNotify(window, wParam, reinterpret_cast<const NMHDR*>(lParam)); return 0;
    case WM_COMMAND:   return OnCommand(window, wParam, lParam);
    case WM_DROPFILES: CreateShortcutsFromDrop(window, reinterpret_cast<HDROP>(wParam)); return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
