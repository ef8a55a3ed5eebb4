// MainWndProc: where every message, notification, command and drop reaches its handler.
#include "app/main_window.h"

#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>

#include "app/about_dialog.h"
#include "commands/command_state.h"
#include "commands/context_menu.h"
#include "commands/delete_shortcuts.h"
#include "commands/drop_shortcuts.h"
#include "commands/export_rows.h"
#include "commands/live_view.h"
#include "commands/menu_visibility.h"
#include "commands/refresh.h"
#include "commands/rename_shortcut.h"
#include "commands/restart_elevated.h"
#include "commands/shell_actions.h"
#include "commands/sort_rows.h"
#include "commands/switch_startup.h"
#include "controls/main_tabs.h"
#include "controls/shortcut_view.h"
#include "controls/tab_clicks.h"
#include "controls/tool_bar.h"
#include "res/resource_ids.h"

// Sent from Windows 8.1 on; the SDK headers hide it below that version.
#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

namespace {

// The class background brush paints the client area; the children draw the rest.
void OnPaint(HWND window)
{
    PAINTSTRUCT paint;
    BeginPaint(window, &paint);
    EndPaint(window, &paint);
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
        UpdateCommandStates();
}

// Only a label edit's start has an answer: TRUE refuses it.
LRESULT OnListNotify(HWND window, NMHDR* header)
{
    switch (header->code) {
    case LVN_ITEMACTIVATE: OnListItemActivate(window, reinterpret_cast<const NMITEMACTIVATE*>(header)); break;
    case LVN_ITEMCHANGED: OnListItemChanged(reinterpret_cast<const NMLISTVIEW*>(header)); break;
    case LVN_COLUMNCLICK: SortByColumn(reinterpret_cast<const NMLISTVIEW*>(header)->iSubItem); break;
    case LVN_BEGINLABELEDITW: return OnBeginRename(reinterpret_cast<const NMLVDISPINFOW*>(header));
    case LVN_ENDLABELEDITW: OnEndRename(window, reinterpret_cast<const NMLVDISPINFOW*>(header)); break;
    case LVN_GETDISPINFOW: AnswerCell(reinterpret_cast<NMLVDISPINFOW*>(header)); break;
    }
    return 0;
}

// The tabs' own bookkeeping decides which notifications ask for a listing.
void OnTabNotify(HWND window, const NMHDR* header)
{
    if (TabNotifyAsksForListing(header))
        RefreshShortcuts(window);
}

// The toolbar's tooltips ask for their texts by the button's command id, which is also the id of
// the text in the string table.
void OnToolTipNotify(NMHDR* header)
{
    if (header->hwndFrom != g_toolBar.GetToolTips())
        return;
    HINSTANCE instance = GetModuleHandleW(0);
    if (header->code == TTN_GETDISPINFOA) {
        NMTTDISPINFOA* info = reinterpret_cast<NMTTDISPINFOA*>(header);
        info->hinst = instance;
        info->lpszText = MAKEINTRESOURCEA(header->idFrom);
    } else if (header->code == TTN_GETDISPINFOW) {
        NMTTDISPINFOW* info = reinterpret_cast<NMTTDISPINFOW*>(header);
        info->hinst = instance;
        info->lpszText = MAKEINTRESOURCEW(header->idFrom);
    }
}

LRESULT OnNotify(HWND window, WPARAM controlId, NMHDR* header)
{
    switch (controlId) {
    case CTRL_TABS: OnTabNotify(window, header); break;
    case CTRL_LIST: return OnListNotify(window, header);
    default: OnToolTipNotify(header); break;
    }
    return 0;
}

// The list holds the user's names, which only UTF-16 carries whole: its notifications, the
// label edit's among them, come wide. The other controls send the program's own words.
LRESULT OnNotifyFormat(HWND asking)
{
    return GetDlgCtrlID(asking) == CTRL_LIST ? NFR_UNICODE : NFR_ANSI;
}

// Only the list has a menu of its own, for the mouse. The menu key and Shift+F10 open it as a
// command from any focus; the system's keyboard WM_CONTEXTMENU (at -1, -1) would open it twice.
void OnContextMenu(HWND window, HWND clicked, LPARAM position)
{
    int x = GET_X_LPARAM(position);
    int y = GET_Y_LPARAM(position);
    if (IsShortcutView(clicked) && !(x == -1 && y == -1))
        ShowContextMenu(window, x, y);
}

// Tab and Shift+Tab: with two controls to hold the focus, both keys move it to the other one.
void OnNextControl()
{
    if (IsShortcutView(GetFocus()))
        FocusMainTabs();
    else
        FocusShortcutView();
}

void OnRefresh(HWND window)
{
    RefreshShortcuts(window);
}

void OnAbout(HWND window)
{
    HINSTANCE instance = GetModuleHandleW(0);
    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_ABOUT), window, AboutDlgProc, 0);
}

