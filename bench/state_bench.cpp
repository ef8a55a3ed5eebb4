// State benchmark: per kind of shortcut, the refresh of N of them and the state pass (target checks and duplicate
// sort) timed alone on the list it left; the difference is the refresh without the column. state_bench [N...]
#include "bench/bench.h"
#include "model/shortcut_list.h"
#include "model/shortcut_state.h"
#include "model/startup_switch.h"

namespace {

struct Kind {
    const char* name;
    const wchar_t* target;  // null: the file is no shortcut at all
    bool startup;           // in the Startup folder, each one switched off
};

// C:\qd-bench-target.txt is made present; the share, R: (an optical drive in the bench's prefix)
// and the missing file are never there.
const Kind kKinds[] = {
    {"target present (one attribute call each)", L"C:\\qd-bench-target.txt", false},
    {"リンク先なし: target missing", L"C:\\qd-bench-missing\\tool.exe", false},
    {"確認できません: target on a share", L"\\\\server\\share\\tool.exe", false},
    {"確認できません: target on an optical drive", L"R:\\setup.exe", false},
    {"読み込めません: not a shortcut", 0, false},
    {"無効: switched off in the registry, target present", L"C:\\qd-bench-target.txt", true},
};

// N files of the kind in folder, the rest byte copies of the first; their switches off for Startup.
bool Fill(const std::wstring& folder, const Kind& kind, int n)
{
    if ((!kind.target && !CopyFileW(L"C:\\qd-bench-target.txt", (folder + L"\\qd-state-00000.lnk").c_str(), FALSE))
        || !FillFolder(folder, L"qd-state-", n, {kind.target ? kind.target : L""}))
        return false;
    if (kind.startup)
        for (const std::wstring& name : FilesMatching(folder, L"qd-state-*.lnk"))
            SetStartupSwitch(name.c_str(), false);
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    BenchSession bench;
    CloseHandle(CreateFileW(L"C:\\qd-bench-target.txt", GENERIC_WRITE, 0, 0, CREATE_ALWAYS, 0, 0));
    printf("Times are medians of 3 runs, ms per row. \"state pass\" is the target checks and the duplicate\n"
           "sort on the list the refresh left; \"without the column\" is the refresh less that pass.\n\n"
           "| kind | N | refresh with the column | state pass | refresh without the column | share of the refresh |\n"
           "|---|---:|---:|---:|---:|---:|\n");
    for (const Kind& kind : kKinds) {
        const std::wstring folder = kind.startup ? bench.startup : bench.sendTo;
        TabCtrl_SetCurSel(GetDlgItem(bench.window, CTRL_TABS), kind.startup ? 1 : 0);
        for (int n : NumbersAsked(argc, argv, {100, 1000})) {
            if (!Fill(folder, kind, n))
                return fprintf(stderr, "state_bench: could not fill the folder\n"), 1;
            RefreshShortcuts(bench.window);  // warms the caches; every run then sees the same state
            double with = MedianMs(3, [&] { RefreshShortcuts(bench.window); }) / n;
            double alone = MedianMs(3, [] { CheckShortcutStates(g_shortcutList); }) / n;  // on the list left
            printf("| %s | %d | %.3f | %.3f | %.3f | %.0f %% |\n", kind.name, n, with, alone, with - alone,
                   with > 0 ? 100.0 * alone / with : 0.0);
            fprintf(stderr, "state_bench: %s, N=%d done\n", kind.name, n);
        }
        for (const std::wstring& name : FilesMatching(folder, L"qd-state-*.lnk", true))
            if (kind.startup)  // only the values it wrote: the key may hold others
                RegDeleteKeyValueW(HKEY_CURRENT_USER, kSwitchKey, name.c_str());
    }
    DeleteFileW(L"C:\\qd-bench-target.txt");
    return 0;
}
