// Startup sources benchmark: the Startup tab listed with N shortcuts, N Run values or both, in ms per row, and a
// click on it from Send To with both. startup_sources_bench [N...] (20 100)
#include "bench/bench.h"

namespace {

const wchar_t kRun[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// Only this bench's own values go: a name no one else's can match.
void SetRunValues(int n, bool present)
{
    for (int i = 0; i < n; ++i) {
        wchar_t name[32], line[64];
        wsprintfW(name, L"qd-src-%05d", i);
        wsprintfW(line, L"\"C:\\windows\\notepad.exe\" /n %05d", i);
        if (present)
            RegSetKeyValueW(HKEY_CURRENT_USER, kRun, name, REG_SZ, line, (lstrlenW(line) + 1) * sizeof(wchar_t));
        else
            RegDeleteKeyValueW(HKEY_CURRENT_USER, kRun, name);
    }
}

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
    auto refresh = [&] { RefreshShortcuts(bench.window); };
    const double empty = MedianMs(3, refresh);
    printf("| N | rows | refresh ms | ms per row above the empty tab |\n|---:|---|---:|---:|\n");
    for (int n : sizes) {
        for (int kind = 0; kind < 3; ++kind) {
            bool links = kind != 1, values = kind != 0;
            if (links && !FillFolder(bench.startup, L"qd-src-", n, {L"C:\\windows\\notepad.exe"}))
                return fprintf(stderr, "startup_sources_bench: could not fill the folder\n"), 1;
            if (!links)
                FilesMatching(bench.startup, L"qd-src-*.lnk", true);
            SetRunValues(n, values);
            double ms = MedianMs(3, refresh);
            const char* what = kind == 0 ? "shortcuts" : kind == 1 ? "Run values" : "both";
            printf("| %d | %s | %.1f | %.3f |\n", n, what, ms, (ms - empty) / (n * (kind == 2 ? 2 : 1)));
        }
        std::vector<double> clicks(6);  // each from Send To
        for (double& click : clicks)
            ClickTab(bench.window, 0), click = TimeMs([&] { ClickTab(bench.window, 1); });
        printf("| %d | both: a click on the Startup tab | %.1f | |\n", n, Median(clicks));
    }
    FilesMatching(bench.startup, L"qd-src-*.lnk", true);
    SetRunValues(sizes.back(), false);
    if (made == REG_CREATED_NEW_KEY)
        RegDeleteKeyW(HKEY_CURRENT_USER, kRun);
    return 0;
}
