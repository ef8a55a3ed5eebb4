// What the test programs share: the real main window built in-process and read back through its
// controls' messages, emptied shell folders, import patches that record or fake platform calls,
// a dialog answerer, and file helpers that reach any name through the wide API.
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

std::map<std::wstring, std::string> TreeContents(const std::string& dir);  // what "nothing lost" compares
void EmptyFolder(const std::string& dir);  // any name, any length; dir itself stays
bool WriteBytes(const std::string& path, const std::string& bytes);
std::string ReadFileBytes(const std::string& path);
std::string TestDataPath(const std::string& relative);
std::string Ansi(const char* utf8);  // tests write UTF-8; the program speaks the ANSI code page
std::wstring Wide(const std::string& ansi);
void HoldKeys(std::initializer_list<int> keys);  // as GetKeyState reports them
void PumpMessages(DWORD ms = 0);

// Points this program's imports of dll!function at replacement while alive, so the statically
// linked product calls it instead.
class ImportPatch {
public:
    ImportPatch(const char* dll, const char* function, void* replacement);
    ~ImportPatch();
    template <typename F> F Original() const { return reinterpret_cast<F>(m_original); }

private:
    std::string m_dll, m_function;
    void* m_original;
};

// While alive, presses a button in each dialog (#32770) this thread shows, as a user would: the
// queued answers in turn, then the default. The thread must be pumping messages.
struct DialogAnswerer {
    explicit DialogAnswerer(std::deque<int> answers = {}, int otherwise = IDYES);
    ~DialogAnswerer();
    std::deque<int> queue;
    int otherwise, answered = 0;
    HWND last = 0;  // answered, maybe not closed yet
    UINT_PTR timer;
};

struct MainWindow {
    explicit MainWindow(int showCommand = SW_SHOWNORMAL);
    ~MainWindow();
    void ClickTab(int index) const;  // button down and up on the tab, as the user clicks
    void Command(int id) const;
    HWND handle;
};

int RowCount();
std::string RowText(int row, int subItem);
int RowImage(int row);
void SelectRows(const std::vector<int>& rows);
std::string StatusText();
std::string RowLinkPath(int row);  // through the row's parameter; empty when it names no item
int RowOfLink(const std::string& linkPath);
std::vector<int> RowsOf(const Names& linkPaths);
void Drop(const MainWindow& window, const Names& paths);  // a real HDROP, as the shell hands over

// Empties Send To, Startup and the scratch tree around each test, and refuses to run outside
// the Wine prefix the scripts made unless QD_TEST_FOLDERS_REDIRECTED=1.
class ShellFolderTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    struct Com { Com() { CoInitialize(0); } ~Com() { CoUninitialize(); } } m_com;
    std::string m_sendTo, m_startup;
};

extern const char kScratchFolder[];
std::string ScratchFile(const std::string& relative);  // a one-byte file
std::string ScratchFolder(const std::string& relative);
bool AddSample(const std::string& dir, const std::string& sample, const std::string& name = "");
std::string MakeLink(const std::string& folder, const std::string& name, const std::string& target);
Names LinkNames(const std::string& folder, const char* pattern = "*.lnk");  // sorted, files only

#endif
