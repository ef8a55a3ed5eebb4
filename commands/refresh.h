// Rebuilds the list from the folder of the selected tab, when nothing else is using the rows.
#ifndef QUIVERDESK_COMMANDS_REFRESH_H
#define QUIVERDESK_COMMANDS_REFRESH_H

#include <windows.h>

// 1 when the shell named a folder (listed, or shown as unreadable); 0 when it named none, or when
// a command or a name edit is under way: the refresh then waits for it to end.
int RefreshShortcuts(HWND mainWindow);

// Held by a command while it runs: dialogs and shell calls pump messages, and a refresh that
// arrives meanwhile would rebuild the rows under it. The last one to end runs the refresh that
// waited, if any.
class CommandScope {
public:
    explicit CommandScope(HWND mainWindow);
    ~CommandScope();

private:
    CommandScope(const CommandScope&);
    CommandScope& operator=(const CommandScope&);
    HWND m_mainWindow;
};

// True when a refresh asked for during a command or an edit still waits.
bool IsRefreshWaiting();

#endif
