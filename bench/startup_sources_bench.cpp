// Startup sources benchmark: the Startup tab listed with N shortcuts in the user's Startup folder,
// N values in the user's Run key, or both; ms per row of each kind, and a click on the Startup
// tab from Send To with both. startup_sources_bench [N...] (20 100)
#include <windows.h>
#include <shlobj.h>

#include "bench/bench.h"
#include "commands/refresh.h"
#include "tests/support/harness.h"

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

double MedianRefresh(HWND window)
{
    std::vector<double> times;
    for (int run = 0; run < 3; ++run) {
        double start = NowMs();
        RefreshShortcuts(window);
        times.push_back(NowMs() - start);
        PumpMessages();
    }
    return Median(times);
}

}  // namespace

int main(int argc, char** argv)
{
    RefuseOutsideOwnPrefix();
    CoInitialize(0);
    wchar_t startup[MAX_PATH];
    SHGetSpecialFolderPathW(0, startup, CSIDL_STARTUP, TRUE);
    HKEY run = 0;
    DWORD made = 0;  // REG_CREATED_NEW_KEY: the key is this bench's, and goes once empty
    RegCreateKeyExW(HKEY_CURRENT_USER, kRun, 0, 0, 0, KEY_READ, 0, &run, &made);
    RegCloseKey(run);
    HWND window = StartMainWindow();
    ClickTab(window, 1);
    double empty = MedianRefresh(window);
    printf("| N | rows | refresh ms | ms per row above the empty tab |\n|---:|---|---:|---:|\n");
    for (int n : NumbersAsked(argc, argv, {20, 100})) {
        for (int kind = 0; kind < 3; ++kind) {
            bool links = kind != 1, values = kind != 0;
            if (links && !FillFolder(startup, L"qd-src-", n, {L"C:\\windows\\notepad.exe"}))
                return fprintf(stderr, "startup_sources_bench: could not fill the folder\n"), 1;
            if (!links)
                FilesMatching(startup, L"qd-src-*.lnk", true);
            SetRunValues(n, values);
            double ms = MedianRefresh(window);
            const char* what = kind == 0 ? "shortcuts" : kind == 1 ? "Run values" : "both";
            printf("| %d | %s | %.1f | %.3f |\n", n, what, ms, (ms - empty) / (n * (kind == 2 ? 2 : 1)));
        }
        std::vector<double> clicks;
        for (int i = 0; i < 6; ++i) {
            ClickTab(window, 0);
            double start = NowMs();
            ClickTab(window, 1);
            clicks.push_back(NowMs() - start);
        }
        printf("| %d | both: a click on the Startup tab | %.1f | |\n", n, Median(clicks));
    }
    DestroyWindow(window);
    PumpMessages();
    FilesMatching(startup, L"qd-src-*.lnk", true);
    SetRunValues(NumbersAsked(argc, argv, {20, 100}).back(), false);
    if (made == REG_CREATED_NEW_KEY)
        RegDeleteKeyW(HKEY_CURRENT_USER, kRun);
    CoUninitialize();
    return 0;
}
