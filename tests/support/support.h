// What the test programs share: the real main window built in-process and read back through its
// controls' own messages, the emptied shell folders, import patching to record or fake platform
// calls, a dialog answerer, and file helpers that reach any name through the wide API.
#ifndef QUIVERDESK_TESTS_SUPPORT_SUPPORT_H
#define QUIVERDESK_TESTS_SUPPORT_SUPPORT_H

#include <windows.h>
#include <objbase.h>

#include <deque>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

typedef std::vector<std::string> Names;

// Ends the process unless it runs in the Wine prefix the scripts made, or the shell folders
// were redirected (QD_TEST_FOLDERS_REDIRECTED=1): tests never touch a real user's folders.
void RequireSafeShellFolders();
// Deletes everything inside dir, whatever its names' length or characters.
void EmptyFolder(const std::string& dir);
// Every file below dir with its bytes: what "nothing lost" compares.
std::map<std::wstring, std::string> TreeContents(const std::string& dir);
bool WriteBytes(const std::string& path, const std::string& bytes);
std::string ReadFileBytes(const std::string& path);
bool FileExists(const std::string& path);
std::string TestDataPath(const std::string& relative);
std::string ProgramPath();  // QD_PROGRAM, or Quiverdesk.exe beside this test program
std::string Ansi(const char* utf8);  // tests write UTF-8; the program speaks the ANSI code page
std::wstring Wide(const std::string& ansi);
void HoldKeys(std::initializer_list<int> keys);  // as GetKeyState reports them
void PumpMessages(DWORD ms = 0);

struct ComScope {
    HRESULT result = CoInitialize(0);
    ~ComScope() { if (SUCCEEDED(result)) CoUninitialize(); }
};

// Points this program's imports of dll!function at replacement while alive, so the statically
// linked product calls it. Original() is the real function.
class ScopedImportPatch {
public:
    ScopedImportPatch(const char* dll, const char* function, void* replacement);
    ~ScopedImportPatch();
    void* Original() const { return m_original; }

private:
    std::string m_dll, m_function;
    void* m_original;
};

// While alive, presses a button in each dialog (#32770) this thread shows, as a user would:
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
    int m_default, m_answered = 0;
    HWND m_last = 0;  // answered, maybe not closed yet
    std::deque<int> m_queue;
    UINT_PTR m_timer;
};

class MainWindow {
public:
    explicit MainWindow(int showCommand = SW_SHOWNORMAL);
    ~MainWindow();
    HWND Handle() const { return m_window; }
    void ClickTab(int index) const;  // button down and up on the tab, as the user clicks
    void Command(int id) const;

private:
    HWND m_window;
};

int RowCount();
std::string RowText(int row, int subItem);
LPARAM RowParam(int row);
int RowImage(int row);
void SelectRows(const std::vector<int>& rows);
std::string StatusText();
std::string RowLinkPath(int row);  // through the row's parameter; empty when it names no item
int RowOfLink(const std::string& linkPath);
// WM_DROPFILES with a real HDROP of 8-bit paths, as the shell hands one over.
void Drop(const MainWindow& window, const Names& paths);

// Empties Send To, Startup and the scratch tree around each test; COM is up.
class ShellFolderTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    ComScope m_com;
    std::string m_sendTo, m_startup;
};

extern const char kScratchFolder[];
std::string ScratchFile(const std::string& relative);  // a one-byte file
std::string ScratchFolder(const std::string& relative);
bool AddSample(const std::string& dir, const std::string& sample, const std::string& name = "");
std::string MakeLink(const std::string& folder, const std::string& name, const std::string& target);
Names LinkNames(const std::string& folder, const char* pattern = "*.lnk");  // sorted, files only
bool SamePath(const std::string& a, const std::string& b);

#endif
