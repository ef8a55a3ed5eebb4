// Rebuilds the list from the folder of the selected tab, when nothing else is using the rows.
#ifndef QUIVERDESK_COMMANDS_REFRESH_H
#define QUIVERDESK_COMMANDS_REFRESH_H

#include <windows.h>

#include "model/heap_string.h"

// 1 when the shell named a folder (listed, or shown as unreadable); 0 when it named none, or when
// a command or a name edit is under way: the refresh then waits for it to end.
int RefreshShortcuts(HWND mainWindow);
// The same for a tab whose folder the caller has looked up already (empty when the shell named
// none); the tab and its folder are not read again. A refresh that has to wait reads them anew.
int RefreshShortcuts(int tab, const HeapString& folder);

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

// How many times a tab was listed: read again from its sources, whatever changed in the rows.
unsigned GetListingCount();
// True when a refresh asked for during a command or an edit still waits.
bool IsRefreshWaiting();
// True while a command or a name edit holds the rows: a listing would wait for it.
bool IsListingHeld();
// The rows on show, remembered as they stand for the next run (commands/entry_marks.h), and the
// memory written: at close, when the session ends, and before an elevated copy reads it.
void SaveListedMemory();
// The status bar's count, after a command took rows away.
void ShowRowCount();

#endif