LRESULT OnCommand(HWND window, WPARAM wParam, LPARAM lParam)
{
    // The toolbar, the menus and the keys all come here: what the selection does not allow,
    // none of them can do.
    if (!IsCommandEnabled(LOWORD(wParam)))
        return 0;
    switch (LOWORD(wParam)) {
    case CMD_ABOUT: OnAbout(window); break;
    case CMD_EXIT: DestroyWindow(window); break;
    case CMD_REFRESH: OnRefresh(window); break;
    case CMD_DELETE: DeleteSelectedShortcuts(window); break;
    case CMD_OPEN_FOLDER: OpenFolder(window); break;
    case CMD_EXPLORE_TARGET: ExploreTargets(window); break;
    case CMD_PROPERTIES: ShowProperties(window); break;
    case CMD_SWITCH_ON: SwitchSelectedShortcuts(window, true); break;
    case CMD_SWITCH_OFF: SwitchSelectedShortcuts(window, false); break;
    case CMD_RENAME: BeginRename(); break;
    case CMD_SELECT_ALL: SelectAllRows(); break;
    case CMD_NEXT_CONTROL: OnNextControl(); break;
    case CMD_CONTEXT_MENU: ShowContextMenu(window, -1, -1); break;
    case CMD_SHOW_ON_MENU: ShowSelectedOnMenu(window, true); break;
    case CMD_HIDE_FROM_MENU: ShowSelectedOnMenu(window, false); break;
    case CMD_REMOVABLE_DRIVES: ToggleRemovableDrives(window); break;
    case CMD_RESTART_AS_ADMIN: RestartAsAdministrator(window); break;
    case CMD_COPY: CopySelectedRows(window); break;
    case CMD_SAVE_LIST: SaveRows(window); break;
    default: return DefWindowProcA(window, WM_COMMAND, wParam, lParam);
    }
    return 0;
}

}  // namespace

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: OnCreate(window); return 0;
    case WM_DESTROY: OnDestroy(window); return 0;
    case WM_ENDSESSION: OnEndSession(window, wParam != FALSE); return 0;
    case WM_NCDESTROY: OnNcDestroy(window); break;                // the default frees the window's own
    case WM_ACTIVATE: OnActivate(window, LOWORD(wParam)); break;  // the default gives the window the focus
    case WM_SETFOCUS: OnSetFocus(window); return 0;
    case WM_SIZE: OnSize(window); return 0;
    case WM_DPICHANGED: OnDpiChanged(window, HIWORD(wParam), reinterpret_cast<const RECT*>(lParam)); return 0;
    case WM_PAINT: OnPaint(window); return 0;
    case WM_NOTIFY: return OnNotify(window, wParam, reinterpret_cast<NMHDR*>(lParam));
    case WM_NOTIFYFORMAT: return OnNotifyFormat(reinterpret_cast<HWND>(wParam));
    case WM_CONTEXTMENU: OnContextMenu(window, reinterpret_cast<HWND>(wParam), lParam); return 0;
    case WM_COMMAND: return OnCommand(window, wParam, lParam);
    case WM_DROPFILES: CreateShortcutsFromDrop(window, reinterpret_cast<HDROP>(wParam)); return 0;
    case WM_TIMER: OnLiveTimer(window); return 0;  // the live view's only timer
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
