// CreateShortcutsFromDrop: a shortcut in the folder on show for each item dragged onto the window.
#include "commands/drop_shortcuts.h"

#include <new>

#include "commands/message_words.h"
#include "commands/refresh.h"
#include "controls/main_tabs.h"
#include "controls/status_bar.h"
#include "model/folder_path.h"
#include "model/link_name.h"
#include "model/path_text.h"
#include "model/shortcut_file.h"
#include "res/resource_ids.h"

namespace {

const wchar_t kLinkExtension[] = L".lnk";
// Enough for any folder a user fills by hand; past it the drop makes nothing rather than search on.
const int kMostCopies = 1000;

// folder, stem, " (copy)" from the second copy on, ".lnk"; false when it would not fit MAX_PATH.
bool ComposeLinkPath(const HeapString& folder, const wchar_t* stem, int copy, HeapString& linkPath)
{
    wchar_t suffix[16] = L"";
    if (copy > 1)
        wsprintfW(suffix, L" (%d)", copy);
    linkPath.Assign(folder);
    linkPath.Append(stem);
    linkPath.Append(suffix);
    linkPath.Append(kLinkExtension);
    return linkPath.GetLength() < MAX_PATH;
}

}  // namespace

DropVerdict MakeDropLinkPath(const HeapString& folder, const wchar_t* droppedPath, HeapString& linkPath)
{
    // Without a folder the name would land at the root of the current drive.
    const wchar_t* name = droppedPath ? FindLastBackslash(droppedPath) : 0;
    if (folder.GetLength() == 0 || !name || !name[1])
        return kDropRefused;

    // The name from its backslash on, without its last extension.
    wchar_t stem[MAX_PATH];
    lstrcpynW(stem, name, MAX_PATH);
    wchar_t* period = FindLastPeriod(stem);
    if (period && period != stem + 1)
        *period = L'\0';
    for (int copy = 1; copy <= kMostCopies; ++copy) {
        if (!ComposeLinkPath(folder, stem, copy, linkPath))
            return kDropRefused;
        // Dropping a shortcut onto its own folder would overwrite it with a link to itself.
        if (SameName(linkPath.GetBuffer(), droppedPath))
            return kDropRefused;
        if (GetFileAttributesW(linkPath.GetBuffer()) == INVALID_FILE_ATTRIBUTES)
            return GetLastError() == ERROR_FILE_NOT_FOUND ? kDropCreate : kDropRefused;
        if (ShortcutPointsAt(linkPath.GetBuffer(), droppedPath))
            return kDropPresent;
    }
    return kDropRefused;
}

void CreateShortcutsFromDrop(HWND mainWindow, HDROP drop)
{
    // Looked up once: the listing afterwards shows the folder the shortcuts went to.
    int tab = GetSelectedTab();
    HeapString folder = GetFolderPath(mainWindow, tab);
    UINT count = DragQueryFileW(drop, 0xFFFFFFFF, 0, 0);
    UINT made = 0;
    for (UINT i = 0; i < count; ++i) {
        // Asked for its length first: a name cut to fit a buffer would be another file's name.
        UINT length = DragQueryFileW(drop, i, 0, 0);
        wchar_t* dropped = new (std::nothrow) wchar_t[length + 1];  // owned; freed below
        HeapString linkPath;
        if (dropped && DragQueryFileW(drop, i, dropped, length + 1) == length
            && MakeDropLinkPath(folder, dropped, linkPath) == kDropCreate
            && CreateShortcutFile(dropped, L"", L"", SW_SHOW, linkPath.GetBuffer()))
            ++made;
        delete[] dropped;
    }
    DragFinish(drop);
    RefreshShortcuts(mainWindow, tab, folder);
    // A drop that changed nothing in the list would otherwise look as if it was never noticed.
    if (count && !made) {
        HeapString words = WordsWith(mainWindow, IDS_DROP_MADE_NOTHING, 0);
        g_statusBar.SetText(0, words.GetBuffer());
    }
}
