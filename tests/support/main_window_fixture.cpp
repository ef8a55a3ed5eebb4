// Builds the main window in-process and reads the list view back through its own messages.
#include "support/main_window_fixture.h"

#include <commctrl.h>

#include "app/main_tabs.h"
#include "app/main_window.h"
#include "controls/shortcut_view.h"
#include "controls/status_bar.h"
#include "controls/tool_bar.h"
#include "model/shortcut_list.h"

void PumpMessages(DWORD ms)
{
    DWORD start = GetTickCount();
    for (;;) {
        MSG message;
        while (PeekMessageA(&message, 0, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT)
                continue;
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (GetTickCount() - start >= ms)
            return;
        MsgWaitForMultipleObjects(0, 0, FALSE, 10, QS_ALLINPUT);
    }
}

MainWindow::MainWindow(int showCommand)
{
    HINSTANCE instance = GetModuleHandleA(0);
    static bool registered = false;
    if (!registered) {
        LoadMainWindowTexts(instance);
        RegisterMainClass(instance);
        registered = true;
    }
    m_window = CreateMainWindow(instance, showCommand);
    PumpMessages();
}

MainWindow::~MainWindow()
{
    if (Alive())
        DestroyWindow(m_window);
    PumpMessages();
}

void MainWindow::ClickTab(int index) const
{
    RECT rect;
    SendMessageA(g_hTabs, TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect));
    LPARAM point = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    SendMessageA(g_hTabs, WM_LBUTTONDOWN, MK_LBUTTON, point);
    SendMessageA(g_hTabs, WM_LBUTTONUP, 0, point);
    PumpMessages();
}

void MainWindow::Command(int id) const
{
    SendMessageA(m_window, WM_COMMAND, MAKEWPARAM(id, 0), 0);
    PumpMessages();
}

void MainWindow::ClickToolbarButton(int index) const
{
    HWND toolbar = g_toolBar.GetWindow();
    RECT rect;
    SendMessageA(toolbar, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect));
    LPARAM point = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    SendMessageA(toolbar, WM_LBUTTONDOWN, MK_LBUTTON, point);
    SendMessageA(toolbar, WM_LBUTTONUP, 0, point);
    PumpMessages();
}

RECT MainWindow::ChildRect(HWND child) const
{
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(HWND_DESKTOP, m_window, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

int RowCount()
{
    return static_cast<int>(SendMessageA(g_hListView, LVM_GETITEMCOUNT, 0, 0));
}

std::string RowText(int row, int subItem)
{
    char text[MAX_PATH + 1] = "";
    LVITEMA item;
    ZeroMemory(&item, sizeof(item));
    item.iSubItem = subItem;
    item.pszText = text;
    item.cchTextMax = sizeof(text);
    SendMessageA(g_hListView, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    return text;
}

namespace {

LVITEMA ReadRow(int row, UINT mask)
{
    LVITEMA item;
    ZeroMemory(&item, sizeof(item));
    item.mask = mask;
    item.iItem = row;
    SendMessageA(g_hListView, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return item;
}

}  // namespace

LPARAM RowParam(int row)
{
    return ReadRow(row, LVIF_PARAM).lParam;
}

int RowImage(int row)
{
    return ReadRow(row, LVIF_IMAGE).iImage;
}

int ImageCount()
{
    return ImageList_GetImageCount(g_hImageList);
}

void SelectRows(const std::vector<int>& rows)
{
    LVITEMA state;
    ZeroMemory(&state, sizeof(state));
    state.stateMask = LVIS_SELECTED;
    SendMessageA(g_hListView, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
    state.state = LVIS_SELECTED;
    for (size_t i = 0; i < rows.size(); ++i)
        SendMessageA(g_hListView, LVM_SETITEMSTATE, rows[i], reinterpret_cast<LPARAM>(&state));
    PumpMessages();
}

std::string StatusText()
{
    char text[1024] = "";
    if (LOWORD(SendMessageA(g_statusBar.GetWindow(), SB_GETTEXTLENGTHA, 0, 0)) < sizeof(text))
        SendMessageA(g_statusBar.GetWindow(), SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
    return text;
}

std::string RowLinkPath(int row)
{
    const ShortcutItem* item = g_shortcutList.GetAt(static_cast<int>(RowParam(row)));
    return item && item->GetLinkPath() ? item->GetLinkPath() : "";
}
