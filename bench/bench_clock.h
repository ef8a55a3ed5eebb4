// What both benchmarks time with: a millisecond clock and the median of repeated runs.
#ifndef QUIVERDESK_BENCH_BENCH_CLOCK_H
#define QUIVERDESK_BENCH_BENCH_CLOCK_H

#include <windows.h>

#include <algorithm>
#include <vector>

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

#endif
