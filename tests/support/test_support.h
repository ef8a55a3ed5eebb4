// Helpers every test program shares: the Wine guard for tests that write shell folders, small
// file helpers, COM set-up, import patching and an automatic answerer for modal dialogs.
#ifndef QUIVERDESK_TESTS_SUPPORT_TEST_SUPPORT_H
#define QUIVERDESK_TESTS_SUPPORT_TEST_SUPPORT_H

#include <windows.h>

#include <cstddef>
#include <deque>
#include <string>
#include <vector>

// True when this process runs under Wine (ntdll exports wine_get_version).
bool RunningUnderWine();

// Call before touching the Send To or Startup folder: outside Wine, and unless
// QD_TEST_FOLDERS_REDIRECTED=1 says those folders were redirected, it prints why and ends the
// process with a failure code, so a test can never change a real user's shortcuts.
void RequireSafeShellFolders();

// The shell folder's path, created when missing; empty when the shell can't name it.
std::string ShellFolderPath(int csidl);
// Deletes every file and subfolder inside dir; dir itself stays.
void EmptyFolder(const std::string& dir);
bool WriteBytes(const std::string& path, const void* data, size_t size);
// The whole file, or empty when it can't be read.
std::string ReadFileBytes(const std::string& path);
bool FileExists(const std::string& path);
// A Windows path inside tests/data (from QD_TEST_DATA); '/' in relative may be used.
std::string TestDataPath(const std::string& relative);
// The program under test: QD_PROGRAM when set, else Quiverdesk.exe in this test program's own
// folder (every exe lands in build/bin); empty when that path can't be formed.
std::string ProgramPath();

// COM for the calling thread while the object lives.
class ComScope {
public:
    ComScope();
    ~ComScope();
    bool Ok() const { return SUCCEEDED(m_result); }

private:
    ComScope(const ComScope&);
    ComScope& operator=(const ComScope&);
    HRESULT m_result;
};

// Points every import of dllName!functionName in this program's own import table at
// replacement, so the statically linked product code calls it. Returns the previous pointer,
// or null when the program does not import that function by name.
void* PatchImport(const char* dllName, const char* functionName, void* replacement);

// Patches on construction and puts the previous pointer back on destruction.
class ScopedImportPatch {
public:
    ScopedImportPatch(const char* dllName, const char* functionName, void* replacement);
    ~ScopedImportPatch();
    void* Original() const { return m_original; }

private:
    ScopedImportPatch(const ScopedImportPatch&);
    ScopedImportPatch& operator=(const ScopedImportPatch&);
    std::string m_dll;
    std::string m_function;
    void* m_original;
};

// While alive, answers each enabled, visible dialog (#32770) of this thread as a user would,
// by its button id: first the queued answers in order, then the default one. It relies on a
// thread timer, so the thread must be pumping messages (any modal loop does). One at a time.
class DialogAnswerer {
public:
    explicit DialogAnswerer(int defaultAnswer = IDYES);
    ~DialogAnswerer();
    // Queues an answer for the next dialog that has not been answered yet.
    DialogAnswerer& Then(int answer);
    int AnsweredCount() const { return m_answered; }
    // Titles of the dialogs answered, in order.
    const std::vector<std::string>& Titles() const { return m_titles; }

private:
    DialogAnswerer(const DialogAnswerer&);
    DialogAnswerer& operator=(const DialogAnswerer&);
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    static BOOL CALLBACK AnswerWindow(HWND window, LPARAM self);
    bool Answer(HWND dialog);

    int m_default;
    std::deque<int> m_queue;
    std::vector<HWND> m_pending;  // answered, not yet closed: not answered twice
    std::vector<std::string> m_titles;
    int m_answered;
    UINT_PTR m_timer;
};

#endif
