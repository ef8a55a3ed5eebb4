// Live-listing benchmark, pumped as the program's loop pumps: how soon a change behind its back shows, what a burst
// or its own change costs in listings, whether the loop wakes while nothing changes. live_bench [N...] (10 100)
#include "bench/bench.h"
#include "controls/shortcut_view.h"
#include "model/row_ref.h"

// The row of the file at path, as a command finds it again.
static int RowOfFile(const std::wstring& path)
{
    return FindRow(RowRef::File(kSourceUserFolder, path.c_str(), RowStamp()));
}

int main(int argc, char** argv)
{
    BenchSession bench;
    // Makes the file to (from empty), renames from to to, or deletes from (to empty).
    auto change = [](const std::wstring& from, const std::wstring& to) {
        if (from.empty())
            CloseHandle(CreateFileW(to.c_str(), GENERIC_WRITE, 0, 0, CREATE_NEW, 0, 0));
        else
            to.empty() ? DeleteFileW(from.c_str()) : MoveFileW(from.c_str(), to.c_str());
    };
    // Pumps until no listing has come for 1.5 s (or for ms); the listings it saw.
    auto pumpUntilQuiet = [&](DWORD ms = 1500) {
        unsigned before = GetListingCount(), seen = before;
        DWORD since = GetTickCount();
        auto quiet = [&] {
            if (GetListingCount() != seen)
                seen = GetListingCount(), since = GetTickCount();
            return GetTickCount() - since >= ms;
        };
        PumpLiveUntil(bench.window, quiet, 60000);
        return GetListingCount() - before;
    };
    HWND list = GetDlgItem(bench.window, CTRL_LIST);
    const std::wstring in = bench.sendTo + L"\\qd-live-", made = in + L"a.txt", renamed = in + L"b.txt";
    const std::wstring paths[] = {L"", made, renamed, L""};  // a change is one path to the next
    const char* changes[] = {"made", "renamed", "deleted"};
    FilesMatching(bench.sendTo, L"qd-live-*", true);
    printf("### How soon a change shows\n\n| other files | change | runs | median ms | max ms |\n"
           "|---:|---|---:|---:|---:|\n");
    for (int n : NumbersAsked(argc, argv, {10, 100})) {
        FillFolder(bench.sendTo, L"qd-live-other-", n, {L"C:\\windows\\notepad.exe"});
        pumpUntilQuiet();
        std::vector<double> times[3];
        for (int run = 0; run < 20; ++run)
            for (int i = 0; i < 3; ++i, pumpUntilQuiet(300)) {  // the change may signal again
                const std::wstring &from = paths[i], &to = paths[i + 1];
                double start = NowMs();
                change(from, to);
                auto shown = [&] { return (RowOfFile(to.empty() ? from : to) >= 0) != to.empty(); };
                PumpLiveUntil(bench.window, shown, 10000);
                times[i].push_back(NowMs() - start);
            }
        for (int i = 0; i < 3; ++i)
            printf("| %d | file %s | 20 | %.0f | %.0f |\n", n, changes[i], Median(times[i]),
                   *std::max_element(times[i].begin(), times[i].end()));
    }
    FilesMatching(bench.sendTo, L"qd-live-*", true);
    pumpUntilQuiet();

    printf("\n### Listings per burst\n\n| files | ms writing | ms until all show | listings | listings for deleting "
           "them |\n|---:|---:|---:|---:|---:|\n");
    for (int files : {50, 50, 50, 500, 500, 500}) {
        int rows = ListView_GetItemCount(list);
        unsigned before = GetListingCount();
        double start = NowMs(), written;
        for (int i = 0; i < files; ++i)
            change(L"", in + L"burst-" + std::to_wstring(i));
        written = NowMs() - start;
        auto allShown = [&] { return ListView_GetItemCount(list) == rows + files; };
        PumpLiveUntil(bench.window, allShown, 60000);
        double shown = NowMs() - start;
        pumpUntilQuiet();
        unsigned listings = GetListingCount() - before;
        FilesMatching(bench.sendTo, L"qd-live-burst-*", true);
        printf("| %d | %.0f | %.0f | %u | %u |\n", files, written, shown, listings, pumpUntilQuiet());
    }

    pumpUntilQuiet(2000);  // tooltips, carets and the like settle
    FILETIME times[2][4];  // creation, exit, kernel and user, before and after
    GetProcessTimes(GetCurrentProcess(), &times[0][0], &times[0][1], &times[0][2], &times[0][3]);
    int turns = 0, wakeUps = 0, code = 0;
    for (double start = NowMs(), now = start; now - start < 4999; now = NowMs(), ++turns) {
        const DWORD timeout = static_cast<DWORD>(start + 5000 - now);
        wakeUps += PumpMessagesAndChanges(bench.window, 0, 0, timeout, &code) && NowMs() - now + 1 < timeout;
    }
    GetProcessTimes(GetCurrentProcess(), &times[1][0], &times[1][1], &times[1][2], &times[1][3]);
    printf("\n### While nothing changes\n\n| turns | wake-ups | CPU ms |\n|---:|---:|---:|\n| %d | %d | %.0f |\n",
           turns, wakeUps, Ms(times[1][2]) + Ms(times[1][3]) - Ms(times[0][2]) - Ms(times[0][3]));

    printf("\n### The program's own change\n\n| command | listings |\n|---|---:|\n");
    change(L"", made);
    pumpUntilQuiet();
    for (int run = 0; run < 4; ++run) {
        ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
        SelectRow(RowOfFile(made), true);
        SendMessageA(bench.window, WM_COMMAND, run % 2 ? CMD_SHOW_ON_MENU : CMD_HIDE_FROM_MENU, 0);
        printf("| %s | %u |\n", run % 2 ? "show on the menu" : "hide from the menu", pumpUntilQuiet());
    }
    FilesMatching(bench.sendTo, L"qd-live-*", true);
    return 0;
}
