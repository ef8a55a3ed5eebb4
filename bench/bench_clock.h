// What the benchmarks time with: a millisecond clock, the median of repeated runs, and the
// folder sizes asked for on the command line; and the UTF-16 form of their ASCII paths.
#ifndef QUIVERDESK_BENCH_BENCH_CLOCK_H
#define QUIVERDESK_BENCH_BENCH_CLOCK_H

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

// The benchmarks name their files in ASCII; the program takes UTF-16.
inline std::wstring Widen(const char* text)
{
    return std::wstring(text, text + strlen(text));
}

inline double NowMs()
{
    static double msPerTick = 0;
    LARGE_INTEGER now;
    if (msPerTick == 0) {
        QueryPerformanceFrequency(&now);
        msPerTick = 1000.0 / static_cast<double>(now.QuadPart);
    }
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * msPerTick;
}

inline double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

// The positive numbers among the arguments, smallest first; the defaults when there are none.
inline std::vector<int> SizesAskedFor(int argc, char** argv, std::initializer_list<int> defaults)
{
    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i) {
        if (atoi(argv[i]) > 0)
            sizes.push_back(atoi(argv[i]));
    }
    if (sizes.empty())
        sizes.assign(defaults);
    std::sort(sizes.begin(), sizes.end());
    return sizes;
}

#endif
