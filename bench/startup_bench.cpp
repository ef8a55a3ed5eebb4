// Start-up benchmark: launches Quiverdesk.exe and a bare window with a tab control (bare_window.exe)
// in turn, several times each, and times process creation to the main window being shown, and to
// its first idle wait for input (the window painted), both programs in the same run.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench/bench_clock.h"

namespace {


// The main window of process id once it is visible, or null after the time-out.
HWND WaitForVisibleWindow(const char* className, DWORD processId, HANDLE process)
{
    DWORD start = GetTickCount();
    while (GetTickCount() - start < 30000) {
        HWND window = FindWindowA(className, 0);
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
bool Launch(const char* exe, const char* className, double* visibleMs, double* idleMs)
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
    HWND window = WaitForVisibleWindow(className, info.dwProcessId, info.hProcess);
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

void PrintRow(const char* program, const char* what, const std::vector<double>& values)
{
    printf("| %s | %s | %d | %.0f | %.0f | %.0f |\n", program, what, static_cast<int>(values.size()), Median(values),
           *std::min_element(values.begin(), values.end()), *std::max_element(values.begin(), values.end()));
}

// name, with the folder of path in front of it, into out.
bool Beside(const char* path, const char* name, char* out, size_t size)
{
    lstrcpynA(out, path, static_cast<int>(size));
    char* file = out;
    for (char* p = out; *p; p = CharNextA(p))
        if (*p == '\\' || *p == '/')
            file = p + 1;
    if (static_cast<size_t>(file - out) + lstrlenA(name) + 1 > size)
        return false;
    lstrcpyA(file, name);
    return true;
}

struct Program {
    char label[MAX_PATH];
    char exe[MAX_PATH];
    const char* className;
    std::vector<double> visible, idle;
};

}  // namespace

// startup_bench [runs [quiverdesk.exe...]]: every Quiverdesk given (the one beside this program
// by default) and the bare window, launched in turn.
int main(int argc, char** argv)
{
    char self[MAX_PATH];
    if (!GetModuleFileNameA(0, self, sizeof(self)))
        return 1;
    int runs = argc > 1 ? atoi(argv[1]) : 5;
    std::vector<Program> programs(argc > 2 ? argc - 2 + 1 : 2);
    for (size_t i = 0; i + 1 < programs.size(); ++i) {
        programs[i].className = "QUIVERDESK";
        if (argc > 2)
            lstrcpynA(programs[i].exe, argv[2 + i], MAX_PATH);
        else if (!Beside(self, "Quiverdesk.exe", programs[i].exe, MAX_PATH))
            return 1;
        lstrcpynA(programs[i].label, programs[i].exe, MAX_PATH);
    }
    Program& bare = programs.back();
    bare.className = "QDBAREWINDOW";
    lstrcpyA(bare.label, "bare window with tabs");
    if (!Beside(self, "bare_window.exe", bare.exe, MAX_PATH))
        return 1;

    // One launch of each first, not counted: it warms the caches both will share.
    for (Program& program : programs) {
        double visibleMs = 0, idleMs = 0;
        if (!Launch(program.exe, program.className, &visibleMs, &idleMs)) {
            fprintf(stderr, "startup_bench: %s did not start and close cleanly\n", program.exe);
            return 1;
        }
    }
    // Interleaved, so a slow moment of the machine falls on both alike.
    for (int run = 0; run < runs; ++run) {
        for (Program& program : programs) {
            double visibleMs = 0, idleMs = 0;
            if (!Launch(program.exe, program.className, &visibleMs, &idleMs)) {
                fprintf(stderr, "startup_bench: run %d of %s failed\n", run, program.exe);
                return 1;
            }
            program.visible.push_back(visibleMs);
            if (idleMs >= 0)
                program.idle.push_back(idleMs);
        }
    }
    printf("Launches interleaved, after one uncounted launch of each. Each closed with WM_CLOSE, exit code 0.\n\n"
           "| program | from CreateProcess to | runs | median ms | min ms | max ms |\n|---|---|---:|---:|---:|---:|\n");
    for (Program& program : programs) {
        PrintRow(program.label, "main window visible", program.visible);
        if (!program.idle.empty())
            PrintRow(program.label, "first idle wait for input (window painted)", program.idle);
    }
    printf("\n| program | / bare window, to visible | / bare window, to painted |\n|---|---:|---:|\n");
    for (size_t i = 0; i + 1 < programs.size(); ++i)
        printf("| %s | %.2f | %.2f |\n", programs[i].label, Median(programs[i].visible) / Median(bare.visible),
               bare.idle.empty() ? 0.0 : Median(programs[i].idle) / Median(bare.idle));
    return 0;
}
