// What the benchmarks share on top of the harness (tests/support/harness.h): a millisecond clock,
// medians, the first paint a start-up yardstick reports, folders filled, and the real main window.
#ifndef QUIVERDESK_BENCH_BENCH_H
#define QUIVERDESK_BENCH_BENCH_H

#include "commands/refresh.h"
#include "commands/row_filler.h"
#include "model/shortcut_list.h"
#include "model/shortcut_file.h"
#include "tests/support/harness.h"
#include <chrono>
#include <psapi.h>  // after windows.h, which it needs

inline double NowMs()
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

template <typename Work>
double TimeMs(Work work)
{
    double start = NowMs();
    work();
    return NowMs() - start;
}

// A time or a span in FILETIME's units of 100 ns, in ms.
inline double Ms(const FILETIME& time)
{
    return static_cast<double>(ULARGE_INTEGER{{time.dwLowDateTime, time.dwHighDateTime}}.QuadPart) / 1e4;
}

// A listing read whole and every row filled, as a tab's first listing reads it: nothing is taken
// from the listing before. The ms until the rows are named and the window would take messages.
inline double ListAfresh(HWND window)
{
    g_shortcutList.RemoveAll();
    const double start = NowMs();
    RefreshShortcuts(window);
    const double named = NowMs() - start;
    while (FillRowsForAWhile()) {
    }
    return named;
}

inline double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    size_t mid = values.size() / 2;
    return values.empty() ? 0 : values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

// The median time of runs of work, the messages each leaves pumped after it, untimed.
template <typename Work>
double MedianMs(int runs, Work work)
{
    std::vector<double> times;
    for (int run = 0; run < runs; ++run, PumpMessages())
        times.push_back(TimeMs(work));
    return Median(times);
}

// The time from this process's creation to now, written to the standard output the start-up
// benchmark handed over (nothing when there is none): called once the window is painted whole.
inline void ReportFirstPaint()
{
    FILETIME creation, exit, kernel, user, now;
    GetProcessTimes(GetCurrentProcess(), &creation, &exit, &kernel, &user);
    GetSystemTimeAsFileTime(&now);
    char text[32];
    DWORD length = snprintf(text, sizeof(text), "%.1f\n", Ms(now) - Ms(creation));
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text, length, &length, 0);  // fails harmlessly without one
}

// folder\<prefix>NNNNN.lnk for every NNNNN below n that is missing, to the targets in turn. Saving a link costs Wine
// up to 100 ms, so only the first to each target is saved; the rest are its byte copies. False on a failure.
inline bool FillFolder(const std::wstring& folder, const wchar_t* prefix, int n,
                       const std::vector<std::wstring>& targets)
{
    std::vector<std::wstring> links;
    for (int i = 0; i < n; ++i) {
        wchar_t name[MAX_PATH];
        wsprintfW(name, L"\\%s%05d.lnk", prefix, i);
        links.push_back(folder + name);
        const wchar_t* link = links.back().c_str();
        size_t kind = i % targets.size();
        if (GetFileAttributesW(link) == INVALID_FILE_ATTRIBUTES
            && !(i < static_cast<int>(targets.size())
                     ? CreateShortcutFile(targets[kind].c_str(), L"", L"", SW_SHOWNORMAL, link)
                     : CopyFileW(links[kind].c_str(), link, FALSE)))
            return false;
    }
    return true;
}

// N values of the user's Run key, prefix00000 and on, each starting notepad with its own number;
// with present false, those values go. A prefix no one else's names match keeps others' values.
inline void SetRunValues(const wchar_t* prefix, int n, bool present)
{
    const wchar_t kRun[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    for (int i = 0; i < n; ++i) {
        wchar_t name[32], line[64];
        wsprintfW(name, L"%s%05d", prefix, i);
        wsprintfW(line, L"\"C:\\windows\\notepad.exe\" /n %05d", i);
        if (present)
            RegSetKeyValueW(HKEY_CURRENT_USER, kRun, name, REG_SZ, line, (lstrlenW(line) + 1) * sizeof(wchar_t));
        else
            RegDeleteKeyValueW(HKEY_CURRENT_USER, kRun, name);
    }
}

// The positive numbers among a program's arguments, in their order; the defaults when none is.
inline std::vector<int> NumbersAsked(int argc, char** argv, std::vector<int> defaults)
{
    std::vector<int> numbers;
    for (int i = 1; i < argc; ++i)
        if (atoi(argv[i]) > 0)
            numbers.push_back(atoi(argv[i]));
    return numbers.empty() ? defaults : numbers;
}

inline PROCESS_MEMORY_COUNTERS ProcessMemory()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    return counters;
}

// An in-process benchmark's session, refused outside its own prefix: COM for the shell, the two
// folders benchmarks fill, and the real main window, closed again at the end.
struct BenchSession {
    std::wstring sendTo, startup;
    HWND window;
    BenchSession()
    {
        RefuseOutsideOwnPrefix();
        CoInitialize(0);
        wchar_t path[2][MAX_PATH] = {};
        SHGetSpecialFolderPathW(0, path[0], CSIDL_SENDTO, TRUE);
        SHGetSpecialFolderPathW(0, path[1], CSIDL_STARTUP, TRUE);
        sendTo = path[0], startup = path[1], window = StartMainWindow();
    }
    BenchSession(const BenchSession&) = delete;  // the window is closed once
    ~BenchSession()
    {
        DestroyWindow(window);
        PumpMessages();
        CoUninitialize();
    }
};

#endif
