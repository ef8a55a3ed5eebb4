// Tab-click benchmark: Send To and Startup hold N shortcuts each; the user clicks the tab that is
// not selected, then the one that is, again and again. Counts the listings each click makes and
// times it against one refresh of the folder. tab_click_bench [N...] (10 100)
#include "bench/bench.h"
#include "commands/refresh.h"
#include "controls/shortcut_view.h"

int main(int argc, char** argv)
{
    BenchSession bench;
    const int clicks = 6;
    printf("| N | click on | clicks | scans per click | median ms per click | click / one refresh |\n"
           "|---:|---|---:|---:|---:|---:|\n");
    for (int n : NumbersAsked(argc, argv, {10, 100})) {
        for (const std::wstring& folder : {bench.sendTo, bench.startup})
            if (!FillFolder(folder, L"qd-click-", n, {L"C:\\windows\\notepad.exe"}))
                return fprintf(stderr, "tab_click_bench: could not fill the folders\n"), 1;
        std::vector<double> refresh;
        for (int run = 0; run < 3; ++run, PumpMessages())
            refresh.push_back(TimeMs([&] { RefreshShortcuts(bench.window); }));
        for (int selected = 0; selected < 2; ++selected) {
            std::vector<double> times;
            unsigned fills = GetFillCount();
            for (int i = 0; i < clicks; ++i) {
                int tab = TabCtrl_GetCurSel(GetDlgItem(bench.window, CTRL_TABS));
                times.push_back(TimeMs([&] { ClickTab(bench.window, selected ? tab : 1 - tab); }));
            }
            printf("| %d | %s | %d | %.1f | %.1f | %.2f |\n", n, selected ? "the selected tab" : "the other tab",
                   clicks, static_cast<double>(GetFillCount() - fills) / clicks, Median(times),
                   Median(times) / Median(refresh));
        }
    }
    FilesMatching(bench.sendTo, L"qd-click-*.lnk", true);
    FilesMatching(bench.startup, L"qd-click-*.lnk", true);
    return 0;
}
