// Refresh benchmark: fills Send To with N shortcuts and times RefreshShortcuts on the real main
// window against the floor (the by-path calls the refresh used to make, done bare), a click on the
// selected tab, memory, and how much of the growth with N is the platform's desktop.ini scan.
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "app/main_window.h"
#include "app/quiverdesk.h"
#include "bench/bench_clock.h"
#include "commands/refresh.h"
#include "controls/main_tabs.h"
#include "controls/shortcut_view.h"
#include "model/bound_folder.h"
#include "model/shortcut_file.h"
#include "model/shortcut_list.h"

namespace {

int g_tabNotifications;  // WM_NOTIFY from the tab control: each one is a refresh
WNDPROC g_mainProc;

void Pump()
{
    MSG message;
    while (PeekMessageA(&message, 0, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT)
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NOTIFY && wParam == CTRL_TABS)
        ++g_tabNotifications;
    return CallWindowProcA(g_mainProc, window, message, wParam, lParam);
}

// Writing thousands of shortcuts into Send To is only done where that folder is a throwaway.
bool ShellFoldersAreDisposable()
{
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    if (ntdll && GetProcAddress(ntdll, "wine_get_version"))
        return true;
    const char* redirected = getenv("QD_TEST_FOLDERS_REDIRECTED");
    return redirected && strcmp(redirected, "1") == 0;
}

void RemoveBenchLinks(const char* folder)
{
    char pattern[MAX_PATH];
    if (snprintf(pattern, sizeof(pattern), "%s\\qd-bench-*.lnk", folder) >= static_cast<int>(sizeof(pattern)))
        return;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA(pattern, &entry);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        char path[MAX_PATH];
        if (snprintf(path, sizeof(path), "%s\\%s", folder, entry.cFileName) < static_cast<int>(sizeof(path)))
            DeleteFileA(path);
    } while (FindNextFileA(search, &entry));
    FindClose(search);
}

// The calls one refresh makes per shortcut, without the list, the items or the view.
int FloorPass(const char* folder)
{
    char pattern[MAX_PATH];
    if (snprintf(pattern, sizeof(pattern), "%s\\*.lnk", folder) >= static_cast<int>(sizeof(pattern)))
        return 0;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA(pattern, &entry);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    int count = 0;
    do {
        char path[MAX_PATH];
        WCHAR widePath[MAX_PATH];
        if (snprintf(path, sizeof(path), "%s\\%s", folder, entry.cFileName) >= static_cast<int>(sizeof(path))
            || MultiByteToWideChar(CP_ACP, 0, path, -1, widePath, MAX_PATH) <= 0)
            continue;
        void* object = 0;
        if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, 0, CLSCTX_INPROC_SERVER, IID_IShellLinkA, &object))) {
            IShellLinkA* link = static_cast<IShellLinkA*>(object);
            if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, &object))) {
                IPersistFile* file = static_cast<IPersistFile*>(object);
                if (SUCCEEDED(file->Load(widePath, STGM_READ))) {
                    char text[MAX_PATH];
                    WIN32_FIND_DATAA targetData;
                    link->GetPath(text, sizeof(text), &targetData, SLGP_UNCPRIORITY);
                    link->GetDescription(text, sizeof(text));
                }
                file->Release();
            }
            link->Release();
        }
        SHFILEINFOA info;
        ZeroMemory(&info, sizeof(info));
        SHGetFileInfoA(path, 0, &info, sizeof(info), SHGFI_DISPLAYNAME);
        ZeroMemory(&info, sizeof(info));
        if (SHGetFileInfoA(path, 0, &info, sizeof(info), SHGFI_ICON | SHGFI_SMALLICON) && info.hIcon)
            DestroyIcon(info.hIcon);
        ++count;
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    return count;
}

