// Start-up benchmark: launches Quiverdesk.exe, a bare window with a tab control (bare_window.exe)
// and that window with Quiverdesk's kinds of controls (bare_controls.exe) in turn, several times
// each, and times process creation to the main window being shown, and to its first idle wait for
// input (the first folder listed), all in the same run. The first paint is timed from the inside:
// the bare windows and first_paint_quiverdesk.exe (Quiverdesk's start step for step) report their
// own process's creation to their window painted whole.
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

// What the program wrote to its standard output by now, as milliseconds; -1 for nothing.
double ReadReport(HANDLE pipe)
{
    char text[32] = "";
    DWORD available = 0, read = 0;
    if (!PeekNamedPipe(pipe, 0, 0, 0, &available, 0) || !available || !ReadFile(pipe, text, sizeof(text) - 1, &read, 0))
        return -1;
    text[read] = '\0';
    return atof(text);
}

// One launch: false when the window never showed or the program did not close cleanly. A program
// that reports its first paint has it in *paintedMs, -1 otherwise.
bool Launch(const char* exe, const char* className, double* visibleMs, double* idleMs, double* paintedMs)
{
    char commandLine[MAX_PATH + 2];
    snprintf(commandLine, sizeof(commandLine), "\"%s\"", exe);
    SECURITY_ATTRIBUTES inherit = {sizeof(inherit), 0, TRUE};
    HANDLE readEnd = 0, writeEnd = 0;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0))
        return false;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup;
    ZeroMemory(&startup, sizeof(startup));
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    PROCESS_INFORMATION info;
    double start = NowMs();
    BOOL created = CreateProcessA(exe, commandLine, 0, 0, TRUE, 0, 0, 0, &startup, &info);
    CloseHandle(writeEnd);
    if (!created) {
        CloseHandle(readEnd);
        return false;
    }
    HWND window = WaitForVisibleWindow(className, info.dwProcessId, info.hProcess);
    *visibleMs = NowMs() - start;
    *idleMs = WaitForInputIdle(info.hProcess, 30000) == 0 ? NowMs() - start : -1;
    *paintedMs = ReadReport(readEnd);
    CloseHandle(readEnd);
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
    std::vector<double> visible, idle, painted;
};

}  // namespace

// startup_bench [runs [quiverdesk.exe...]]: every Quiverdesk given (the one beside this program
// by default) and the yardsticks, launched in turn.
int main(int argc, char** argv)
{
    char self[MAX_PATH];
    if (!GetModuleFileNameA(0, self, sizeof(self)))
        return 1;
    int runs = argc > 1 ? atoi(argv[1]) : 5;
    std::vector<Program> programs(argc > 2 ? argc - 2 : 1);
    for (size_t i = 0; i < programs.size(); ++i) {
        programs[i].className = "QUIVERDESK";
        if (argc > 2)
            lstrcpynA(programs[i].exe, argv[2 + i], MAX_PATH);
        else if (!Beside(self, "Quiverdesk.exe", programs[i].exe, MAX_PATH))
            return 1;
        lstrcpynA(programs[i].label, programs[i].exe, MAX_PATH);
    }
    // Last, in this order: Quiverdesk's start timed from the inside (for the first paint only),
    // the bare window with every kind of control Quiverdesk shows, and the bare window.
    const Program yardsticks[] = {
        {"Quiverdesk, timed inside", "first_paint_quiverdesk.exe", "QUIVERDESK", {}, {}, {}},
        {"bare window with Quiverdesk's controls", "bare_controls.exe", "QDBAREWINDOW", {}, {}, {}},
        {"bare window with tabs", "bare_window.exe", "QDBAREWINDOW", {}, {}, {}}};
    for (const Program& yardstick : yardsticks) {
        programs.push_back(yardstick);
        if (!Beside(self, yardstick.exe, programs.back().exe, MAX_PATH))
            return 1;
    }
    const Program& twin = programs[programs.size() - 3];
    const Program& alike = programs[programs.size() - 2];
    const Program& bare = programs.back();

    // One launch of each first, not counted: it warms the caches both will share.
    for (Program& program : programs) {
        double visibleMs = 0, idleMs = 0, paintedMs = 0;
        if (!Launch(program.exe, program.className, &visibleMs, &idleMs, &paintedMs)) {
            fprintf(stderr, "startup_bench: %s did not start and close cleanly\n", program.exe);
            return 1;
        }
    }
    // Interleaved, so a slow moment of the machine falls on both alike.
    for (int run = 0; run < runs; ++run) {
        for (Program& program : programs) {
            double visibleMs = 0, idleMs = 0, paintedMs = 0;
            if (!Launch(program.exe, program.className, &visibleMs, &idleMs, &paintedMs)) {
                fprintf(stderr, "startup_bench: run %d of %s failed\n", run, program.exe);
                return 1;
            }
            if (paintedMs >= 0)
                program.painted.push_back(paintedMs);
            program.visible.push_back(visibleMs);
            if (idleMs >= 0)
                program.idle.push_back(idleMs);
        }
    }
    printf("Launches interleaved, after one uncounted launch of each. Each closed with WM_CLOSE, exit code 0.\n\n"
           "| program | from process start to | runs | median ms | min ms | max ms |\n|---|---|---:|---:|---:|---:|\n");
    for (const Program& program : programs) {
        if (!program.painted.empty())
            PrintRow(program.label, "window painted whole (timed inside)", program.painted);
        if (&program == &twin || &program == &alike)
            continue;
        PrintRow(program.label, "main window visible", program.visible);
        if (!program.idle.empty())
            PrintRow(program.label, "first idle wait for input (first folder listed)", program.idle);
    }
    printf("\n| program / bare window | to first paint | to visible | to first idle |\n|---|---:|---:|---:|\n");
    for (size_t i = 0; i + 3 < programs.size(); ++i) {
        printf("| %s | ", programs[i].label);
        if (i == 0)
            printf("%.2f", Median(twin.painted) / Median(bare.painted));
        printf(" | %.2f | %.2f |\n", Median(programs[i].visible) / Median(bare.visible),
               bare.idle.empty() ? 0.0 : Median(programs[i].idle) / Median(bare.idle));
    }
    printf("\n| painted whole, ratio of medians | |\n|---|---:|\n");
    printf("| bare window with Quiverdesk's controls / bare window | %.2f |\n",
           Median(alike.painted) / Median(bare.painted));
    printf("| Quiverdesk / bare window with Quiverdesk's controls | %.2f |\n",
           Median(twin.painted) / Median(alike.painted));
    return 0;
}
