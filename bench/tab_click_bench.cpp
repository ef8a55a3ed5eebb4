// Tab-click benchmark: the Startup tab's refresh per row of N shortcuts, N Run values or both, then clicks on the
// other tab and on the selected one, their listings and times against one refresh. tab_click_bench [N...] (20 100)
#include "bench/bench.h"
#include "controls/shortcut_view.h"

namespace {

const wchar_t kRun[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

}  // namespace

int main(int argc, char** argv)
{
    BenchSession bench;
    const std::vector<int> sizes = NumbersAsked(argc, argv, {20, 100});
    HKEY run = 0;
    DWORD made = 0;  // REG_CREATED_NEW_KEY: the key is this bench's, and goes once empty
    RegCreateKeyExW(HKEY_CURRENT_USER, kRun, 0, 0, 0, KEY_READ, 0, &run, &made);
    RegCloseKey(run);
    ClickTab(bench.window, 1);
    auto refresh = [&] { ListAfresh(bench.window); };
    const double empty = MedianMs(3, refresh);
    printf("### The Startup tab's rows\n\n| N | rows | refresh ms | ms per row above the empty tab |\n"
           "|---:|---|---:|---:|\n");
    for (int n : sizes)
        for (int kind = 0; kind < 3; ++kind) {
            if (kind != 1 && !FillFolder(bench.startup, L"qd-click-", n, {L"C:\\windows\\notepad.exe"}))
                return fprintf(stderr, "tab_click_bench: could not fill the folder\n"), 1;
            if (kind == 1)
                FilesMatching(bench.startup, L"qd-click-*.lnk", true);
            SetRunValues(L"qd-click-", n, kind != 0);
            double ms = MedianMs(3, refresh);
            const char* what = kind == 0 ? "shortcuts" : kind == 1 ? "Run values" : "both";
            printf("| %d | %s | %.1f | %.3f |\n", n, what, ms, (ms - empty) / (n * (kind == 2 ? 2 : 1)));
        }
    const int clicks = 6;
    printf("\n### Clicks, with N shortcuts in Send To, and N shortcuts and N Run values in Startup\n\n"
           "| N | click on | clicks | scans per click | median ms per click | click / one refresh |\n"
           "|---:|---|---:|---:|---:|---:|\n");
    for (int n : sizes) {
        for (const std::wstring& folder : {bench.sendTo, bench.startup})
            if (!FillFolder(folder, L"qd-click-", n, {L"C:\\windows\\notepad.exe"}))
                return fprintf(stderr, "tab_click_bench: could not fill the folders\n"), 1;
        SetRunValues(L"qd-click-", n, true);
        const double one = MedianMs(3, refresh);
        for (int selected = 0; selected < 2; ++selected) {
            unsigned fills = GetFillCount();
            int tab = TabCtrl_GetCurSel(GetDlgItem(bench.window, CTRL_TABS));  // a click on the other one selects it
            double ms = MedianMs(clicks, [&] { ClickTab(bench.window, selected ? tab : (tab = 1 - tab)); });
            printf("| %d | %s | %d | %.1f | %.1f | %.2f |\n", n, selected ? "the selected tab" : "the other tab",
                   clicks, static_cast<double>(GetFillCount() - fills) / clicks, ms, ms / one);
        }
    }
    for (const std::wstring& folder : {bench.sendTo, bench.startup})
        FilesMatching(folder, L"qd-click-*.lnk", true);
    SetRunValues(L"qd-click-", sizes.back(), false);
    if (made == REG_CREATED_NEW_KEY)
        RegDeleteKeyW(HKEY_CURRENT_USER, kRun);
    return 0;
}
