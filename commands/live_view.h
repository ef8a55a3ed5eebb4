// Keeps the list live: the folders and keys the tab on show reads are watched, along with the
// key that says where the shell's folders are, and a change made by another program lists the
// tab again within a second, once per burst, through the same command as F5. The rows on show are
// the record of what the program itself did, so its own changes list nothing.
#ifndef QUIVERDESK_COMMANDS_LIVE_VIEW_H
#define QUIVERDESK_COMMANDS_LIVE_VIEW_H

#include <windows.h>

#include "commands/tab_sources.h"

// The main window's timer that ends a burst of changes.
enum { kLiveTimerId = 1 };

// After a listing of tab, which read reading beside its rows: watches what it read.
void WatchListedSources(int tabIndex, const TabSources& tab, const TabReading& reading);
void StopWatching();

// What the message loop waits on besides messages; valid until the next listing.
int GetChangeHandleCount();
const HANDLE* GetChangeHandles();
// The loop's answer to the handle at index: waits for the burst to end, then lists if needed.
void OnSourceChanged(HWND mainWindow, int index);
// WM_TIMER kLiveTimerId: the burst is over.
void OnLiveTimer(HWND mainWindow);

#endif
