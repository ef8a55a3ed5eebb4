// Refresh benchmark: RefreshShortcuts on N shortcuts against the floor (its shell calls, bare) and the by-path
// yardstick, peak memory, and the desktop.ini scan's share of the growth. refresh_bench [N...] (10 100 1000)
#include "bench/bench.h"

namespace {

// The floor: per file exactly the shell calls by which a refresh lists it (model/bound_folder.cpp,
// model/shortcut_item.cpp, model/link_target.cpp, and the view's description), with nothing kept.
void Floor(const std::wstring& folder)
{
    IShellFolder *desktop = 0, *bound = 0;
    LPITEMIDLIST absolute = 0;
    SHGetDesktopFolder(&desktop);
    desktop->ParseDisplayName(0, 0, const_cast<wchar_t*>(folder.c_str()), 0, &absolute, 0);
    desktop->BindToObject(absolute, 0, IID_IShellFolder, reinterpret_cast<void**>(&bound));
    for (const std::wstring& name : FilesMatching(folder, L"*.lnk")) {
        LPITEMIDLIST child = 0, target = 0;
        bound->ParseDisplayName(0, 0, const_cast<wchar_t*>(name.c_str()), 0, &child, 0);
        LPITEMIDLIST full = ILCombine(absolute, child);
        SHFILEINFOW info;
        SHGetFileInfoW(reinterpret_cast<LPCWSTR>(full), 0, &info, sizeof(info),
                       SHGFI_PIDL | SHGFI_DISPLAYNAME | SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
        ILFree(full);
        ILFree(child);
        IShellLinkW* link = 0;
        IPersistFile* file = 0;
        if (FAILED(CoCreateInstance(CLSID_ShellLink, 0, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                    reinterpret_cast<void**>(&link))))
            continue;
        link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
        wchar_t text[INFOTIPSIZE];
        if (SUCCEEDED(file->Load((folder + L"\\" + name).c_str(), STGM_READ))
            && link->GetPath(text, MAX_PATH, 0, SLGP_UNCPRIORITY) == S_OK && text[0]
            && link->GetIDList(&target) == S_OK)
            SHGetPathFromIDListW(target, text);
        link->GetDescription(text, INFOTIPSIZE);
        ILFree(target);
        file->Release();
        link->Release();
    }
    bound->Release();
    ILFree(absolute);
    desktop->Release();
}

// The by-path yardstick: per file, by its whole path, the link loaded, GetPath with the target's
// find data, GetDescription, and SHGetFileInfoA for the display name and again for the small icon.
void ByPathYardstick(const std::wstring& folder)
{
    for (const std::wstring& name : FilesMatching(folder, L"*.lnk")) {
        const std::wstring path = folder + L"\\" + name;
        const std::string ansiPath(path.begin(), path.end());  // the bench's paths are ASCII
        IShellLinkA* link = 0;
        IPersistFile* file = 0;
        if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, 0, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                       reinterpret_cast<void**>(&link)))) {
            link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
            char text[MAX_PATH];
            WIN32_FIND_DATAA targetData;
            if (SUCCEEDED(file->Load(path.c_str(), STGM_READ))) {
                link->GetPath(text, sizeof(text), &targetData, SLGP_UNCPRIORITY);
                link->GetDescription(text, sizeof(text));
            }
            file->Release();
            link->Release();
        }
        SHFILEINFOA info = {};
        SHGetFileInfoA(ansiPath.c_str(), 0, &info, sizeof(info), SHGFI_DISPLAYNAME);
        if (SHGetFileInfoA(ansiPath.c_str(), 0, &info, sizeof(info), SHGFI_ICON | SHGFI_SMALLICON) && info.hIcon)
            DestroyIcon(info.hIcon);
    }
}

// Copies the bench's shortcuts of from into to, which then holds them and nothing else but, when
// withIni, a desktop.ini. The shell reads one only in a folder marked system or read-only.
bool CopyFolder(const std::wstring& from, const std::wstring& to, bool withIni)
{
    SHCreateDirectoryExW(0, to.c_str(), 0);
    SetFileAttributesW(to.c_str(), GetFileAttributesW(from.c_str()) | (withIni ? FILE_ATTRIBUTE_SYSTEM : 0));
    FilesMatching(to, L"qd-bench-*.lnk", true);
    bool ok = true;
    for (const std::wstring& name : FilesMatching(from, L"qd-bench-*.lnk"))
        ok = CopyFileW((from + L"\\" + name).c_str(), (to + L"\\" + name).c_str(), FALSE) && ok;
    if (!withIni)
        return ok;
    const char text[] = "[.ShellClassInfo]\r\nConfirmFileOp=0\r\n";
    HANDLE ini = CreateFileW((to + L"\\desktop.ini").c_str(), GENERIC_WRITE, 0, 0, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM, 0);
    DWORD written = 0;
    ok = WriteFile(ini, text, sizeof(text) - 1, &written, 0) && ok;
    CloseHandle(ini);
    return ok;
}

}  // namespace

