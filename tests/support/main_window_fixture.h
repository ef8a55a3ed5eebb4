// The real main window, created in the test process the way WinMain creates it, and the
// user-level views of it that window and command tests read: rows, their texts and bindings.
#ifndef QUIVERDESK_TESTS_SUPPORT_MAIN_WINDOW_FIXTURE_H
#define QUIVERDESK_TESTS_SUPPORT_MAIN_WINDOW_FIXTURE_H

#include <windows.h>

#include <string>
#include <vector>

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

#endif
