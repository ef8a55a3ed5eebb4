// Keeps the list live: the folder on show and the keys its tab reads are watched, and a change
// made by another program lists the tab again within a second, once per burst, and not at all
// when what the listing read is unchanged (the program's own change, already on show).
#ifndef QUIVERDESK_COMMANDS_LIVE_VIEW_H
#define QUIVERDESK_COMMANDS_LIVE_VIEW_H

#include <windows.h>

#include "model/source_fingerprint.h"

// The main window's timer that ends a burst of changes.
enum { kLiveTimerId = 1 };

// After a listing of folderPath (empty: no folder) on the Startup tab or not, whose entries gave
// folderDigest (0 when it could not be read): watches what it read, and keeps the digest of it
// all to compare the next change with.
void WatchListedSources(const wchar_t* folderPath, bool startup, Fingerprint folderDigest);
void StopWatching();
// After a change the program made and already shows: it lists nothing again.
void TakeOwnChange();

// What the message loop waits on besides messages; valid until the next listing.
int GetChangeHandleCount();
const HANDLE* GetChangeHandles();
// The loop's answer to the handle at index: waits for the burst to end, then lists if needed.
void OnSourceChanged(HWND mainWindow, int index);
// WM_TIMER kLiveTimerId: the burst is over.
void OnLiveTimer(HWND mainWindow);

#endif
