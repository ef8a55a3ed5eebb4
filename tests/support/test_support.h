// Helpers every test program shares: the guard that keeps tests off a real user's folders, file
// helpers, import patching to record or fake the platform calls, and a dialog answerer.
#ifndef QUIVERDESK_TESTS_SUPPORT_TEST_SUPPORT_H
#define QUIVERDESK_TESTS_SUPPORT_TEST_SUPPORT_H

#include <windows.h>
#include <objbase.h>

#include <deque>
#include <initializer_list>
#include <map>
#include <string>

// Ends the process unless it runs under Wine in the prefix the test scripts made, or
// QD_TEST_FOLDERS_REDIRECTED=1 says the shell folders were redirected.
void RequireSafeShellFolders();
std::string ShellFolderPath(int csidl);
// Deletes everything inside dir, whatever the names' length or characters; dir itself stays.
void EmptyFolder(const std::string& dir);
bool WriteBytes(const std::string& path, const std::string& bytes);
inline bool WriteBytes(const std::string& path, const void* data, size_t size)
{
    return WriteBytes(path, std::string(static_cast<const char*>(data), size));
}
std::string ReadFileBytes(const std::string& path);
bool FileExists(const std::string& path);
// Every file below dir with its bytes, found through the wide API: what "nothing lost" compares.
std::map<std::wstring, std::string> TreeContents(const std::string& dir);
std::string TestDataPath(const std::string& relative);
// QD_PROGRAM, or Quiverdesk.exe beside this test program.
std::string ProgramPath();
// Texts are written in UTF-8 in the tests; the program's are in the ANSI code page.
std::string Ansi(const char* utf8);
std::wstring Wide(const std::string& ansi);

// The thread's keyboard state with exactly these keys held, as GetKeyState reports them.
void HoldKeys(std::initializer_list<int> keys);

class ComScope {
public:
    ComScope() : m_result(CoInitialize(0)) {}
    ~ComScope() { if (SUCCEEDED(m_result)) CoUninitialize(); }
    bool Ok() const { return SUCCEEDED(m_result); }

private:
    HRESULT m_result;
};

// Points this program's imports of dll!function at replacement while alive, so the statically
// linked product code calls it; Original() is the real function.
class ScopedImportPatch {
public:
    ScopedImportPatch(const char* dllName, const char* functionName, void* replacement);
    ~ScopedImportPatch();
    void* Original() const { return m_original; }

private:
    std::string m_dll, m_function;
    void* m_original;
};

// While alive, presses a button in each visible dialog (#32770) of this thread, as a user would:
// the queued answers in turn, then the default. The thread must be pumping messages.
class DialogAnswerer {
public:
    explicit DialogAnswerer(int defaultAnswer = IDYES);
    ~DialogAnswerer();
    DialogAnswerer& Then(int answer) { m_queue.push_back(answer); return *this; }
    int AnsweredCount() const { return m_answered; }

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    static BOOL CALLBACK Answer(HWND dialog, LPARAM);
    int m_default, m_answered;
    HWND m_last;  // answered, maybe not yet closed
    std::deque<int> m_queue;
    UINT_PTR m_timer;
};

#endif
