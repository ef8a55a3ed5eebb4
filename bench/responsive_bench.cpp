// Responsiveness benchmark: each Quiverdesk.exe given runs as a process of its own, watched from outside for how long
// its window goes unanswered while it lists, refreshes, switches and idles, so that programs of different builds can
// be set side by side in one run. responsive_bench [N...] [program.exe...]   (1000 5000, Quiverdesk.exe beside it)
#include "bench/bench.h"

#include <winternl.h>

namespace {

// This bench's files and values start so, and no one else's do.
const wchar_t kPrefix[] = L"qd-resp-";
const wchar_t kRun[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const wchar_t kRunSwitches[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";

const DWORD kWatchEveryMs = 20;
// A send the window has not answered after this long is logged as unanswered for all of it, and sent again.
const DWORD kAnswerMs = 120000;
// Complete: the child's CPU time grew by less than kStepMs over kQuietMs. Its clock counts in steps of 10 ms under
// Wine and 15.6 ms on Windows, and answering the watcher alone adds a step now and then.
const double kQuietMs = 500, kStepMs = 20;
// ... and the window then answers within this. The CPU time is read this often: each read costs Wine a look at
// every process.
const double kAtOnceMs = 100;
const DWORD kSampleEveryMs = 50;
const DWORD kIdleMs = 10000;

// The child's CPU time in ms and its threads' context switches, from the system's list of processes: Wine 8's
// GetProcessTimes answers for another process with the caller's own times. Wine counts no context switches (0).
struct Usage {
    double cpuMs;
    ULONGLONG switches;
};

Usage UsageOf(DWORD processId)
{
    const NTSTATUS kLengthMismatch = static_cast<NTSTATUS>(0xC0000004);
    std::vector<char> buffer(1 << 18);
    ULONG needed = 0;
    NTSTATUS status;
    while ((status = NtQuerySystemInformation(SystemProcessInformation, buffer.data(),
                                              static_cast<ULONG>(buffer.size()), &needed))
           == kLengthMismatch)
        buffer.resize(std::max<size_t>(needed, buffer.size()) * 2);
    Usage usage = {-1, 0};
    for (const char* at = buffer.data(); status >= 0;) {
        const SYSTEM_PROCESS_INFORMATION* process = reinterpret_cast<const SYSTEM_PROCESS_INFORMATION*>(at);
        if (reinterpret_cast<ULONG_PTR>(process->UniqueProcessId) == processId) {
            usage.cpuMs = (process->KernelTime.QuadPart + process->UserTime.QuadPart) / 1e4;
            const SYSTEM_THREADS* threads = reinterpret_cast<const SYSTEM_THREADS*>(process + 1);
            for (ULONG i = 0; i < process->NumberOfThreads; ++i)
                usage.switches += threads[i].ContextSwitchCount;
            break;
        }
        if (!process->NextEntryOffset)
            break;
        at += process->NextEntryOffset;
    }
    return usage;
}

// In UTF-8, as the document the output goes into is written.
std::string Narrow(const std::wstring& text)
{
    char narrow[MAX_PATH * 4] = "";
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, narrow, sizeof(narrow), 0, 0);
    return narrow;
}

// Top-level windows, or child windows, of one process that are of a class and, for children, have an id.
struct WindowSearch {
    DWORD processId;
    const char* className;
    int id;  // any, when negative
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM param)
{
    WindowSearch& search = *reinterpret_cast<WindowSearch*>(param);
    DWORD owner = 0;
    char name[64] = "";
    GetWindowThreadProcessId(window, &owner);
    if (owner == search.processId && GetClassNameA(window, name, sizeof(name)) && !strcmp(name, search.className)
        && (search.id < 0 || GetDlgCtrlID(window) == search.id))
        search.found.push_back(window);
    return TRUE;
}

std::vector<HWND> WindowsOf(DWORD processId, const char* className, HWND parent = 0, int id = -1)
{
    WindowSearch search = {processId, className, id, {}};
    if (parent)
        EnumChildWindows(parent, CollectWindow, reinterpret_cast<LPARAM>(&search));
    else
        EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// What the watcher logs of each WM_NULL: when it went, and when it was answered or given up.
struct Send {
    double sent, answered;
    bool ok;
};

// The longest time the window did not answer over a span: the longest round trip of a send, and the longest
// time between two answers (the watcher's pause between sends included).
struct Unanswered {
    double roundTrip, gap;
};

// One program started for a scenario, its main window and list found, and a watcher sending WM_NULL to the window
// from the moment it shows. The destructor closes the program (ends it if it will not close) and then the watcher,
// whose send the program's end releases.
class Child {
public:
    Child(const std::string& exe, bool startupTab);
    ~Child();
    Child(const Child&) = delete;  // the process, its thread and the watcher have one owner

    bool IsUp() const { return m_list != 0; }
    double GetStart() const { return m_start; }
    double GetShown() const { return m_shown; }
    HWND GetWindow() const { return m_window; }
    const std::vector<std::string>& GetNotes() const { return m_notes; }

    // The list's row count, asked through the window: -1 when it did not answer within kAnswerMs.
    int Rows();
    // Waits for done(), answering any dialog meanwhile: false at deadline (a NowMs time) or at the program's end.
    template <typename Done>
    bool WaitFor(Done done, double deadline, DWORD everyMs = kWatchEveryMs);
    // Waits for the list to hold rows rows (any number when negative), then for the CPU time to stop growing and
    // the window to answer at once: the NowMs time it stopped, or -1 when that did not come by deadline.
    double WaitComplete(int rows, double deadline);
    Unanswered GetUnanswered(double from, double to);
    double GetPeakMiB() const;
    Usage GetUsage() const { return UsageOf(m_info.dwProcessId); }
    // Stops or restarts the watcher's sends, so that an idle program is left alone.
    void Watch(bool on) { on ? SetEvent(m_watching) : ResetEvent(m_watching); }
    // Selects and focuses row 0, as a click would; its first column's text.
    std::wstring SelectFirstRow();
    void Note(const std::string& note) { m_notes.push_back(note); }

private:
    static DWORD WINAPI WatchWindow(void* child);
    void AnswerDialogs();
    void Close();

    PROCESS_INFORMATION m_info;  // owned handles; both null when the program did not start
    double m_start, m_shown;
    HWND m_window, m_list;
    HANDLE m_thread, m_stop, m_watching;  // owned: the watcher, and its events to end and to pause it
    CRITICAL_SECTION m_lock;              // guards m_sends and m_pending
    std::vector<Send> m_sends;
    // When the send under way went, -1 when none is. The bench may read the log between its answer and its
    // logging; it then counts as unanswered up to the reading.
    double m_pending;
    std::vector<HWND> m_answered;  // dialogs already answered once
    std::vector<std::string> m_notes;
};

Child::Child(const std::string& exe, bool startupTab)
    : m_info(), m_start(NowMs()), m_shown(-1), m_window(0), m_list(0), m_thread(0),
      m_stop(CreateEventA(0, TRUE, FALSE, 0)), m_watching(CreateEventA(0, TRUE, TRUE, 0)), m_pending(-1)
{
    InitializeCriticalSection(&m_lock);
    std::string commandLine = "\"" + exe + "\"" + (startupTab ? " /startup" : "");
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    m_start = NowMs();
    if (!CreateProcessA(exe.c_str(), &commandLine[0], 0, 0, FALSE, 0, 0, 0, &startup, &m_info)) {
        m_info = PROCESS_INFORMATION();
        Note("did not start");
        return;
    }
    for (double deadline = m_start + 30000; !m_window && NowMs() < deadline;) {
        if (WaitForSingleObject(m_info.hProcess, 5) != WAIT_TIMEOUT)
            break;
        for (HWND window : WindowsOf(m_info.dwProcessId, "QUIVERDESK"))
            if (IsWindowVisible(window))
                m_window = window;
    }
    m_shown = NowMs();
    std::vector<HWND> lists = WindowsOf(m_info.dwProcessId, "SysListView32", m_window, CTRL_LIST);
    if (!m_window || lists.empty()) {
        Note("no main window with its list");
        return;
    }
    m_list = lists[0];
    m_thread = CreateThread(0, 0, WatchWindow, this, 0, 0);
}

Child::~Child()
{
    Close();
    SetEvent(m_stop);
    SetEvent(m_watching);
    if (m_thread) {
        WaitForSingleObject(m_thread, INFINITE);
        CloseHandle(m_thread);
    }
    CloseHandle(m_watching);
    CloseHandle(m_stop);
    DeleteCriticalSection(&m_lock);
}

// WM_CLOSE as the user closes it; a program that has not ended 30 s later is ended, and noted.
void Child::Close()
{
    if (!m_info.hProcess)
        return;
    if (m_window)
        PostMessageA(m_window, WM_CLOSE, 0, 0);
    if (!WaitFor([&] { return false; }, NowMs() + 30000) && WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT) {
        Note("did not close within 30 s, ended");
        TerminateProcess(m_info.hProcess, 1);
        WaitForSingleObject(m_info.hProcess, INFINITE);
    }
    CloseHandle(m_info.hThread);
    CloseHandle(m_info.hProcess);
    m_info = PROCESS_INFORMATION();
}

DWORD WINAPI Child::WatchWindow(void* param)
{
    Child& child = *static_cast<Child*>(param);
    const HANDLE stopOrWatch[] = {child.m_stop, child.m_watching};
    while (WaitForSingleObject(child.m_stop, kWatchEveryMs) == WAIT_TIMEOUT
           && WaitForMultipleObjects(2, stopOrWatch, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) {
        DWORD_PTR result = 0;
        Send send = {NowMs(), 0, false};
        EnterCriticalSection(&child.m_lock);
        child.m_pending = send.sent;
        LeaveCriticalSection(&child.m_lock);
        send.ok = SendMessageTimeoutA(child.m_window, WM_NULL, 0, 0, SMTO_NORMAL, kAnswerMs, &result) != 0;
        send.answered = NowMs();
        const bool gone = !send.ok && !IsWindow(child.m_window);  // the program has ended
        EnterCriticalSection(&child.m_lock);
        child.m_pending = -1;
        if (!gone)
            child.m_sends.push_back(send);
        LeaveCriticalSection(&child.m_lock);
        if (gone)
            break;
    }
    return 0;
}

int Child::Rows()
{
    DWORD_PTR count = 0;
    if (!m_list || !SendMessageTimeoutA(m_list, LVM_GETITEMCOUNT, 0, 0, SMTO_NORMAL, kAnswerMs, &count))
        return -1;
    return static_cast<int>(count);
}

// A confirmation is answered yes, a message OK, as the user who asked for the command would; each is noted with
// its text, so that a table never hides one.
void Child::AnswerDialogs()
{
    for (HWND dialog : WindowsOf(m_info.dwProcessId, "#32770")) {
        if (!IsWindowVisible(dialog) || std::count(m_answered.begin(), m_answered.end(), dialog))
            continue;
        m_answered.push_back(dialog);
        wchar_t title[80] = L"", text[160] = L"";
        GetWindowTextW(dialog, title, 80);
        // A message box's words; in another dialog, this id may be an icon's, whose text names its resource.
        if (GetDlgItemTextW(dialog, 0xFFFF, text, 160) && text[0] == 0xFFFF)
            text[0] = L'\0';
        for (wchar_t& c : text)
            c = c == L'\r' || c == L'\n' || c == L'|' ? L' ' : c;
        Note("answered the dialog \"" + Narrow(title) + "\": \"" + Narrow(text) + "\"");
        const int buttons[] = {IDYES, IDOK, IDCONTINUE};
        const int* button =
            std::find_if(std::begin(buttons), std::end(buttons), [&](int id) { return GetDlgItem(dialog, id) != 0; });
        if (button == std::end(buttons))
            PostMessageA(dialog, WM_CLOSE, 0, 0);
        else
            PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(*button, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(dialog, *button)));
    }
}

template <typename Done>
bool Child::WaitFor(Done done, double deadline, DWORD everyMs)
{
    for (;; Sleep(everyMs)) {
        if (!m_info.hProcess || WaitForSingleObject(m_info.hProcess, 0) != WAIT_TIMEOUT)
            return done();
        AnswerDialogs();
        if (done())
            return true;
        if (NowMs() >= deadline)
            return false;
    }
}

double Child::WaitComplete(int rows, double deadline)
{
    if (!WaitFor([&] { return rows < 0 ? Rows() >= 0 : Rows() == rows; }, deadline))
        return -1;
    // The window's rows are not asked for again: each question costs the program a little CPU time too.
    std::vector<std::pair<double, double>> samples;  // NowMs time, CPU ms
    double stopped = -1;
    WaitFor(
        [&] {
            samples.push_back({NowMs(), GetUsage().cpuMs});
            auto quietFrom = std::find_if(samples.rbegin(), samples.rend(), [&](const std::pair<double, double>& s) {
                return s.first <= samples.back().first - kQuietMs;
            });
            if (quietFrom == samples.rend() || samples.back().second - quietFrom->second >= kStepMs)
                return false;
            // A program blocked on something else's work uses no CPU either, but it does not answer at once; its
            // quiet counts only from its answer.
            DWORD_PTR result = 0;
            const double asked = NowMs();
            if (SendMessageTimeoutA(m_window, WM_NULL, 0, 0, SMTO_NORMAL, kAnswerMs, &result)
                && NowMs() - asked < kAtOnceMs)
                stopped = quietFrom->first;
            else
                samples.clear();
            return stopped >= 0;
        },
        deadline, kSampleEveryMs);
    return stopped;
}

Unanswered Child::GetUnanswered(double from, double to)
{
    Unanswered longest = {0, 0};
    double lastAnswer = from;
    EnterCriticalSection(&m_lock);
    for (const Send& send : m_sends) {
        if (send.answered < from || send.sent > to)
            continue;
        longest.roundTrip = std::max(longest.roundTrip, send.answered - send.sent);
        if (send.ok)
            longest.gap = std::max(longest.gap, send.answered - lastAnswer), lastAnswer = send.answered;
    }
    if (m_pending >= 0 && m_pending <= to)
        longest.roundTrip = std::max(longest.roundTrip, to - m_pending);
    LeaveCriticalSection(&m_lock);
    longest.gap = std::max(longest.gap, to - lastAnswer);
    return longest;
}

double Child::GetPeakMiB() const
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof(counters);
    return m_info.hProcess && GetProcessMemoryInfo(m_info.hProcess, &counters, sizeof(counters))
               ? counters.PeakWorkingSetSize / 1048576.0
               : -1;
}

std::wstring Child::SelectFirstRow()
{
    // The item and its text in the program's memory: a pointer of this process means nothing there.
    struct Item {
        LVITEMW item;
        wchar_t text[MAX_PATH];
    };
    Item* remote =
        static_cast<Item*>(VirtualAllocEx(m_info.hProcess, 0, sizeof(Item), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    if (!remote)
        return L"";
    Item local = {};
    local.item.stateMask = local.item.state = LVIS_SELECTED | LVIS_FOCUSED;
    local.item.pszText = remote->text, local.item.cchTextMax = MAX_PATH;
    DWORD_PTR result = 0;
    bool read = WriteProcessMemory(m_info.hProcess, remote, &local, sizeof(local), 0)
                && SendMessageTimeoutW(m_list, LVM_GETITEMTEXTW, 0, reinterpret_cast<LPARAM>(&remote->item),
                                       SMTO_NORMAL, kAnswerMs, &result)
                && ReadProcessMemory(m_info.hProcess, remote, &local, sizeof(local), 0);
    local.text[MAX_PATH - 1] = L'\0';
    std::wstring text = read ? local.text : L"";
    local.item.stateMask = local.item.state = LVIS_SELECTED | LVIS_FOCUSED;
    if (!WriteProcessMemory(m_info.hProcess, remote, &local, sizeof(local), 0)
        || !SendMessageTimeoutW(m_list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&remote->item), SMTO_NORMAL,
                                kAnswerMs, &result))
        text.clear();
    VirtualFreeEx(m_info.hProcess, remote, 0, MEM_RELEASE);
    return text;
}

// One scenario's figures for one program; a negative figure did not come.
struct Phase {
    double rows = -1, unanswered = -1, gap = -1, firstRows = -1, complete = -1, cpuMs = -1, peakMiB = -1;
};

// The median of each figure over the runs in which it came.
Phase MedianPhase(const std::vector<Phase>& runs)
{
    Phase median;
    double Phase::*figures[] = {&Phase::rows,     &Phase::unanswered, &Phase::gap,    &Phase::firstRows,
                                &Phase::complete, &Phase::cpuMs,      &Phase::peakMiB};
    for (double Phase::*figure : figures) {
        std::vector<double> values;
        for (const Phase& run : runs)
            if (run.*figure >= 0)
                values.push_back(run.*figure);
        median.*figure = values.empty() ? -1 : Median(values);
    }
    return median;
}

struct Program {
    Program(const std::string& label, const std::string& exe) : label(label), exe(exe) {}
    std::string label, exe;
    int sendToBase = -1, startupBase = -1;              // rows with none of the bench's entries
    std::vector<std::vector<Phase>> listed, refreshed;  // per size, per run
    std::vector<Phase> startup, switched;               // per run
    std::string switchedRow, switchedOff;               // row 0's text; the values found off, per run
    Phase made;
    double idleCpuMs = -1;
    long long wakeUps = -1;  // -1 where the system counts none
    std::vector<std::string> notes;
};

// One run's figures on the standard error, as they come: a run of the largest N takes minutes, and the medians
// printed at the end hide how far the runs lie apart.
void Progress(const Program& program, const char* what, int n, const Phase& phase)
{
    fprintf(stderr,
            "responsive_bench: %s, %s, %d: rows %.0f, unanswered %.0f ms, gap %.0f ms, first rows %.0f ms, "
            "complete %.0f ms, CPU %.0f ms\n",
            program.label.c_str(), what, n, phase.rows, phase.unanswered, phase.gap, phase.firstRows, phase.complete,
            phase.cpuMs);
}

// Where a phase began: a NowMs time, and the program's CPU time then.
struct Mark {
    double at, cpuMs;
};

Mark MarkNow(const Child& child)
{
    return {NowMs(), child.GetUsage().cpuMs};
}

// The figures of a phase that began at from and ended complete (a NowMs time), or not, by its deadline. The CPU
// time is the program's own, which a busy machine stretches less than the wall-clock times.
Phase Measure(Child& child, Mark from, double complete)
{
    Phase phase;
    if (complete >= 0) {
        // Taken before anything more is asked of the window: the phase ends with its last answer.
        const Unanswered unanswered = child.GetUnanswered(std::max(from.at, child.GetShown()), NowMs());
        phase.unanswered = unanswered.roundTrip, phase.gap = unanswered.gap, phase.complete = complete - from.at;
        phase.cpuMs = child.GetUsage().cpuMs - from.cpuMs;
    }
    phase.rows = child.Rows();
    phase.peakMiB = child.GetPeakMiB();
    return phase;
}

// A launch timed to the first rows answered and to complete with rows rows.
Phase MeasureLaunch(Child& child, int rows, double timeoutMs)
{
    if (!child.IsUp())
        return Phase();
    const bool some = child.WaitFor([&] { return child.Rows() > 0; }, child.GetStart() + timeoutMs);
    const double firstRows = some ? NowMs() - child.GetStart() : -1;
    Phase phase = Measure(child, {child.GetStart(), 0}, child.WaitComplete(rows, child.GetStart() + timeoutMs));
    phase.firstRows = firstRows;
    return phase;
}

// Deletes the values of key (under HKEY_CURRENT_USER) that are this bench's; with offOnly, counts those of them
// that switch their entry off instead.
int BenchValues(const wchar_t* key, bool offOnly = false)
{
    HKEY opened = 0;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, key, 0, KEY_READ | KEY_SET_VALUE, &opened) != ERROR_SUCCESS)
        return 0;
    std::vector<std::wstring> names;
    wchar_t name[256];
    BYTE data[1024];  // the bench's own values are shorter; a longer one is not the bench's
    LONG status;
    for (DWORD i = 0, length = 256, size = sizeof(data);
         (status = RegEnumValueW(opened, i, name, &length, 0, 0, data, &size)) != ERROR_NO_MORE_ITEMS;
         ++i, length = 256, size = sizeof(data))
        if (status == ERROR_SUCCESS && !wcsncmp(name, kPrefix, lstrlenW(kPrefix))
            && (!offOnly || (size > 0 && (data[0] & 1))))
            names.push_back(name);
    if (!offOnly)
        for (const std::wstring& value : names)
            RegDeleteValueW(opened, value.c_str());
    RegCloseKey(opened);
    return static_cast<int>(names.size());
}

bool KeyExists(const wchar_t* key)
{
    HKEY opened = 0;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, key, 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return false;
    RegCloseKey(opened);
    return true;
}

// n Run values whose commands are unquoted paths with spaces, to programs that do not exist.
bool SetRunValues(int n)
{
    bool ok = true;
    for (int i = 0; i < n; ++i) {
        wchar_t name[32], line[96];
        wsprintfW(name, L"%s%05d", kPrefix, i);
        wsprintfW(line, L"C:\\Program Files\\Some App %05d\\app.exe /arg value", i);
        ok = RegSetKeyValueW(HKEY_CURRENT_USER, kRun, name, REG_SZ, line, (lstrlenW(line) + 1) * sizeof(wchar_t))
                 == ERROR_SUCCESS
             && ok;
    }
    return ok;
}

std::string Cell(double value, const char* format = "%.0f")
{
    char text[32] = "-";
    if (value >= 0)
        snprintf(text, sizeof(text), format, value);
    return text;
}

// The rows of a program with none of the bench's entries, once its start has settled; its first launch also warms
// what all launches share.
int BaseRows(Program& program, bool startupTab)
{
    Child child(program.exe, startupTab);
    if (!child.IsUp() || child.WaitComplete(-1, NowMs() + 60000) < 0)
        return -1;
    return child.Rows();
}

}  // namespace

