// Start-up benchmark: launches each Quiverdesk given and the yardsticks in turn, timed to shown, to first idle and
// (as they report it) to first paint, with Send To holding the shortcuts asked for.
// startup_bench [runs [shortcuts [quiverdesk.exe...]]] (5 and none, Quiverdesk.exe beside it)
#include "bench/bench.h"

namespace {

struct Program {
    std::string label, exe;
    const char* className;
    bool paintedOnly;                            // a yardstick only for its first paint, timed inside
    std::vector<double> visible, idle, painted;  // ms from process creation
};

// One launch, its times added to the program's: false when the window never showed or the program
// did not close cleanly. A program that reports its first paint writes it to its standard output.
bool Launch(Program& program)
{
    std::string commandLine = "\"" + program.exe + "\"";
    SECURITY_ATTRIBUTES inherit = {sizeof(inherit), 0, TRUE};
    HANDLE readEnd = 0, writeEnd = 0;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0))
        return false;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup), startup.dwFlags = STARTF_USESTDHANDLES, startup.hStdOutput = writeEnd;
    PROCESS_INFORMATION info;
    double start = NowMs();
    BOOL created = CreateProcessA(program.exe.c_str(), &commandLine[0], 0, 0, TRUE, 0, 0, 0, &startup, &info);
    CloseHandle(writeEnd);
    if (!created)
        return CloseHandle(readEnd), false;
    HWND window = 0;  // its main window once visible; none after 30 s or its end
    for (DWORD began = GetTickCount(); !window && GetTickCount() - began < 30000;) {
        if (WaitForSingleObject(info.hProcess, 1) != WAIT_TIMEOUT)
            break;
        DWORD owner = 0;
        window = FindWindowA(program.className, 0);
        if (!GetWindowThreadProcessId(window, &owner) || owner != info.dwProcessId || !IsWindowVisible(window))
            window = 0;
    }
    program.visible.push_back(NowMs() - start);
    if (WaitForInputIdle(info.hProcess, 30000) == 0)
        program.idle.push_back(NowMs() - start);
    char text[32] = "";
    DWORD available = 0, read = 0;
    if (PeekNamedPipe(readEnd, 0, 0, 0, &available, 0) && available && ReadFile(readEnd, text, 31, &read, 0))
        program.painted.push_back(atof(text));
    CloseHandle(readEnd);
    DWORD exitCode = 1;
    if (!window || !PostMessageA(window, WM_CLOSE, 0, 0) || WaitForSingleObject(info.hProcess, 30000) != WAIT_OBJECT_0)
        TerminateProcess(info.hProcess, 1);
    GetExitCodeProcess(info.hProcess, &exitCode);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return window && exitCode == 0;
}

void PrintRow(const Program& program, const char* what, const std::vector<double>& values)
{
    if (!values.empty())
        printf("| %s | %s | %d | %.0f | %.0f | %.0f |\n", program.label.c_str(), what, static_cast<int>(values.size()),
               Median(values), *std::min_element(values.begin(), values.end()),
               *std::max_element(values.begin(), values.end()));
}

}  // namespace

