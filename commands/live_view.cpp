// Live listing: notifications start a short timer, restarted by each further one up to a limit,
// so that an installer's fifty files cost one listing; when it fires, the digest of what the
// listing reads decides whether anything changed. Nothing runs while nothing changes: no timer
// is set until a notification comes.
#include "commands/live_view.h"

#include "commands/refresh.h"
#include "model/change_watch.h"
#include "model/heap_string.h"
#include "model/source_fingerprint.h"

namespace {

const wchar_t kStartupSwitchKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\StartupFolder";

// A burst ends after this long without a change, or this long after its first change, whichever
// comes first: a change shows within a second even while another program keeps writing.
const UINT kQuietMilliseconds = 200;
const DWORD kLongestBurstMilliseconds = 600;

struct LiveView {
    ChangeWatch watch;
    HeapString folder;  // the folder the watch is on
    bool startup;
    Fingerprint digest;  // what the last listing read
    bool timerSet;
    DWORD burstStart;
};
LiveView g_live;

// The folder's part is the listing's, or a fresh read of it.
Fingerprint TakeDigest(Fingerprint folderDigest)
{
    if (g_live.startup)
        return folderDigest * 31 + FingerprintKey(HKEY_CURRENT_USER, kStartupSwitchKey);
    return folderDigest;
}

Fingerprint ReadFolderDigest()
{
    return g_live.folder.GetLength() ? FingerprintFolder(g_live.folder.GetBuffer()) : 0;
}

}  // namespace

void WatchListedSources(const wchar_t* folderPath, bool startup, Fingerprint folderDigest)
{
    bool same = g_live.startup == startup && g_live.folder.GetBuffer()
                && CompareStringOrdinal(g_live.folder.GetBuffer(), -1, folderPath, -1, FALSE) == CSTR_EQUAL;
    if (!same) {
        g_live.watch.Stop();
        g_live.folder.Assign(folderPath);
        g_live.startup = startup;
        if (folderPath[0])
            g_live.watch.WatchFolder(folderPath);
        if (startup)
            g_live.watch.WatchKey(HKEY_CURRENT_USER, kStartupSwitchKey);
    }
    g_live.digest = TakeDigest(folderDigest);
}

void StopWatching()
{
    g_live.watch.Stop();
    g_live.folder.Clear();
}

int GetChangeHandleCount()
{
    return g_live.watch.GetCount();
}

const HANDLE* GetChangeHandles()
{
    return g_live.watch.GetHandles();
}

void OnSourceChanged(HWND mainWindow, int index)
{
    // A folder that went leaves its handle signalled for good: the watch ends, and the next
    // listing watches what it finds.
    if (!g_live.watch.Rearm(index))
        StopWatching();
    DWORD now = GetTickCount();
    if (!g_live.timerSet)
        g_live.burstStart = now;
    // Restarting the timer moves the listing back; past the limit the set timer runs out.
    if (!g_live.timerSet || now - g_live.burstStart < kLongestBurstMilliseconds)
        SetTimer(mainWindow, kLiveTimerId, kQuietMilliseconds, 0);
    g_live.timerSet = true;
}

void OnLiveTimer(HWND mainWindow)
{
    KillTimer(mainWindow, kLiveTimerId);
    g_live.timerSet = false;
    if (TakeDigest(ReadFolderDigest()) != g_live.digest)
        RefreshShortcuts(mainWindow);
}
