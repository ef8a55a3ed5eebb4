// Soak and big-drop benchmark: many refreshes, then one drop of many items, on the real main window; time, GDI room
// and private bytes, measured, never judged. soak_bench [refreshes [dropped items]] (500 and 500)
#include "bench/bench.h"

namespace {

const wchar_t kScratch[] = L"C:\\qd-bench-soak";

// How many more GDI objects the process could make: a leak shows as a shrinking room.
int GdiRoom()
{
    static HRGN regions[70000];
    int count = 0;
    while (count < 70000 && (regions[count] = CreateRectRgn(0, 0, 1, 1)) != 0)
        ++count;
    for (int i = 0; i < count; ++i)
        DeleteObject(regions[i]);
    return count;
}

std::vector<std::wstring> MakeFiles(const wchar_t* stem, int n)
{
    std::vector<std::wstring> paths;
    for (int i = 0; i < n; ++i) {
        paths.push_back(std::wstring(kScratch) + L"\\" + stem + std::to_wstring(i) + L".txt");
        CloseHandle(CreateFileW(paths.back().c_str(), GENERIC_WRITE, 0, 0, CREATE_ALWAYS, 0, 0));
    }
    return paths;
}

}  // namespace

int main(int argc, char** argv)
{
    BenchSession bench;
    const std::vector<int> asked = NumbersAsked(argc, argv, {500, 500});
    const int refreshes = asked[0], dropped = asked.size() > 1 ? asked[1] : 500;
    CreateDirectoryW(kScratch, 0);
    FillFolder(bench.sendTo, L"qd-soak-", 50, MakeFiles(L"qd-soak-", 50));  // one shortcut to each file
    auto refresh = [&](int times) {
        for (int i = 0; i < times; ++i, PumpMessages())
            SendMessageA(bench.window, WM_COMMAND, CMD_REFRESH, 0);
    };
    const int warmUp = refreshes / 10;
    refresh(warmUp);
    const int roomAtWarmUp = GdiRoom();  // first: filling the GDI table grows the heap once
    const unsigned long kbAtWarmUp = ProcessMemory().PagefileUsage / 1024;
    const double perRefresh = TimeMs([&] { refresh(refreshes - warmUp); }) / (refreshes - warmUp);
    int roomAtEnd = GdiRoom();
    unsigned long kbAtEnd = ProcessMemory().PagefileUsage / 1024;

    const std::vector<std::wstring> items = MakeFiles(L"qd-drop-", dropped);
    double dropMs = TimeMs([&] { DropFiles(bench.window, items); });
    size_t made = FilesMatching(bench.sendTo, L"qd-drop-*.lnk", true).size();
    FilesMatching(bench.sendTo, L"qd-soak-*.lnk", true);
    FilesMatching(kScratch, L"qd-*.txt", true);
    RemoveDirectoryW(kScratch);

    printf("| what | figure |\n|---|---:|\n| refreshes of 50 shortcuts (after %d to warm up) | %d |\n"
           "| ms per refresh | %.2f |\n| GDI objects the process could still make, warm / end | %d / %d |\n"
           "| private KB, warm / end | %lu / %lu |\n| drop of %d items: shortcuts made | %d |\n"
           "| drop of %d items: ms, with its refresh | %.0f |\n",
           warmUp, refreshes - warmUp, perRefresh, roomAtWarmUp, roomAtEnd, kbAtWarmUp, kbAtEnd, dropped,
           static_cast<int>(made), dropped, dropMs);
    return 0;
}