int main(int argc, char** argv)
{
    RefuseOutsideOwnPrefix();
    CoInitialize(0);
    std::vector<int> sizes = NumbersAsked(argc, argv, {1000, 5000});
    std::sort(sizes.begin(), sizes.end());  // each size adds files to the last one's
    const int small = sizes[0];
    auto runsOf = [](int n) { return n <= 1000 ? 3 : 1; };  // 5,000 take minutes a run
    std::vector<Program> programs;
    for (int i = 1; i < argc; ++i)
        if (strlen(argv[i]) > 4 && !lstrcmpiA(argv[i] + strlen(argv[i]) - 4, ".exe"))
            programs.push_back(Program(argv[i], argv[i]));
    if (programs.empty()) {
        char self[MAX_PATH] = "";
        GetModuleFileNameA(0, self, MAX_PATH);
        programs.push_back(Program("Quiverdesk.exe", std::string(self, strrchr(self, '\\') + 1) + "Quiverdesk.exe"));
    }
    wchar_t path[MAX_PATH] = L"", windows[MAX_PATH] = L"";
    SHGetSpecialFolderPathW(0, path, CSIDL_SENDTO, TRUE);
    GetWindowsDirectoryW(windows, MAX_PATH);
    const std::wstring sendTo = path, extra = sendTo + L"\\" + kPrefix + L"extra.lnk";
    // The targets refresh_bench uses: two programs with icons of their own, and a folder.
    const std::vector<std::wstring> targets = {windows + std::wstring(L"\\system32\\notepad.exe"),
                                               windows + std::wstring(L"\\regedit.exe"), windows};
    // An earlier run that was stopped may have left its entries.
    FilesMatching(sendTo, L"qd-resp-*", true);
    const bool runKept = KeyExists(kRun), switchesKept = KeyExists(kRunSwitches);
    BenchValues(kRun), BenchValues(kRunSwitches);

    for (Program& program : programs) {
        program.sendToBase = BaseRows(program, false);
        program.startupBase = BaseRows(program, true);
        if (program.sendToBase < 0 || program.startupBase < 0)
            return fprintf(stderr, "responsive_bench: %s did not settle\n", program.exe.c_str()), 1;
    }

    // The programs take turns, run by run, so that a slow moment of the machine falls on all alike.
    for (int n : sizes) {
        if (!FillFolder(sendTo, kPrefix, n, targets))
            return fprintf(stderr, "responsive_bench: could not fill Send To\n"), 1;
        const double timeoutMs = 60000 + 60.0 * n;
        for (Program& program : programs)
            program.listed.emplace_back(), program.refreshed.emplace_back();
        for (int run = 0; run < runsOf(n); ++run)
            for (Program& program : programs) {
                const int rows = program.sendToBase + n;
                Child child(program.exe, false);
                program.listed.back().push_back(MeasureLaunch(child, rows, timeoutMs));
                Progress(program, "Send To listed", n, program.listed.back().back());
                Mark from = MarkNow(child);
                PostMessageA(child.GetWindow(), WM_COMMAND, CMD_REFRESH, 0);  // F5
                program.refreshed.back().push_back(Measure(child, from, child.WaitComplete(rows, from.at + timeoutMs)));
                Progress(program, "F5", n, program.refreshed.back().back());
                if (n == small && run == 0) {
                    from = MarkNow(child);
                    CopyFileW((sendTo + L"\\" + kPrefix + L"00000.lnk").c_str(), extra.c_str(), FALSE);
                    const bool shown = child.WaitFor([&] { return child.Rows() == rows + 1; }, from.at + 60000);
                    program.made = Measure(child, from, shown ? NowMs() : -1);
                    Progress(program, "a shortcut made", n, program.made);
                    DeleteFileW(extra.c_str());
                    child.WaitComplete(rows, NowMs() + 60000);
                    // Nothing changes and nothing is asked of it, the watcher's sends included.
                    child.Watch(false);
                    const Usage before = child.GetUsage();
                    Sleep(kIdleMs);
                    const Usage after = child.GetUsage();
                    child.Watch(true);
                    program.idleCpuMs = after.cpuMs - before.cpuMs;
                    if (after.switches)
                        program.wakeUps = static_cast<long long>(after.switches - before.switches);
                }
                for (const std::string& note : child.GetNotes())
                    program.notes.push_back("Send To, " + std::to_string(n) + " shortcuts: " + note);
            }
    }
    FilesMatching(sendTo, L"qd-resp-*", true);

    if (!SetRunValues(small))
        return fprintf(stderr, "responsive_bench: could not write the Run values\n"), 1;
    for (int run = 0; run < runsOf(small); ++run)
        for (Program& program : programs) {
            const int rows = program.startupBase + small;
            const double timeoutMs = 60000 + 60.0 * small;
            {
                Child child(program.exe, true);
                program.startup.push_back(MeasureLaunch(child, rows, timeoutMs));
                Progress(program, "Startup listed", small, program.startup.back());
                program.switchedRow = Narrow(child.SelectFirstRow());
                const Mark from = MarkNow(child);
                PostMessageA(child.GetWindow(), WM_COMMAND, CMD_SWITCH_OFF, 0);
                program.switched.push_back(Measure(child, from, child.WaitComplete(rows, from.at + timeoutMs)));
                Progress(program, "switched off", small, program.switched.back());
                program.switchedOff += (run ? " " : "") + std::to_string(BenchValues(kRunSwitches, true));
                for (const std::string& note : child.GetNotes())
                    program.notes.push_back("Startup, " + std::to_string(small) + " Run values: " + note);
            }
            BenchValues(kRunSwitches);  // the next program starts with every entry on again
        }
    BenchValues(kRun);
    if (!runKept)
        RegDeleteKeyW(HKEY_CURRENT_USER, kRun);
    if (!switchesKept)
        RegDeleteKeyW(HKEY_CURRENT_USER, kRunSwitches);
    CoUninitialize();

    printf("Each program runs as a process of its own, started by the bench and closed with WM_CLOSE after each run;\n"
           "the programs take turns, run by run. Send To holds N shortcuts (3 written by CreateShortcutFile, the rest\n"
           "their byte copies). Figures are medians of the runs shown, each figure's own.\n\n"
           "- **rows**: the list's row count at the end.\n"
           "- **longest unanswered ms**: the longest round trip of a WM_NULL the bench sends the main window with\n"
           "  `SendMessageTimeout` every %lu ms, from the window's first showing (or the command) to complete.\n"
           "- **longest gap ms**: the longest time between two answered sends over the same span, the %lu ms\n"
           "  pause between sends included.\n"
           "- **first rows ms**: from `CreateProcess` to the list view's first answer of a row count above 0.\n"
           "- **complete ms**: from `CreateProcess` (or the command) to when the program's CPU time stopped\n"
           "  growing (by less than %.0f ms over %.0f ms, and the window then answered within %.0f ms), counted once\n"
           "  the list held all its rows: this serves a program that fills rows in the background as well as one\n"
           "  that lists at once.\n"
           "- **CPU ms**: the program's CPU time over the same span, which a busy machine stretches less than the\n"
           "  times above (Wine counts it in 10 ms steps, and its server's work for the program is not in it).\n"
           "- **peak working set MiB**: the program's, over its life up to that point.\n\n",
           kWatchEveryMs, kWatchEveryMs, kStepMs, kQuietMs, kAtOnceMs);
    // A phase's figures as cells, from rows to peak working set; first rows only where asked.
    auto cells = [](const Phase& phase, bool firstRows) {
        std::string row = " " + Cell(phase.rows) + " | " + Cell(phase.unanswered) + " | " + Cell(phase.gap) + " | ";
        if (firstRows)
            row += Cell(phase.firstRows) + " | ";
        return row + Cell(phase.complete) + " | " + Cell(phase.cpuMs) + " | " + Cell(phase.peakMiB, "%.1f") + " |";
    };
    printf("### Send To listed at start\n\n| program | N | runs | rows | longest unanswered ms | longest gap ms |"
           " first rows ms | complete ms | CPU ms | peak working set MiB |\n"
           "|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|\n");
    for (size_t s = 0; s < sizes.size(); ++s)
        for (const Program& program : programs)
            printf("| %s | %d | %d |%s\n", program.label.c_str(), sizes[s], runsOf(sizes[s]),
                   cells(MedianPhase(program.listed[s]), true).c_str());
    printf("\n### F5 on the same folder, unchanged\n\nWM_COMMAND CMD_REFRESH posted to the main window once the "
           "listing above was complete. **F5 / first listing**: the F5's complete ms over the launch's, run by run.\n\n"
           "| program | N | runs | rows | longest unanswered ms | longest gap ms | complete ms | CPU ms |"
           " peak working set MiB | F5 / first listing |\n|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|\n");
    for (size_t s = 0; s < sizes.size(); ++s)
        for (const Program& program : programs) {
            std::vector<double> ratios;
            for (size_t run = 0; run < program.refreshed[s].size(); ++run)
                if (program.refreshed[s][run].complete >= 0 && program.listed[s][run].complete > 0)
                    ratios.push_back(program.refreshed[s][run].complete / program.listed[s][run].complete);
            printf("| %s | %d | %d |%s %s |\n", program.label.c_str(), sizes[s], runsOf(sizes[s]),
                   cells(MedianPhase(program.refreshed[s]), false).c_str(),
                   Cell(ratios.empty() ? -1 : Median(ratios), "%.2f").c_str());
        }
    printf(
        "\n### The Startup tab\n\nStarted with `/startup`, with %d values under HKCU\\...\\CurrentVersion\\Run whose "
        "commands are unquoted paths with spaces to programs that do not exist (`C:\\Program Files\\Some App "
        "00000\\app.exe /arg value`).\n\n| program | runs | rows | longest unanswered ms | longest gap ms |"
        " first rows ms | complete ms | CPU ms | peak working set MiB "
        "|\n|---|---:|---:|---:|---:|---:|---:|---:|---:|\n",
        small);
    for (const Program& program : programs)
        printf("| %s | %d |%s\n", program.label.c_str(), runsOf(small),
               cells(MedianPhase(program.startup), true).c_str());
    printf("\n### One entry switched off\n\nOn the Startup tab above, once complete: row 0 selected from outside "
           "(LVM_SETITEMSTATE on an LVITEM in the program's memory) and WM_COMMAND CMD_SWITCH_OFF posted. **row 0**: "
           "its first column; **switched off**: the bench's values that read off in StartupApproved\\Run after it, "
           "run by run.\n\n| program | runs | row 0 | rows | longest unanswered ms | longest gap ms | complete ms |"
           " CPU ms | peak working set MiB | switched off |\n|---|---:|---|---:|---:|---:|---:|---:|---:|---|\n");
    for (const Program& program : programs)
        printf("| %s | %d | %s |%s %s |\n", program.label.c_str(), runsOf(small), program.switchedRow.c_str(),
               cells(MedianPhase(program.switched), false).c_str(), program.switchedOff.c_str());
    printf(
        "\n### A shortcut made behind the program's back, and then nothing\n\nOne run, with %d shortcuts listed: "
        "one more copied into Send To. **shown ms**: from the copy to the list's answering one row more. Once it "
        "is deleted again and the program is complete, the watcher stops and the program is left alone for "
        "%lu s: **idle CPU ms** over them, and **idle wake-ups**, its threads' context switches, where the "
        "system counts them (Wine does not: -).\n\n"
        "| program | N | shown ms | longest unanswered ms | longest gap ms | CPU ms | idle CPU ms | idle wake-ups |\n"
        "|---|---:|---:|---:|---:|---:|---:|---:|\n",
        small, kIdleMs / 1000);
    for (const Program& program : programs)
        printf("| %s | %d | %s | %s | %s | %s | %s | %s |\n", program.label.c_str(), small,
               Cell(program.made.complete).c_str(), Cell(program.made.unanswered).c_str(),
               Cell(program.made.gap).c_str(), Cell(program.made.cpuMs).c_str(), Cell(program.idleCpuMs).c_str(),
               Cell(static_cast<double>(program.wakeUps)).c_str());
    const char* before = "\n";  // a blank line before the first note
    for (const Program& program : programs)
        for (const std::string& note : program.notes)
            printf("%s- %s, %s\n", before, program.label.c_str(), note.c_str()), before = "";
    return 0;
}
