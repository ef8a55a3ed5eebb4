// Tab-click benchmark: Send To and Startup hold N shortcuts each, and the user clicks the other
// tab, again and again. Times each click and counts the folder scans it makes, with today's
// routing and with the old one (every tab notification a scan), side by side in one process.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/main_window.h"
#include "app/quiverdesk.h"
#include "bench/bench_clock.h"
#include "commands/refresh.h"
#include "controls/main_tabs.h"
#include "controls/status_bar.h"
#include "model/shortcut_file.h"

namespace {

WNDPROC g_mainProc;
WNDPROC g_statusProc;
bool g_oldRouting;
int g_scans;  // each refresh writes the folder path to the status bar once

LRESULT CALLBACK MainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (g_oldRouting && message == WM_NOTIFY && wParam == CTRL_TABS) {
        RefreshShortcuts(window);
        return 0;
    }
    return CallWindowProcA(g_mainProc, window, message, wParam, lParam);
}

LRESULT CALLBACK StatusProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    g_scans += message == SB_SETTEXTA;
    return CallWindowProcA(g_statusProc, window, message, wParam, lParam);
}

void Pump()
{
    MSG message;
    while (PeekMessageA(&message, 0, 0, 0, PM_REMOVE))
        if (message.message != WM_QUIT)
            DispatchMessageA(&message);
}

// Button down and up on the centre of the tab that is not selected, and what that leaves queued.
double ClickOtherTab(HWND window)
{
    RECT rect;
    HWND tabs = GetDlgItem(window, CTRL_TABS);
    SendMessageA(tabs, TCM_GETITEMRECT, 1 - GetSelectedTab(), reinterpret_cast<LPARAM>(&rect));
    LPARAM point = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    double start = NowMs();
    SendMessageA(tabs, WM_LBUTTONDOWN, MK_LBUTTON, point);
    SendMessageA(tabs, WM_LBUTTONUP, 0, point);
    Pump();
    return NowMs() - start;
}

void Fill(int csidl, int n)
{
    char folder[MAX_PATH], path[MAX_PATH];
    if (!SHGetSpecialFolderPathA(0, folder, csidl, TRUE))
        return;
    for (int i = 0; i < n; ++i) {
        snprintf(path, sizeof(path), "%s\\qd-click-%05d.lnk", folder, i);
        if (GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES)
            CreateShortcutFile(L"C:\\windows\\notepad.exe", L"", L"C:\\windows", SW_SHOWNORMAL, Widen(path).c_str());
    }
}

void Empty(int csidl)
{
    char folder[MAX_PATH], path[MAX_PATH];
    WIN32_FIND_DATAA entry;
    if (!SHGetSpecialFolderPathA(0, folder, csidl, FALSE))
        return;
    snprintf(path, sizeof(path), "%s\\qd-click-*.lnk", folder);
    HANDLE search = FindFirstFileA(path, &entry);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        snprintf(path, sizeof(path), "%s\\%s", folder, entry.cFileName);
        DeleteFileA(path);
    } while (FindNextFileA(search, &entry));
    FindClose(search);
}

}  // namespace

int main(int argc, char** argv)
{
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    if (!ntdll || !GetProcAddress(ntdll, "wine_get_version")) {
        fprintf(stderr, "tab_click_bench: fills Send To and Startup, so it runs under Wine only\n");
        return 1;
    }
    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i)
        sizes.push_back(atoi(argv[i]));
    if (sizes.empty())
        sizes = {10, 100};
    const int clicks = 6;
    HINSTANCE instance = GetModuleHandleA(0);
    LoadMainWindowTexts(instance);
    RegisterMainClass(instance);
    CoInitialize(0);
    printf("| N | routing | clicks | scans per click | median ms per click |\n|---:|---|---:|---:|---:|\n");
    for (int n : sizes) {
        Fill(CSIDL_SENDTO, n);
        Fill(CSIDL_STARTUP, n);
        HWND window = CreateMainWindow(instance, SW_SHOWNORMAL);
        Pump();
        g_mainProc =
            reinterpret_cast<WNDPROC>(SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(MainProc)));
        g_statusProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(g_statusBar.GetWindow(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(StatusProc)));
        for (int old = 1; old >= 0; --old) {
            g_oldRouting = old != 0;
            std::vector<double> times;
            g_scans = 0;
            for (int i = 0; i < clicks; ++i)
                times.push_back(ClickOtherTab(window));
            printf("| %d | %s | %d | %.1f | %.1f |\n", n,
                   old ? "before: every tab notification" : "after: one per click", clicks,
                   static_cast<double>(g_scans) / clicks, Median(times));
        }
        DestroyWindow(window);
        Pump();
        Empty(CSIDL_SENDTO);
        Empty(CSIDL_STARTUP);
    }
    CoUninitialize();
    return 0;
}
