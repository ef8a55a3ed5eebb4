// State benchmark: per kind of shortcut, the refresh of N of them and the state pass (target checks and duplicate
// sort) timed alone on the list it left; the difference is the refresh without the column. state_bench [N...]
#include "bench/bench.h"
#include "model/shortcut_list.h"
#include "model/shortcut_state.h"
#include "model/startup_switch.h"

namespace {

struct Kind {
    const char* name;
    const wchar_t* target;  // null: no shortcut at all, but copies of the target file
    bool startup;           // in the Startup folder, each one switched off
};

// The target is made present; the share, R: (an optical drive in the bench's prefix) and the
// missing file are never there.
const wchar_t kTarget[] = L"C:\\qd-bench-target.txt";
const Kind kKinds[] = {
    {"target present (one attribute call each)", kTarget, false},
    {"リンク先なし: target missing", L"C:\\qd-bench-missing\\tool.exe", false},
    {"確認できません: target on a share", L"\\\\server\\share\\tool.exe", false},
    {"確認できません: target on an optical drive", L"R:\\setup.exe", false},
    {"読み込めません: not a shortcut", 0, false},
    {"無効: switched off in the registry, target present", kTarget, true},
};

}  // namespace

int main(int argc, char** argv)
{
    BenchSession bench;
    CloseHandle(CreateFileW(kTarget, GENERIC_WRITE, 0, 0, CREATE_ALWAYS, 0, 0));
    printf("Times are medians of 3 runs, ms per row. \"state pass\" is the target checks and the duplicate\n"
           "sort on the list the refresh left; \"without the column\" is the refresh less that pass.\n\n"
           "| kind | N | refresh with the column | state pass | refresh without the column | share of the refresh |\n"
           "|---|---:|---:|---:|---:|---:|\n");
    for (const Kind& kind : kKinds) {
        const std::wstring folder = kind.startup ? bench.startup : bench.sendTo;
        TabCtrl_SetCurSel(GetDlgItem(bench.window, CTRL_TABS), kind.startup ? 1 : 0);
        for (int n : NumbersAsked(argc, argv, {100, 1000})) {
            if ((!kind.target && !CopyFileW(kTarget, (folder + L"\\qd-state-00000.lnk").c_str(), FALSE))
                || !FillFolder(folder, L"qd-state-", n, {kind.target ? kind.target : L""}))
                return fprintf(stderr, "state_bench: could not fill the folder\n"), 1;
            if (kind.startup)
                for (const std::wstring& name : FilesMatching(folder, L"qd-state-*.lnk"))
                    SetStartupSwitch(name.c_str(), false);
            ListAfresh(bench.window);  // warms the caches; every run then sees the same state
            double with = MedianMs(3, [&] { ListAfresh(bench.window); }) / n;
            double alone = MedianMs(3, [] { CheckShortcutStates(g_shortcutList); }) / n;  // on the list left
            printf("| %s | %d | %.3f | %.3f | %.3f | %.0f %% |\n", kind.name, n, with, alone, with - alone,
                   with > 0 ? 100.0 * alone / with : 0.0);
            fprintf(stderr, "state_bench: %s, N=%d done\n", kind.name, n);
        }
        for (const std::wstring& name : FilesMatching(folder, L"qd-state-*.lnk", true))
            if (kind.startup)  // only the values it wrote: the key may hold others
                RegDeleteKeyValueW(HKEY_CURRENT_USER, kSwitchKey, name.c_str());
    }
    DeleteFileW(kTarget);
    return 0;
}
