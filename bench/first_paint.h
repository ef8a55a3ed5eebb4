// What the start-up benchmark's in-process programs report: the time from their own process's
// creation to the moment their window is painted whole, written to the standard output the
// benchmark handed over (nothing when there is none).
#ifndef QUIVERDESK_BENCH_FIRST_PAINT_H
#define QUIVERDESK_BENCH_FIRST_PAINT_H

#include <windows.h>

#include <cstdio>

inline void ReportFirstPaint()
{
    FILETIME creation, exit, kernel, user, now;
    GetProcessTimes(GetCurrentProcess(), &creation, &exit, &kernel, &user);
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER from = {{creation.dwLowDateTime, creation.dwHighDateTime}};
    ULARGE_INTEGER to = {{now.dwLowDateTime, now.dwHighDateTime}};
    char text[32];
    int length = snprintf(text, sizeof(text), "%.1f\n", static_cast<double>(to.QuadPart - from.QuadPart) / 10000.0);
    DWORD written = 0;
    HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    if (output && output != INVALID_HANDLE_VALUE)
        WriteFile(output, text, length, &written, 0);
}

#endif
