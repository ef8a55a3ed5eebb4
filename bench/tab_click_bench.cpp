// Tab-click benchmark: N shortcuts in each tab's folder; clicks on the other tab and on the selected one, their
// listings and times against one refresh. tab_click_bench [N...] (10 100)
#include "bench/bench.h"
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
        const double refresh = MedianMs(3, [&] { RefreshShortcuts(bench.window); });
        for (int selected = 0; selected < 2; ++selected) {
            std::vector<double> times;
            unsigned fills = GetFillCount();
            for (int i = 0; i < clicks; ++i) {
                int tab = TabCtrl_GetCurSel(GetDlgItem(bench.window, CTRL_TABS));
                times.push_back(TimeMs([&] { ClickTab(bench.window, selected ? tab : 1 - tab); }));
            }
            printf("| %d | %s | %d | %.1f | %.1f | %.2f |\n", n, selected ? "the selected tab" : "the other tab",
                   clicks, static_cast<double>(GetFillCount() - fills) / clicks, Median(times),
                   Median(times) / refresh);
        }
    }
    for (const std::wstring& folder : {bench.sendTo, bench.startup})
        FilesMatching(folder, L"qd-click-*.lnk", true);
    return 0;
}
