// Live listing: notifications start a short timer, restarted by each further one up to a limit,
// so that an installer's fifty files cost one listing; when it fires, the watches are revived on
// whatever is now at their paths, and the tab's sources are compared with the rows on show.
// Nothing runs while nothing changes: no timer is set until a notification comes.
#include "commands/live_view.h"

#include "commands/refresh.h"
#include "commands/row_filler.h"
#include "controls/shortcut_view.h"
#include "model/change_watch.h"
#include "model/folder_path.h"
#include "model/startup_sources.h"
#include "res/resource_ids.h"

namespace {

// A burst ends after this long without a change, or this long after its first change, whichever
// comes first: a change shows within a second even while another program keeps writing.
const UINT kQuietMilliseconds = 200;
const DWORD kLongestBurstMilliseconds = 600;

// Where the shell reads the user's folders: a Send To or Startup folder moved shows here.
const wchar_t kShellFolders[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

struct LiveView {
    LiveView() : tabIndex(-1), timerSet(false), burstStart(0) {}
    ChangeWatch watch;
    int tabIndex;  // -1 while nothing is watched
    TabSources tab;
    TabReading reading;
    HeapString lastFolders[2];  // each tab's folder where the shell last named it
    bool timerSet;
    DWORD burstStart;
};
LiveView g_live;

// A folder the shell no longer names, gone or moved, is watched where it last was, so that it is
// seen coming back.
void Watch(const TabSources& tab, const HeapString& folder)
{
    g_live.watch.Stop();
    g_live.watch.WatchKey(HKEY_CURRENT_USER, kShellFolders);
    if (folder.GetLength())
        g_live.watch.WatchFolder(folder.GetBuffer());
    if (tab.common.GetLength())
        g_live.watch.WatchFolder(tab.common.GetBuffer());
    if (!tab.startup)
        return;
    // Each key the Startup tab reads, once: every source's values and switches.
    for (int source = 0; source < kStartupSourceCount; ++source) {
        const StartupSourceInfo& info = GetStartupSource(static_cast<StartupSource>(source));
        if (info.values)
            g_live.watch.WatchKey(info.values->root, info.values->path);
        if (info.switches)
            g_live.watch.WatchKey(info.switches->root, info.switches->path);
    }
}

}  // namespace

void WatchListedSources(int tabIndex, const TabSources& tab, const TabReading& reading)
{
    // The same sources keep their watches, revived on what is at their paths now: F5 brings back
    // a folder that was renamed away and made again.
    HeapString& last = g_live.lastFolders[IsStartupTab(tabIndex)];
    if (tab.folder.GetLength())
        last = tab.folder;
    if (g_live.tabIndex == tabIndex && g_live.watch.GetCount() && SameSources(g_live.tab, tab))
        g_live.watch.Revive();
    else
        Watch(tab, last);
    g_live.tabIndex = tabIndex;
    g_live.tab = tab;
    g_live.reading = reading;
}

void StopWatching()
{
    g_live.watch.Stop();
    g_live.tabIndex = -1;
    // A timer still set goes with its window: the next window sets its own.
    g_live.timerSet = false;
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
    g_live.watch.Rearm(index);
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
    // A command or a name edit is changing the rows, or the rows are still being listed: the
    // comparison waits for them.
    if (IsListingHeld() || GetRowsToAdd() > 0) {
        SetTimer(mainWindow, kLiveTimerId, kQuietMilliseconds, 0);
        return;
    }
    KillTimer(mainWindow, kLiveTimerId);
    g_live.timerSet = false;
    if (g_live.tabIndex < 0)
        return;
    g_live.watch.Revive();
    bool moved = !SamePath(GetFolderPath(mainWindow, g_live.tabIndex), g_live.tab.folder);
    if (moved || !RowsStillHold(g_live.tab, g_live.reading))
        PostMessageA(mainWindow, WM_COMMAND, CMD_REFRESH, 0);
}
