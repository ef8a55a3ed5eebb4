// The real main window, created in the test process the way WinMain creates it, the user-level
// views of it (rows, their texts and bindings), and the emptied shell folders its tests fill.
#ifndef QUIVERDESK_TESTS_SUPPORT_MAIN_WINDOW_FIXTURE_H
#define QUIVERDESK_TESTS_SUPPORT_MAIN_WINDOW_FIXTURE_H

#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/test_support.h"

// Dispatches what is queued for this thread; keeps pumping for at least ms milliseconds.
// A WM_QUIT found on the way is dropped (the window it ended is gone by then).
void PumpMessages(DWORD ms = 0);

// Main window of a test; needs the program's resources linked in (WITH_RESOURCES).
class MainWindow {
public:
    MainWindow(int showCommand = SW_SHOWNORMAL);
    ~MainWindow();  // destroys the window if it still exists and drains the quit message

    HWND Handle() const { return m_window; }
    bool Alive() const { return IsWindow(m_window) != FALSE; }

    // A click as the user makes it: button down and up on the tab's centre.
    void ClickTab(int index) const;
    void Command(int id) const;  // WM_COMMAND as from the menu or the toolbar
    // A click on the toolbar button at index (separators count), at its centre.
    void ClickToolbarButton(int index) const;
    // A child's window rectangle in the main window's client coordinates.
    RECT ChildRect(HWND child) const;

private:
    MainWindow(const MainWindow&);
    MainWindow& operator=(const MainWindow&);
    HWND m_window;
};

// What the list view shows.
int RowCount();
std::string RowText(int row, int subItem);
LPARAM RowParam(int row);
int RowImage(int row);
int ImageCount();
// Selects exactly the given rows (by position), as Ctrl-clicks would.
void SelectRows(const std::vector<int>& rows);
std::string StatusText();
// The shortcut file behind a row, through its parameter; empty when it names no item.
std::string RowLinkPath(int row);
// The row that stands for linkPath, whatever the case, or -1.
int RowOfLink(const std::string& linkPath);

typedef std::vector<std::string> Names;

// Sends WM_DROPFILES with a real HDROP of 8-bit paths, as the shell hands one over; the window's
// handler owns it then.
void Drop(const MainWindow& window, const Names& paths);

// Empties Send To, Startup (long names too) and the scratch folder before and after each test,
// and refuses to run where they could be a real user's. COM is up for writing shortcuts.
class ShellFolderTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    ComScope m_com;
    std::string m_sendTo;
    std::string m_startup;
};

// Scratch tree for the items shortcuts point at: kScratchFolder\relative, made as a one-byte
// file or an empty folder (its parent must exist).
std::string ScratchFile(const std::string& relative);
std::string ScratchFolder(const std::string& relative);
extern const char kScratchFolder[];
// Copies tests/data/lnk/sample into dir under name (the sample's own by default); any length.
bool AddSample(const std::string& dir, const std::string& sample, const std::string& name = "");
// folder\name, a shortcut to target.
std::string MakeLink(const std::string& folder, const std::string& name, const std::string& target);
// The sorted names of the files (not folders) in folder matching pattern.
Names LinkNames(const std::string& folder, const char* pattern = "*.lnk");
bool SamePath(const std::string& a, const std::string& b);

#endif
