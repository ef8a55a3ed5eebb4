// The start-up yardsticks: bare_window.exe, a 600 x 300 window with two tabs, shown and painted; bare_list.exe
// (QD_TABS_AND_LIST), the same with an empty report list on the tabs' page; bare_controls.exe (QD_SAME_CONTROLS), the
// same with every kind of control Quiverdesk shows but no data: what the controls cost; bare_names.exe
// (QD_SEND_TO_NAMES), those controls showing the names of Send To's first files: the least any program pays to show
// a folder's first rows in them; bare_shell_names.exe (QD_SEND_TO_NAMES and QD_FOLDER_FROM_SHELL), the same with the
// folder asked of the shell, as a program must that finds it the supported way.
#include "bench/bench.h"

namespace {

#ifdef QD_SAME_CONTROLS
// A menu bar of two menus, a toolbar of seven buttons with tooltips and images from the system's
// strip, a report list of four columns and a status bar with a grip, laid out before the window
// shows, as Quiverdesk does.
HWND AddQuiverdeskControls(HWND window, HWND tabs, HINSTANCE instance)
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
    return list;
}
#endif

#ifdef QD_SEND_TO_NAMES
// The first 128 names in Send To, a screenful and more, each a row, in the order the file system gives them;
// every file is read, as a sorted list needs. The folder comes from the registry, as the shell would
// find it, so that not even the shell's DLLs are loaded: a floor, not a second Quiverdesk. Or from the
// shell by the calls Quiverdesk makes, which is what loading the shell and asking it cost.
void ListSendToNames(HWND list)
{
    wchar_t folder[MAX_PATH + 2] = L"";
#ifdef QD_FOLDER_FROM_SHELL
    LPITEMIDLIST idList = 0;
    if (FAILED(SHGetSpecialFolderLocation(0, CSIDL_SENDTO, &idList)))
        return;
    BOOL named = SHGetPathFromIDListW(idList, folder);
    CoTaskMemFree(idList);
    if (!named)
        return;
#else
    wchar_t stored[MAX_PATH] = L"";
    DWORD size = sizeof(stored);
    RegGetValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders",
                 L"SendTo", RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND, 0, stored, &size);
    if (!ExpandEnvironmentStringsW(stored, folder, MAX_PATH))
        return;
#endif
    lstrcatW(folder, L"\\*");
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(folder, &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    int rows = 0;
    do {
        if (found.cFileName[0] == L'.' || rows >= 128)
            continue;
        LVITEMW row = {};
        row.mask = LVIF_TEXT;
        row.iItem = rows++;
        row.pszText = found.cFileName;
        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&row));
    } while (FindNextFileW(search, &found));
    FindClose(search);
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
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
#if defined(QD_SEND_TO_NAMES)
    ListSendToNames(AddQuiverdeskControls(window, tabs, instance));
#elif defined(QD_SAME_CONTROLS)
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
