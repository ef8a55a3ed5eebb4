// The start-up yardsticks: bare_window.exe, a 600 x 300 window with two tabs, shown and painted; bare_list.exe
// (QD_TABS_AND_LIST), the same with an empty report list on the tabs' page; bare_controls.exe (QD_SAME_CONTROLS), the
// same with every kind of control Quiverdesk shows but no data: what the controls cost.
#include "bench/bench.h"

namespace {

#ifdef QD_SAME_CONTROLS
// A menu bar of two menus, a toolbar of seven buttons with tooltips and images from the system's
// strip, a report list of four columns and a status bar with a grip, laid out before the window
// shows, as Quiverdesk does.
void AddQuiverdeskControls(HWND window, HWND tabs, HINSTANCE instance)
{
    HMENU bar = CreateMenu();
    AppendMenuA(bar, MF_STRING, 1, "&File");
    AppendMenuA(bar, MF_STRING, 2, "&Help");
    SetMenu(window, bar);  // destroyed with the window
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    HWND list = CreateWindowExA(0, WC_LISTVIEWA, "",
                                WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS
                                    | LVS_SHAREIMAGELISTS | LVS_EDITLABELS,
                                0, 0, 4, 4, window, 0, instance, 0);
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                 LVS_EX_GRIDLINES | LVS_EX_HEADERDRAGDROP | LVS_EX_FULLROWSELECT);
    HWND status = CreateWindowExA(0, STATUSCLASSNAMEA, 0, WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP | CCS_BOTTOM, 0, 0, 0,
                                  0, window, 0, instance, 0);
    TBBUTTON buttons[7] = {};
    for (int i = 0; i < 7; ++i)
        buttons[i] = {STD_FILEOPEN + i, 100 + i, BYTE(i < 2 ? TBSTATE_ENABLED : TBSTATE_INDETERMINATE), 0, {}, 0, 0};
    HWND toolbar = CreateToolbarEx(window, WS_CHILD | WS_VISIBLE | TBSTYLE_TOOLTIPS, 0, 0, HINST_COMMCTRL,
                                   IDB_STD_SMALL_COLOR, buttons, 7, 0, 0, 0, 0, sizeof(TBBUTTON));
    const int widths[] = {100, 100, 300, 120};
    for (int i = 0; i < 4; ++i) {
        LVCOLUMNA column = {LVCF_TEXT | LVCF_WIDTH, 0, widths[i], const_cast<char*>("Column"), 0, 0, 0, 0, 0, 0, 0};
        SendMessageA(list, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
    RECT client, statusRect, toolRect, page;
    GetClientRect(window, &client);
    SendMessageA(status, WM_SIZE, 0, 0);
    SendMessageA(toolbar, TB_AUTOSIZE, 0, 0);
    GetWindowRect(status, &statusRect);
    GetWindowRect(toolbar, &toolRect);
    int top = toolRect.bottom - toolRect.top;
    MoveWindow(tabs, 0, top, client.right, client.bottom - top - (statusRect.bottom - statusRect.top), FALSE);
    GetClientRect(tabs, &page);
    SendMessageA(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&page));
    MapWindowPoints(tabs, window, reinterpret_cast<POINT*>(&page), 2);
    MoveWindow(list, page.left, page.top, page.right - page.left, page.bottom - page.top, FALSE);
}
#endif

#ifdef QD_TABS_AND_LIST
// A report list of four columns filling the tabs' page, styled as Quiverdesk's, and nothing else.
void AddList(HWND window, HWND tabs, HINSTANCE instance)
{
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    RECT page;
    GetClientRect(tabs, &page);
    SendMessageA(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&page));
    MapWindowPoints(tabs, window, reinterpret_cast<POINT*>(&page), 2);
    HWND list =
        CreateWindowExA(0, WC_LISTVIEWA, "",
                        WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS
                            | LVS_SHAREIMAGELISTS | LVS_EDITLABELS,
                        page.left, page.top, page.right - page.left, page.bottom - page.top, window, 0, instance, 0);
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                 LVS_EX_GRIDLINES | LVS_EX_HEADERDRAGDROP | LVS_EX_FULLROWSELECT);
    const int widths[] = {100, 100, 300, 120};
    for (int i = 0; i < 4; ++i) {
        LVCOLUMNA column = {LVCF_TEXT | LVCF_WIDTH, 0, widths[i], const_cast<char*>("Column"), 0, 0, 0, 0, 0, 0, 0};
        SendMessageA(list, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
}
#endif

LRESULT CALLBACK BareProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY)
        PostQuitMessage(0);
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);
    HCURSOR arrow = LoadCursorA(0, IDC_ARROW);
    HBRUSH gray = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    WNDCLASSEXA windowClass = {sizeof(windowClass), 0, BareProc, 0, 0, instance, 0, arrow, gray, 0, "QDBAREWINDOW", 0};
    RegisterClassExA(&windowClass);
    HWND window = CreateWindowExA(0, "QDBAREWINDOW", "Bare", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT, 0,
                                  600, 300, 0, 0, instance, 0);
    HWND tabs = CreateWindowExA(0, WC_TABCONTROLA, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 584, 240, window,
                                0, instance, 0);
    const char* captions[] = {"Send To", "Startup"};
    for (int i = 0; i < 2; ++i) {
        TCITEMA tab = {TCIF_TEXT, 0, 0, const_cast<char*>(captions[i]), 0, 0, 0};
        SendMessageA(tabs, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&tab));
    }
#ifdef QD_SAME_CONTROLS
    AddQuiverdeskControls(window, tabs, instance);
#endif
#ifdef QD_TABS_AND_LIST
    AddList(window, tabs, instance);
#endif
    ShowWindow(window, showCommand);
    RedrawWindow(window, 0, 0, RDW_UPDATENOW | RDW_ALLCHILDREN);
    ReportFirstPaint();
    MSG message;
    while (GetMessageA(&message, 0, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
