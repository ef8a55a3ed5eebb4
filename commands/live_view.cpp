// Live listing: notifications start a short timer, restarted by each further one up to a limit,
// so that an installer's fifty files cost one listing; when it fires, the digest of what the
// listing reads decides whether anything changed. Nothing runs while nothing changes: no timer
// is set until a notification comes.
#include "commands/live_view.h"

#include "commands/refresh.h"
#include "commands/startup_rows.h"
#include "model/change_watch.h"
#include "model/heap_string.h"
#include "model/source_fingerprint.h"
#include "model/startup_sources.h"

namespace {

// A burst ends after this long without a change, or this long after its first change, whichever
// comes first: a change shows within a second even while another program keeps writing.
const UINT kQuietMilliseconds = 200;
const DWORD kLongestBurstMilliseconds = 600;

struct LiveView {
    ChangeWatch watch;
    HeapString folder;  // the folder the watch is on
    bool startup;
    HeapString common;   // on the Startup tab, the all-users folder, watched too
    Fingerprint digest;  // what the last listing read
    bool timerSet;
    DWORD burstStart;
};
LiveView g_live;

// A place's key under its root: its name past the root's own.
const wchar_t* SubKeyOf(const RegistryPlace& place)
{
    const wchar_t* backslash = wcschr(place.name, L'\\');
    return backslash ? backslash + 1 : L"";
}

// Each key the Startup tab reads, once: every source's values and switches. Sources share no
// key, and those without one have none to give.
template <typename Visit>
void ForEachStartupKey(Visit visit)
{
    for (int source = 0; source < kStartupSourceCount; ++source) {
        const StartupSourceInfo& info = GetStartupSource(static_cast<StartupSource>(source));
        if (info.values)
            visit(*info.values);
        if (info.switches)
            visit(*info.switches);
    }
}

// The folders' part is the listing's, or a fresh read of them in the listing's order.
Fingerprint TakeDigest(Fingerprint foldersDigest)
{
    Fingerprint digest = foldersDigest;
    if (g_live.startup) {
        ForEachStartupKey([&digest](const RegistryPlace& place) {
            digest = digest * 31 + FingerprintKey(place.root, SubKeyOf(place));
        });
    }
    return digest;
}

Fingerprint ReadFoldersDigest()
{
    FolderDigest digest;
    if (g_live.folder.GetLength())
        digest.AddFolder(g_live.folder.GetBuffer());
    if (g_live.common.GetLength())
        digest.AddFolder(g_live.common.GetBuffer());
    return digest.Get();
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
        g_live.common.Assign(startup ? GetSourceFolder(kSourceCommonFolder).GetBuffer() : L"");
        if (g_live.common.GetLength())
            g_live.watch.WatchFolder(g_live.common.GetBuffer());
        if (startup)
            ForEachStartupKey([](const RegistryPlace& place) { g_live.watch.WatchKey(place.root, SubKeyOf(place)); });
    }
    g_live.digest = TakeDigest(folderDigest);
}

void TakeOwnChange()
{
    g_live.digest = TakeDigest(ReadFoldersDigest());
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
    if (TakeDigest(ReadFoldersDigest()) != g_live.digest)
        RefreshShortcuts(mainWindow);
}
