// The real main window, created in the test process as WinMain creates it, what its list view
// shows, and the emptied shell folders its tests fill.
#ifndef QUIVERDESK_TESTS_SUPPORT_MAIN_WINDOW_FIXTURE_H
#define QUIVERDESK_TESTS_SUPPORT_MAIN_WINDOW_FIXTURE_H

#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/test_support.h"

// Dispatches what is queued for this thread for at least ms; a WM_QUIT on the way is dropped.
void PumpMessages(DWORD ms = 0);

class MainWindow {
public:
    explicit MainWindow(int showCommand = SW_SHOWNORMAL);
    ~MainWindow();
    HWND Handle() const { return m_window; }
    // Button down and up at the centre of the tab, as the user clicks it.
    void ClickTab(int index) const;
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
// The shortcut file a row stands for, through its parameter; empty when it names no item.
std::string RowLinkPath(int row);
int RowOfLink(const std::string& linkPath);

typedef std::vector<std::string> Names;
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
// kScratchFolder\relative as a one-byte file or an empty folder.
std::string ScratchFile(const std::string& relative);
std::string ScratchFolder(const std::string& relative);
// Copies tests/data/lnk/sample into dir, under name when given.
bool AddSample(const std::string& dir, const std::string& sample, const std::string& name = "");
std::string MakeLink(const std::string& folder, const std::string& name, const std::string& target);
// The sorted names of the files in folder matching pattern.
Names LinkNames(const std::string& folder, const char* pattern = "*.lnk");
bool SamePath(const std::string& a, const std::string& b);

#endif