int main(int argc, char** argv)
{
    RefuseOutsideOwnPrefix();
    const std::vector<int> numbers = NumbersAsked(argc, argv, {5});
    const int runs = numbers[0], shortcuts = numbers.size() > 1 ? numbers[1] : 0;
    // Quiverdesk names its rows before its window first shows: its first paint is its first rows.
    wchar_t sendTo[MAX_PATH] = L"";
    SHGetFolderPathW(0, CSIDL_SENDTO, 0, SHGFP_TYPE_CURRENT, sendTo);
    CoInitialize(0);  // the shortcuts are written through the shell's link object
    if (shortcuts && !FillFolder(sendTo, L"qd-start-", shortcuts, {L"C:\\windows\\notepad.exe"}))
        return fprintf(stderr, "startup_bench: Send To could not be filled\n"), 1;
    char self[MAX_PATH] = "";
    GetModuleFileNameA(0, self, MAX_PATH);
    const std::string folder(self, strrchr(self, '\\') + 1);
    std::vector<Program> programs;
    for (int i = 1; i < argc; ++i)
        if (atoi(argv[i]) <= 0)
            programs.push_back({argv[i], argv[i], "QUIVERDESK", false, {}, {}, {}});
    if (programs.empty())
        programs.push_back({"Quiverdesk.exe", folder + "Quiverdesk.exe", "QUIVERDESK", false, {}, {}, {}});
    // Last, in this order: Quiverdesk's start timed from the inside (for the first paint only), the
    // bare window with every kind of control Quiverdesk shows, the same showing Send To's first names,
    // the same with the folder from the shell, the bare window with a list on its tabs, and the bare window.
    // The first four are timed for their first paint only.
    const char* yardsticks[][3] = {{"Quiverdesk, timed inside", "first_paint_quiverdesk.exe", "QUIVERDESK"},
                                   {"bare window with Quiverdesk's controls", "bare_controls.exe", "QDBAREWINDOW"},
                                   {"the same, showing Send To's first names", "bare_names.exe", "QDBAREWINDOW"},
                                   {"the same, the folder asked of the shell", "bare_shell_names.exe", "QDBAREWINDOW"},
                                   {"bare window with tabs and a list", "bare_list.exe", "QDBAREWINDOW"},
                                   {"bare window with tabs", "bare_window.exe", "QDBAREWINDOW"}};
    const size_t ownPrograms = programs.size();
    for (const auto& yardstick : yardsticks)
        programs.push_back(
            {yardstick[0], folder + yardstick[1], yardstick[2], programs.size() < ownPrograms + 4, {}, {}, {}});
    const Program &twin = programs[ownPrograms], &alike = programs[ownPrograms + 1], &named = programs[ownPrograms + 2],
                  &shellNamed = programs[ownPrograms + 3], &listed = programs[ownPrograms + 4], &bare = programs.back();

    // One launch of each first, not counted: it warms the caches all will share. Then the runs
    // interleaved, so a slow moment of the machine falls on all alike.
    for (int run = -1; run < runs; ++run)
        for (Program& program : programs) {
            if (!Launch(program))
                return fprintf(stderr, "startup_bench: run %d of %s failed\n", run, program.exe.c_str()), 1;
            if (run < 0)
                program.visible.clear(), program.idle.clear(), program.painted.clear();
        }
    FilesMatching(sendTo, L"qd-start-*", true);
    printf("Send To holds %d shortcuts of this bench's besides its own. Launches interleaved, after one uncounted "
           "launch of each. Each closed with WM_CLOSE, exit code 0.\n\n",
           shortcuts);
    printf("| program | from process start to | runs | median ms | min ms | max ms |\n|---|---|---:|---:|---:|---:|\n");
    for (const Program& program : programs) {
        PrintRow(program, "window painted whole (timed inside)", program.painted);
        if (!program.paintedOnly) {
            PrintRow(program, "main window visible", program.visible);
            PrintRow(program, "first idle wait for input (first folder listed)", program.idle);
        }
    }
    printf("\n| program / bare window | to first paint | to visible | to first idle |\n|---|---:|---:|---:|\n");
    for (size_t i = 0; i < ownPrograms; ++i) {
        printf("| %s | ", programs[i].label.c_str());
        if (i == 0)
            printf("%.2f", Median(twin.painted) / Median(bare.painted));
        printf(" | %.2f | %.2f |\n", Median(programs[i].visible) / Median(bare.visible),
               bare.idle.empty() ? 0.0 : Median(programs[i].idle) / Median(bare.idle));
    }
    // Quiverdesk names its rows before it first paints: its painted whole is its first rows on screen.
    printf(
        "\n| painted whole, ratio of medians | |\n|---|---:|\n| bare window with Quiverdesk's controls / bare window "
        "| %.2f |\n| Quiverdesk / bare window with Quiverdesk's controls | %.2f |\n| Quiverdesk, rows named / bare "
        "window with tabs and a list | %.2f |\n| Quiverdesk's controls showing Send To's first names / bare window "
        "with tabs and a list | %.2f |\n| the same, the folder asked of the shell / bare window with tabs and a "
        "list | %.2f |\n| Quiverdesk / Quiverdesk's controls showing Send To's first names | %.2f |\n",
        Median(alike.painted) / Median(bare.painted), Median(twin.painted) / Median(alike.painted),
        Median(twin.painted) / Median(listed.painted), Median(named.painted) / Median(listed.painted),
        Median(shellNamed.painted) / Median(listed.painted), Median(twin.painted) / Median(named.painted));
    return 0;
}
