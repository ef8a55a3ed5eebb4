// Start-up benchmark: launches Quiverdesk.exe several times and times process creation to its
// main window being shown, and to its first idle wait for input (the window painted).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench/bench_clock.h"

namespace {


// The main window of process id once it is visible, or null after the time-out.
HWND WaitForVisibleWindow(DWORD processId, HANDLE process)
{
    DWORD start = GetTickCount();
    while (GetTickCount() - start < 30000) {
        HWND window = FindWindowA("QUIVERDESK", 0);
        DWORD owner = 0;
        if (window)
            GetWindowThreadProcessId(window, &owner);
        if (window && owner == processId && IsWindowVisible(window))
            return window;
        if (WaitForSingleObject(process, 0) == WAIT_OBJECT_0)
            return 0;
        Sleep(1);
    }
    return 0;
}

// One launch: false when the window never showed or the program did not close cleanly.
bool Launch(const char* exe, double* visibleMs, double* idleMs)
{
    char commandLine[MAX_PATH + 2];
    snprintf(commandLine, sizeof(commandLine), "\"%s\"", exe);
    STARTUPINFOA startup;
    ZeroMemory(&startup, sizeof(startup));
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info;
    double start = NowMs();
    if (!CreateProcessA(exe, commandLine, 0, 0, FALSE, 0, 0, 0, &startup, &info))
        return false;
    HWND window = WaitForVisibleWindow(info.dwProcessId, info.hProcess);
    *visibleMs = NowMs() - start;
    *idleMs = WaitForInputIdle(info.hProcess, 30000) == 0 ? NowMs() - start : -1;
    DWORD exitCode = 1;
    if (window)
        PostMessageA(window, WM_CLOSE, 0, 0);
    if (!window || WaitForSingleObject(info.hProcess, 30000) != WAIT_OBJECT_0)
        TerminateProcess(info.hProcess, 1);
    GetExitCodeProcess(info.hProcess, &exitCode);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return window && exitCode == 0;
}

void PrintRow(const char* what, const std::vector<double>& values)
{
    printf("| %s | %d | %.0f | %.0f | %.0f |\n", what, static_cast<int>(values.size()), Median(values),
           *std::min_element(values.begin(), values.end()), *std::max_element(values.begin(), values.end()));
}

}  // namespace

int main(int argc, char** argv)
{
    char exe[MAX_PATH];
    if (argc > 1) {
        lstrcpynA(exe, argv[1], sizeof(exe));
    } else {
        // Quiverdesk.exe lies beside this program.
        DWORD length = GetModuleFileNameA(0, exe, sizeof(exe));
        char* name = exe;
        for (char* p = exe; *p; p = CharNextA(p))
            if (*p == '\\')
                name = p + 1;
        if (!length || name - exe + sizeof("Quiverdesk.exe") > sizeof(exe))
            return 1;
        lstrcpyA(name, "Quiverdesk.exe");
    }
    int runs = argc > 2 ? atoi(argv[2]) : 5;

    double firstVisible = 0, firstIdle = 0;
    if (!Launch(exe, &firstVisible, &firstIdle)) {
        fprintf(stderr, "startup_bench: %s did not start and close cleanly\n", exe);
        return 1;
    }
    std::vector<double> visible, idle;
    for (int run = 0; run < runs; ++run) {
        double visibleMs = 0, idleMs = 0;
        if (!Launch(exe, &visibleMs, &idleMs)) {
            fprintf(stderr, "startup_bench: run %d failed\n", run);
            return 1;
        }
        visible.push_back(visibleMs);
        if (idleMs >= 0)
            idle.push_back(idleMs);
    }
    printf("First launch (not counted): window shown after %.0f ms. Each launch closed with WM_CLOSE, exit code 0.\n\n"
           "| from CreateProcess to | runs | median ms | min ms | max ms |\n|---|---:|---:|---:|---:|\n",
           firstVisible);
    PrintRow("main window visible", visible);
    if (!idle.empty())
        PrintRow("first idle wait for input (window painted)", idle);
    return 0;
}
