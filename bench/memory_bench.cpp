// Memory benchmark: what the memory between runs costs the first listing of N shortcuts, read from
// a file that remembers them and N Run values, against no file at all; and that file's size.
// memory_bench [N...]
#include "bench/bench.h"
#include "commands/entry_marks.h"

namespace {

std::wstring MemoryFile()
{
    wchar_t local[MAX_PATH] = L"";
    SHGetFolderPathW(0, CSIDL_LOCAL_APPDATA, 0, SHGFP_TYPE_CURRENT, local);
    return std::wstring(local) + L"\\Quiverdesk\\Memory.txt";
}

// Closes the window, which writes the memory, and opens a new one, which reads it.
HWND Reopen(HWND window)
{
    DestroyWindow(window);
    PumpMessages();
    MSG quit;
    PeekMessageA(&quit, 0, WM_QUIT, WM_QUIT, PM_REMOVE);
    return StartMainWindow();
}

}  // namespace

int main(int argc, char** argv)
{
    BenchSession bench;
    const std::wstring memory = MemoryFile(), aside = memory + L".bench";
    printf("Each run reads the memory (or finds none) and lists Send To afresh, every row filled; medians\n"
           "of 5 runs each, taking turns. The file remembers Send To's N shortcuts and N Run values.\n\n"
           "| N | file | without a memory, ms | with it, ms | with / without |\n"
           "|---:|---:|---:|---:|---:|\n");
    for (int n : NumbersAsked(argc, argv, {1000})) {
        if (!FillFolder(bench.sendTo, L"qd-memory-", n, {L"C:\\windows\\notepad.exe", L"C:\\windows\\regedit.exe"}))
            return fprintf(stderr, "memory_bench: could not fill Send To\n"), 1;
        SetRunValues(L"qd-memory-", n, true);
        DeleteFileW(memory.c_str());
        bench.window = Reopen(bench.window);
        ClickTab(bench.window, 1);
        ClickTab(bench.window, 0);
        bench.window = Reopen(bench.window);
        WIN32_FILE_ATTRIBUTE_DATA file = {};
        GetFileAttributesExW(memory.c_str(), GetFileExInfoStandard, &file);
        std::vector<double> with, without;
        for (int run = 0; run < 10; ++run) {
            bool remembered = run % 2 == 0;
            if (!remembered)
                MoveFileExW(memory.c_str(), aside.c_str(), MOVEFILE_REPLACE_EXISTING);
            (remembered ? with : without).push_back(TimeMs([&] {
                LoadEntryMemory(false);
                ListAfresh(bench.window);
            }));
            if (!remembered)
                MoveFileExW(aside.c_str(), memory.c_str(), MOVEFILE_REPLACE_EXISTING);
            PumpMessages();
        }
        printf("| %d | %lu KB | %.0f | %.0f | %.3f |\n", n, file.nFileSizeLow / 1024, Median(without), Median(with),
               Median(with) / Median(without));
        fprintf(stderr, "memory_bench: N=%d done\n", n);
        FilesMatching(bench.sendTo, L"qd-memory-*.lnk", true);
        SetRunValues(L"qd-memory-", n, false);
    }
    DeleteFileW(memory.c_str());
    return 0;
}