int main(int argc, char** argv)
{
    BenchSession bench;
    std::vector<int> sizes = NumbersAsked(argc, argv, {10, 100, 1000});
    std::sort(sizes.begin(), sizes.end());  // each size adds files to the last one's
    wchar_t windows[MAX_PATH];
    GetWindowsDirectoryW(windows, MAX_PATH);
    const std::wstring &folder = bench.sendTo, drive(windows, 2);
    // Two programs with their own icons and a folder, all on the system drive as a user's
    // shortcuts would be (this program may sit on a drive whose volume Wine can't query).
    const std::vector<std::wstring> targets = {windows + std::wstring(L"\\system32\\notepad.exe"),
                                               windows + std::wstring(L"\\regedit.exe"), windows};
    // The copies lie in the bench's own prefix, beside nothing of a user's, as deep as Send To.
    const std::wstring copies[] = {drive + L"\\qd-bench-plain" + folder.substr(2),
                                   drive + L"\\qd-bench-ini" + folder.substr(2)};
    FilesMatching(folder, L"qd-bench-*.lnk", true);
    printf("Send To holds %d shortcuts, 3 written by CreateShortcutFile and the rest their byte copies. Times are\n"
           "medians of the runs shown; none includes painting. Peak memory is the benchmark process's.\n\n"
           "### RefreshShortcuts on the real main window\n\nThe refresh lists from nothing and fills every row; "
           "\"names on show\" is the part before the window takes messages again, the rows named and the first "
           "slice filled; F5 lists the unchanged folder again, every row filled.\n\n| N | runs | rows listed | refresh "
           "ms | floor ms | by-path yardstick ms | refresh / floor | refresh / by-path yardstick | refresh ms per row |"
           " names on show ms | F5 unchanged ms | F5 / refresh | peak working set MiB | peak pagefile MiB |\n"
           "|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|\n",
           sizes.back());
    std::string scan;         // the desktop.ini table's rows, printed after
    double smallest[2] = {};  // the by-path yardstick's ms per shortcut at the smallest N, without and with one
    for (int n : sizes) {
        const int runs = n <= 100 ? 5 : n <= 1000 ? 3 : 1;  // 5,000 take minutes a run
        if (!FillFolder(folder, L"qd-bench-", n, targets) || !CopyFolder(folder, copies[0], false)
            || !CopyFolder(folder, copies[1], true))
            return fprintf(stderr, "refresh_bench: could not fill the folders\n"), 1;
        Floor(folder);  // warms the caches once; every run then sees the same state
        ListAfresh(bench.window);
        PumpMessages();
        const int rows = ListView_GetItemCount(GetDlgItem(bench.window, CTRL_LIST)), perRow = rows ? rows : 1;
        // refresh, floor, by-path, names on show, F5; per row [by-path, floor][no ini, ini]
        std::vector<double> times[5], onCopies[2][2];
        for (int run = 0; run < runs; ++run) {
            double named = 0;
            times[0].push_back(TimeMs([&] { named = ListAfresh(bench.window); }));
            times[3].push_back(named);
            times[4].push_back(TimeMs([&] {
                RefreshShortcuts(bench.window);
                while (FillRowsForAWhile()) {
                }
            }));
            PumpMessages();
            times[1].push_back(TimeMs([&] { Floor(folder); }));
            times[2].push_back(TimeMs([&] { ByPathYardstick(folder); }));
            for (int c = 0; c < 2; ++c) {
                onCopies[0][c].push_back(TimeMs([&] { ByPathYardstick(copies[c]); }) / perRow);
                onCopies[1][c].push_back(TimeMs([&] { Floor(copies[c]); }) / perRow);
            }
        }
        const double refresh = Median(times[0]), floor = Median(times[1]), yardstick = Median(times[2]);
        const PROCESS_MEMORY_COUNTERS memory = ProcessMemory();
        const double named = Median(times[3]), again = Median(times[4]);
        printf("| %d | %d | %d | %.2f | %.2f | %.2f | %.2f | %.2f | %.3f | %.2f | %.2f | %.3f | %.1f | %.1f |\n", n,
               runs, rows, refresh, floor, yardstick, refresh / floor, refresh / yardstick, refresh / perRow, named,
               again, again / refresh, memory.PeakWorkingSetSize / 1048576.0, memory.PeakPagefileUsage / 1048576.0);
        const double byPath[2] = {Median(onCopies[0][0]), Median(onCopies[0][1])};
        if (n == sizes[0])
            smallest[0] = byPath[0], smallest[1] = byPath[1];
        const double plain = byPath[0] - smallest[0], ini = byPath[1] - smallest[1];
        char line[256], share[32] = "-";
        if (plain > 0)  // none at the smallest N
            snprintf(share, sizeof(share), "%.0f %%", 100.0 * (plain - ini) / plain);
        snprintf(line, sizeof(line), "| %d | %.3f | %.3f | %.3f | %.3f | %.3f | %.3f | %s |\n", n, byPath[0], byPath[1],
                 Median(onCopies[1][0]), Median(onCopies[1][1]), plain, ini, share);
        scan += line;
        fprintf(stderr, "refresh_bench: N=%d done\n", n);
    }
    printf("\n### The platform's desktop.ini scan\n\nTwo copies of Send To (attributes 0x%lx) in the bench's own "
           "prefix, one with a desktop.ini. ms per shortcut; growth is the rise in ms per shortcut from the smallest "
           "N.\n\n| N | by-path yardstick, no ini | by-path yardstick, ini | floor, no ini | floor, ini | by-path "
           "growth, no ini | by-path growth, ini | share of the by-path growth that is the scan |\n"
           "|---:|---:|---:|---:|---:|---:|---:|---:|\n%s",
           GetFileAttributesW(folder.c_str()), scan.c_str());
    for (const std::wstring& dir : {folder, copies[0], copies[1]})
        FilesMatching(dir, L"qd-bench-*.lnk", true);
    DeleteFileW((copies[1] + L"\\desktop.ini").c_str());
    return 0;
}
