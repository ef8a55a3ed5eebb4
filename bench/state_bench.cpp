// State benchmark: what the state column costs. For each kind of shortcut, a folder of N of them
// is refreshed on the real main window, and the state pass (target checks and the duplicate sort)
// is timed alone on the list the refresh left; the refresh without the column is the difference.
// Every folder holds copies of one shortcut, so every row of a kind with a target is a duplicate:
// the sort that finds them runs in every row of the table, whatever it finds.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/quiverdesk.h"
#include "bench/bench_clock.h"
#include "commands/refresh.h"
#include "controls/main_tabs.h"
#include "model/shortcut_file.h"
#include "model/shortcut_list.h"
#include "model/shortcut_state.h"
#include "model/startup_switch.h"

namespace {

const char kSwitchKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\StartupFolder";

struct Kind {
    const char* name;
    const char* target;  // null: the file is no shortcut at all
    bool startup;        // in the Startup folder, each one switched off
};

// C:\qd-bench-target.txt is made present; the share, R: (an optical drive in the bench's prefix)
// and the missing file are never there.
const Kind kKinds[] = {
    {"target present (one attribute call each)", "C:\\qd-bench-target.txt", false},
    {"リンク先なし: target missing", "C:\\qd-bench-missing\\tool.exe", false},
    {"確認できません: target on a share", "\\\\server\\share\\tool.exe", false},
    {"確認できません: target on an optical drive", "R:\\setup.exe", false},
    {"読み込めません: not a shortcut", 0, false},
    {"無効: switched off in the registry, target present", "C:\\qd-bench-target.txt", true},
};

void Pump()
{
    MSG message;
    while (PeekMessageA(&message, 0, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void EmptyBenchFolder(const std::string& folder)
{
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((folder + "\\qd-state-*.lnk").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do
        DeleteFileA((folder + "\\" + entry.cFileName).c_str());
    while (FindNextFileA(search, &entry));
    FindClose(search);
}

// N files of the kind in folder: one written, the rest its byte copies.
bool Fill(const std::string& folder, const Kind& kind, int n)
{
    EmptyBenchFolder(folder);
    RegDeleteKeyA(HKEY_CURRENT_USER, kSwitchKey);
    std::string first = folder + "\\qd-state-00000.lnk";
    bool ok = kind.target ? CreateShortcutFile(Widen(kind.target).c_str(), L"", L"", SW_SHOWNORMAL,
                                               Widen(first.c_str()).c_str())
                          : CopyFileA("C:\\qd-bench-target.txt", first.c_str(), FALSE) != FALSE;
    for (int i = 0; ok && i < n; ++i) {
        char name[32];
        snprintf(name, sizeof(name), "qd-state-%05d.lnk", i);
        if (i > 0)
            ok = CopyFileA(first.c_str(), (folder + "\\" + name).c_str(), FALSE) != FALSE;
        if (kind.startup)
            SetStartupSwitch(Widen(name).c_str(), false);
    }
    return ok;
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<int> sizes = SizesAskedFor(argc, argv, {100, 1000});
    if (!GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version")) {
        fprintf(stderr, "state_bench: fills Send To, Startup and the Startup switches; it runs under Wine only\n");
        return 2;
    }
    CoInitialize(0);
    char sendTo[MAX_PATH], startup[MAX_PATH];
    if (!SHGetSpecialFolderPathA(0, sendTo, CSIDL_SENDTO, TRUE)
        || !SHGetSpecialFolderPathA(0, startup, CSIDL_STARTUP, TRUE))
        return 1;
    HANDLE target = CreateFileA("C:\\qd-bench-target.txt", GENERIC_WRITE, 0, 0, CREATE_ALWAYS, 0, 0);
    CloseHandle(target);

    HINSTANCE instance = GetModuleHandleA(0);
    LoadMainWindowTexts(instance);
    RegisterMainClass(instance);
    HWND window = CreateMainWindow(instance, SW_SHOWNORMAL);
    if (!window)
        return 1;
    Pump();

    printf("Times are medians of 3 runs, ms per row. \"state pass\" is the target checks and the duplicate\n"
           "sort on the list the refresh left; \"without the column\" is the refresh less that pass.\n\n"
           "| kind | N | refresh with the column | state pass | refresh without the column | share of the refresh |\n"
           "|---|---:|---:|---:|---:|---:|\n");
    for (const Kind& kind : kKinds) {
        std::string folder = kind.startup ? startup : sendTo;
        TabCtrl_SetCurSel(GetDlgItem(window, CTRL_TABS), kind.startup ? 1 : 0);
        for (int n : sizes) {
            if (!Fill(folder, kind, n)) {
                fprintf(stderr, "state_bench: could not fill %s\n", folder.c_str());
                return 1;
            }
            RefreshShortcuts(window);  // warms the caches; every run then sees the same state
            std::vector<double> refresh, pass;
            for (int run = 0; run < 3; ++run) {
                double start = NowMs();
                RefreshShortcuts(window);
                refresh.push_back(NowMs() - start);
                Pump();
                start = NowMs();
                CheckShortcutStates(g_shortcutList);
                pass.push_back(NowMs() - start);
            }
            double with = Median(refresh) / n, alone = Median(pass) / n;
            printf("| %s | %d | %.3f | %.3f | %.3f | %.0f %% |\n", kind.name, n, with, alone, with - alone,
                   with > 0 ? 100.0 * alone / with : 0.0);
            fprintf(stderr, "state_bench: %s, N=%d done\n", kind.name, n);
        }
        EmptyBenchFolder(folder);
    }
    RegDeleteKeyA(HKEY_CURRENT_USER, kSwitchKey);
    DeleteFileA("C:\\qd-bench-target.txt");
    DestroyWindow(window);
    Pump();
    CoUninitialize();
    return 0;
}
