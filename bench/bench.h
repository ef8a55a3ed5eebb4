// What the benchmarks share beyond the harness (tests/support/harness.h): a millisecond clock,
// the median of repeated runs, the first paint a start-up yardstick reports, and folders filled.
#ifndef QUIVERDESK_BENCH_BENCH_H
#define QUIVERDESK_BENCH_BENCH_H

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "model/shortcut_file.h"

inline double NowMs()
{
    LARGE_INTEGER now, perSecond;
    QueryPerformanceFrequency(&perSecond);
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(perSecond.QuadPart);
}

inline double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

// The time from this process's creation to now, written to the standard output the start-up
// benchmark handed over (nothing when there is none): called once the window is painted whole.
inline void ReportFirstPaint()
{
    FILETIME creation, exit, kernel, user, now;
    GetProcessTimes(GetCurrentProcess(), &creation, &exit, &kernel, &user);
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER from = {{creation.dwLowDateTime, creation.dwHighDateTime}};
    ULARGE_INTEGER to = {{now.dwLowDateTime, now.dwHighDateTime}};
    char text[32];
    DWORD length = snprintf(text, sizeof(text), "%.1f\n", static_cast<double>(to.QuadPart - from.QuadPart) / 1e4);
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text, length, &length, 0);  // fails harmlessly without one
}

// folder\<prefix>NNNNN.lnk for every NNNNN below n, pointing at the targets in turn, where it is
// missing. Saving a link costs Wine up to 100 ms, so only the first to each target is written;
// the rest are its byte copies, the very file CreateShortcutFile would write. False on a failure.
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

#endif
