// List benchmark: the command line's listing of both tabs (what `Quiverdesk.exe /list` writes) beside
// the window's own first listing of the same tabs, every row filled, with N shortcuts in Send To and
// N values in the user's Run key; and the whole /list process. list_bench [N...]
#include "bench/bench.h"
#include "commands/export_rows.h"
#include "model/list_text.h"

namespace {

// Both tabs listed afresh on the window, each until every row is filled.
void ListBothTabs(HWND window)
{
    for (int tab : {0, 1}) {
        TabCtrl_SetCurSel(GetDlgItem(window, CTRL_TABS), tab);
        ListAfresh(window);
    }
}

// Quiverdesk.exe /list, its output to a file, until it exits.
void RunListCommand(const std::wstring& output)
{
    SECURITY_ATTRIBUTES inherit = {sizeof(inherit), 0, TRUE};
    HANDLE file = CreateFileW(output.c_str(), GENERIC_WRITE, 0, &inherit, CREATE_ALWAYS, 0, 0);
    STARTUPINFOW start = {};
    start.cb = sizeof(start);
    start.dwFlags = STARTF_USESTDHANDLES;
    start.hStdOutput = file;
    start.hStdError = file;
    PROCESS_INFORMATION process = {};
    wchar_t line[] = L"Quiverdesk.exe /list";
    if (CreateProcessW(0, line, 0, 0, TRUE, 0, 0, 0, &start, &process)) {
        WaitForSingleObject(process.hProcess, INFINITE);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(file);
}

}  // namespace

int main(int argc, char** argv)
{
    BenchSession bench;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring output = std::wstring(temp) + L"qd-list-bench.txt";
    printf("Medians of 5 runs each, taking turns, ms. \"The window\" lists Send To and then the Startup\n"
           "tab afresh, each until every row is filled; \"the listing of /list\" is the same rows read\n"
           "by the command line's code in this process; \"/list\" is the whole process, its output to a file.\n\n"
           "| N shortcuts and N Run values | the window | the listing of /list | listing / window | /list | /list / "
           "window |\n"
           "|---:|---:|---:|---:|---:|---:|\n");
    for (int n : NumbersAsked(argc, argv, {1000})) {
        if (!FillFolder(bench.sendTo, L"qd-list-", n, {L"C:\\windows\\notepad.exe", L"C:\\windows\\regedit.exe"}))
            return fprintf(stderr, "list_bench: could not fill Send To\n"), 1;
        SetRunValues(L"qd-list-", n, true);
        ListBothTabs(bench.window);  // warms the caches
        std::vector<double> window, listing, process;
        for (int run = 0; run < 5; ++run) {
            window.push_back(TimeMs([&] { ListBothTabs(bench.window); }));
            PumpMessages();
            listing.push_back(TimeMs([] {
                ListText text(kTabSeparated);
                ListEveryTab(text);
            }));
            process.push_back(TimeMs([&] { RunListCommand(output); }));
        }
        printf("| %d | %.0f | %.0f | %.2f | %.0f | %.2f |\n", n, Median(window), Median(listing),
               Median(listing) / Median(window), Median(process), Median(process) / Median(window));
        fprintf(stderr, "list_bench: N=%d done\n", n);
        FilesMatching(bench.sendTo, L"qd-list-*.lnk", true);
        SetRunValues(L"qd-list-", n, false);
    }
    DeleteFileW(output.c_str());
    return 0;
}