// The refresh's own per-file work without the window: the folder bound once, then per file its
// name parsed there and a link object loaded and read.
int ModelPass(const char* folder)
{
    char pattern[MAX_PATH];
    if (snprintf(pattern, sizeof(pattern), "%s\\*.lnk", folder) >= static_cast<int>(sizeof(pattern)))
        return 0;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA(pattern, &entry);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    BoundFolder bound;
    const std::wstring wideFolder = Widen(folder);
    bound.Bind(wideFolder.c_str());
    ShortcutList list;
    do {
        ShortcutItem* item = list.Add();
        wchar_t text[MAX_PATH];
        if (item && item->Load(bound, wideFolder.c_str(), Widen(entry.cFileName).c_str())) {
            item->GetTargetPath(text, MAX_PATH);
            item->GetDescription(text, MAX_PATH);
        }
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    return list.GetCount();
}

// Copies the bench's shortcuts of from into the folder to (made when missing), which then holds
// them and nothing else but, when withIni, a desktop.ini: a copy, so no user's folder is touched.
bool CopyBenchFolder(const char* from, const char* to, bool withIni)
{
    SHCreateDirectoryExA(0, to, 0);
    // The copy gets Send To's own attributes: the shell reads a desktop.ini only in folders
    // marked system or read-only.
    SetFileAttributesA(to, GetFileAttributesA(from) | (withIni ? FILE_ATTRIBUTE_SYSTEM : 0));
    RemoveBenchLinks(to);
    char pattern[MAX_PATH];
    snprintf(pattern, sizeof(pattern), "%s\\qd-bench-*.lnk", from);
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA(pattern, &entry);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    bool ok = true;
    do {
        char source[MAX_PATH], target[MAX_PATH];
        snprintf(source, sizeof(source), "%s\\%s", from, entry.cFileName);
        snprintf(target, sizeof(target), "%s\\%s", to, entry.cFileName);
        ok = CopyFileA(source, target, FALSE) && ok;
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    if (!withIni)
        return ok;
    char ini[MAX_PATH];
    snprintf(ini, sizeof(ini), "%s\\desktop.ini", to);
    const char text[] = "[.ShellClassInfo]\r\nConfirmFileOp=0\r\n";
    HANDLE file =
        CreateFileA(ini, GENERIC_WRITE, 0, 0, CREATE_ALWAYS, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM, 0);
    DWORD written = 0;
    ok = file != INVALID_HANDLE_VALUE && WriteFile(file, text, sizeof(text) - 1, &written, 0) && ok;
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
    return ok;
}

// Button down and up on the centre of the selected tab, then whatever that leaves queued
// (the repaint included), as a user's click costs it.
double ClickSelectedTab(HWND window)
{
    RECT rect;
    int tab = GetSelectedTab();
    HWND tabs = GetDlgItem(window, CTRL_TABS);
    SendMessageA(tabs, TCM_GETITEMRECT, tab, reinterpret_cast<LPARAM>(&rect));
    LPARAM point = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    double start = NowMs();
    SendMessageA(tabs, WM_LBUTTONDOWN, MK_LBUTTON, point);
    SendMessageA(tabs, WM_LBUTTONUP, 0, point);
    Pump();
    return NowMs() - start;
}

struct Result {
    int n;
    int runs;
    int rows;
    double refreshMs;
    double floorMs;
    double clickMs;
    double refreshesPerClick;
    // Against the two copies of Send To: without and with a desktop.ini.
    double floorPlainMs, floorIniMs, modelPlainMs, modelIniMs;
    SIZE_T peakWorkingSet;
    SIZE_T peakPagefile;
};

// A 5,000-shortcut refresh takes minutes under Wine: one run there keeps the whole bench near ten.
int RunsFor(int n)
{
    return n <= 100 ? 5 : n <= 1000 ? 3 : 1;
}

double Mib(SIZE_T bytes)
{
    return static_cast<double>(bytes) / (1024.0 * 1024.0);
}

void PrintTimeTable(const char* title, const std::vector<Result>& results, double Result::*field, bool ratio)
{
    printf("\n### %s\n\n| N | runs | median ms | ms per row listed |%s\n|---:|---:|---:|---:|%s\n", title,
           ratio ? " ratio to floor |" : "", ratio ? "---:|" : "");
    for (size_t i = 0; i < results.size(); ++i) {
        const Result& r = results[i];
        printf("| %d | %d | %.2f | %.3f |", r.n, r.runs, r.*field, r.rows ? r.*field / r.rows : 0.0);
        if (ratio)
            printf(" %.2f |", r.floorMs > 0 ? r.*field / r.floorMs : 0.0);
        printf("\n");
    }
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<int> sizes = SizesAskedFor(argc, argv, {10, 100, 1000});
    if (!ShellFoldersAreDisposable()) {
        fprintf(stderr, "refresh_bench: fills the Send To folder; run it under Wine or set "
                        "QD_TEST_FOLDERS_REDIRECTED=1 where that folder is redirected\n");
        return 2;
    }

    CoInitialize(0);
    char folder[MAX_PATH];
    char windowsDir[MAX_PATH - 20];
    char notepad[MAX_PATH];
    char regedit[MAX_PATH];
    if (!SHGetSpecialFolderPathA(0, folder, CSIDL_SENDTO, TRUE)
        || !GetWindowsDirectoryA(windowsDir, sizeof(windowsDir))) {
        fprintf(stderr, "refresh_bench: no Send To folder\n");
        return 1;
    }
    // Two programs with their own icons and a folder, all on the system drive as a user's
    // shortcuts would be (this program may sit on a drive whose volume Wine can't query).
    snprintf(notepad, sizeof(notepad), "%s\\system32\\notepad.exe", windowsDir);
    snprintf(regedit, sizeof(regedit), "%s\\regedit.exe", windowsDir);
    const char* targets[] = {notepad, regedit, windowsDir};
    char seeds[3][MAX_PATH];
    RemoveBenchLinks(folder);
    // The copies live in the bench's own prefix, beside nothing of a user's, as deep as Send To.
    char plainCopy[MAX_PATH], iniCopy[MAX_PATH];
    snprintf(plainCopy, sizeof(plainCopy), "%.2s\\qd-bench-plain%s", windowsDir, folder + 2);
    snprintf(iniCopy, sizeof(iniCopy), "%.2s\\qd-bench-ini%s", windowsDir, folder + 2);

    HINSTANCE instance = GetModuleHandleA(0);
    LoadMainWindowTexts(instance);
    RegisterMainClass(instance);
    HWND window = CreateMainWindow(instance, SW_SHOWNORMAL);
    if (!window) {
        fprintf(stderr, "refresh_bench: the main window was not created\n");
        return 1;
    }
    g_mainProc =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountingProc)));
    Pump();

    std::vector<Result> results;
    int made = 0;
    std::vector<double> createMs;  // each CreateShortcutFile call
    for (size_t s = 0; s < sizes.size(); ++s) {
        Result r;
        r.n = sizes[s];
        for (; made < r.n; ++made) {
            // Saving a link costs Wine over 100 ms, so three are written and the rest are their
            // byte-for-byte copies: the very files CreateShortcutFile would write.
            char link[MAX_PATH];
            bool ok =
                snprintf(link, sizeof(link), "%s\\qd-bench-%05d.lnk", folder, made) < static_cast<int>(sizeof(link));
            double start = NowMs();
            if (made < 3 && ok
                && CreateShortcutFile(Widen(targets[made]).c_str(), L"", Widen(windowsDir).c_str(), SW_SHOWNORMAL,
                                      Widen(link).c_str()))
                lstrcpyA(seeds[made], link);
            else if (made < 3 || !ok || !CopyFileA(seeds[made % 3], link, FALSE))
                ok = false;
            if (made < 3)
                createMs.push_back(NowMs() - start);
            if (!ok) {
                fprintf(stderr, "refresh_bench: could not create shortcut %d\n", made);
                return 1;
            }
        }

        r.runs = RunsFor(r.n);
        std::vector<double> refresh, floor, click, perClick, floorPlain, floorIni, modelPlain, modelIni;
        if (!CopyBenchFolder(folder, plainCopy, false) || !CopyBenchFolder(folder, iniCopy, true)) {
            fprintf(stderr, "refresh_bench: could not copy the folder\n");
            return 1;
        }
        FloorPass(folder);  // warm the caches once; every run then sees the same state
        RefreshShortcuts(window);
        Pump();
        for (int run = 0; run < r.runs; ++run) {
            double start = NowMs();
            RefreshShortcuts(window);
            refresh.push_back(NowMs() - start);
            r.rows = static_cast<int>(SendMessageA(GetDlgItem(window, CTRL_LIST), LVM_GETITEMCOUNT, 0, 0));
            Pump();

            start = NowMs();
            FloorPass(folder);
            floor.push_back(NowMs() - start);

            g_tabNotifications = 0;
            click.push_back(ClickSelectedTab(window));
            perClick.push_back(g_tabNotifications);

            const char* copies[] = {plainCopy, iniCopy};
            std::vector<double>* floors[] = {&floorPlain, &floorIni};
            std::vector<double>* models[] = {&modelPlain, &modelIni};
            for (int c = 0; c < 2; ++c) {
                start = NowMs();
                FloorPass(copies[c]);
                floors[c]->push_back(NowMs() - start);
                start = NowMs();
                ModelPass(copies[c]);
                models[c]->push_back(NowMs() - start);
            }
        }
        r.floorPlainMs = Median(floorPlain);
        r.floorIniMs = Median(floorIni);
        r.modelPlainMs = Median(modelPlain);
        r.modelIniMs = Median(modelIni);
        r.refreshMs = Median(refresh);
        r.floorMs = Median(floor);
        r.clickMs = Median(click);
        r.refreshesPerClick = Median(perClick);
        PROCESS_MEMORY_COUNTERS memory;
        ZeroMemory(&memory, sizeof(memory));
        memory.cb = sizeof(memory);
        GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof(memory));
        r.peakWorkingSet = memory.PeakWorkingSetSize;
        r.peakPagefile = memory.PeakPagefileUsage;
        results.push_back(r);
        fprintf(stderr, "refresh_bench: N=%d done\n", r.n);
    }

    printf("%d shortcuts: 3 written by CreateShortcutFile (median %.0f ms each), the rest byte copies. "
           "Times are medians of the runs shown; the refresh and the floor exclude painting, "
           "the click includes the messages it leaves queued.\n",
           made, Median(createMs));
    PrintTimeTable("RefreshShortcuts on the real main window", results, &Result::refreshMs, true);
    PrintTimeTable("Floor: the same platform calls done bare", results, &Result::floorMs, false);
    PrintTimeTable("Click on the already selected tab", results, &Result::clickMs, true);
    printf("\n| N | rows listed | refreshes per click | click / one refresh |\n|---:|---:|---:|---:|\n");
    for (size_t i = 0; i < results.size(); ++i)
        printf("| %d | %d | %.0f | %.2f |\n", results[i].n, results[i].rows, results[i].refreshesPerClick,
               results[i].refreshMs > 0 ? results[i].clickMs / results[i].refreshMs : 0.0);
    printf("\n### The platform's desktop.ini scan\n\n"
           "Two copies of Send To (attributes 0x%lx) in the bench's own prefix, one with a desktop.ini. "
           "ms per shortcut; growth is the rise in ms per shortcut from the smallest N.\n\n"
           "| N | floor, no ini | floor, ini | refresh model pass, no ini | refresh model pass, ini |"
           " floor growth, no ini | floor growth, ini | share of floor growth that is the scan |\n"
           "|---:|---:|---:|---:|---:|---:|---:|---:|\n",
           GetFileAttributesA(folder));
    for (size_t i = 0; i < results.size(); ++i) {
        const Result& r = results[i];
        const Result& base = results[0];
        double n = r.rows ? r.rows : 1, bn = base.rows ? base.rows : 1;
        double growPlain = r.floorPlainMs / n - base.floorPlainMs / bn;
        double growIni = r.floorIniMs / n - base.floorIniMs / bn;
        char share[32] = "-";
        if (i > 0 && growPlain > 0)
            snprintf(share, sizeof(share), "%.0f %%", 100.0 * (growPlain - growIni) / growPlain);
        printf("| %d | %.3f | %.3f | %.3f | %.3f | %.3f | %.3f | %s |\n", r.n, r.floorPlainMs / n, r.floorIniMs / n,
               r.modelPlainMs / n, r.modelIniMs / n, growPlain, growIni, share);
    }
    printf("\n### Peak memory of the benchmark process (main window and list loaded)\n\n"
           "| N | peak working set MiB | peak pagefile usage MiB |\n|---:|---:|---:|\n");
    for (size_t i = 0; i < results.size(); ++i)
        printf("| %d | %.1f | %.1f |\n", results[i].n, Mib(results[i].peakWorkingSet), Mib(results[i].peakPagefile));

    DestroyWindow(window);
    Pump();
    RemoveBenchLinks(folder);
    RemoveBenchLinks(plainCopy);
    RemoveBenchLinks(iniCopy);
    CoUninitialize();
    return 0;
}
