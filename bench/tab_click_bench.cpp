// Tab-click benchmark: Send To and Startup hold N shortcuts each; the user clicks the tab that is
// not selected, then the one that is, again and again. Counts the folder scans each click makes
// and times it against one refresh of the folder. tab_click_bench [N...] (10 100)
#include <windows.h>
#include <shlobj.h>

#include "bench/bench.h"
#include "commands/refresh.h"
#include "tests/support/harness.h"

namespace {

WNDPROC g_statusProc;
int g_scans;  // each refresh writes the outcome in the program's 8-bit words once

LRESULT CALLBACK CountingStatusProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    g_scans += message == SB_SETTEXTA;
    return CallWindowProcA(g_statusProc, window, message, wParam, lParam);
}

}  // namespace

int main(int argc, char** argv)
{
    RefuseOutsideOwnPrefix();
    const int clicks = 6;
    CoInitialize(0);
    wchar_t sendTo[MAX_PATH], startup[MAX_PATH];
    SHGetSpecialFolderPathW(0, sendTo, CSIDL_SENDTO, TRUE);
    SHGetSpecialFolderPathW(0, startup, CSIDL_STARTUP, TRUE);
    HWND window = StartMainWindow();
    HWND tabs = GetDlgItem(window, CTRL_TABS);
    g_statusProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(GetDlgItem(window, CTRL_STATUS), GWLP_WNDPROC,
                                                               reinterpret_cast<LONG_PTR>(CountingStatusProc)));
    printf("| N | click on | clicks | scans per click | median ms per click | click / one refresh |\n"
           "|---:|---|---:|---:|---:|---:|\n");
    for (int n : NumbersAsked(argc, argv, {10, 100})) {
        for (const wchar_t* folder : {sendTo, startup})
            if (!FillFolder(folder, L"qd-click-", n, {L"C:\\windows\\notepad.exe"}))
                return fprintf(stderr, "tab_click_bench: could not fill the folders\n"), 1;
        std::vector<double> refresh;
        for (int run = 0; run < 3; ++run) {
            double start = NowMs();
            RefreshShortcuts(window);
            refresh.push_back(NowMs() - start);
            PumpMessages();
        }
        for (int selected = 0; selected < 2; ++selected) {
            std::vector<double> times;
            g_scans = 0;
            for (int i = 0; i < clicks; ++i) {
                int tab = TabCtrl_GetCurSel(tabs);
                double start = NowMs();
                ClickTab(window, selected ? tab : 1 - tab);
                times.push_back(NowMs() - start);
            }
            printf("| %d | %s | %d | %.1f | %.1f | %.2f |\n", n, selected ? "the selected tab" : "the other tab",
                   clicks, static_cast<double>(g_scans) / clicks, Median(times), Median(times) / Median(refresh));
        }
    }
    DestroyWindow(window);
    PumpMessages();
    FilesMatching(sendTo, L"qd-click-*.lnk", true);
    FilesMatching(startup, L"qd-click-*.lnk", true);
    CoUninitialize();
    return 0;
}
