// CreateShortcutsFromDrop: a shortcut in the folder on show for each item dragged onto the window.
#include "commands/drop_shortcuts.h"

#include <new>

#include "commands/entry_marks.h"
#include "commands/message_words.h"
#include "commands/refresh.h"
#include "controls/main_tabs.h"
#include "controls/status_bar.h"
#include "model/folder_path.h"
#include "model/shortcut_file.h"
#include "model/startup_switch.h"
#include "res/resource_ids.h"

// A drop writes only to a name surely free: one that could not be looked up (no access, a path the
// system refuses) may hold anything.
DropNameHolder LookUpDropName(const wchar_t* linkPath, const wchar_t* droppedPath)
{
    if (GetFileAttributesW(linkPath) == INVALID_FILE_ATTRIBUTES)
        return GetLastError() == ERROR_FILE_NOT_FOUND ? kHeldByNothing : kHolderUnknown;
    return ShortcutPointsAt(linkPath, droppedPath) ? kHeldByLinkToDropped : kHeldByOther;
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
            && MakeDropLinkPath(folder, dropped, LookUpDropName, linkPath) == kDropCreate
            && CreateShortcutFile(dropped, L"", L"", SW_SHOW, linkPath.GetBuffer())) {
            RememberAccepted(IsStartupTab(tab), kSourceUserFolder, GetSwitchName(linkPath.GetBuffer()));
            ++made;
        }
        delete[] dropped;
    }
    DragFinish(drop);
    RefreshShortcuts(tab, folder);
    // A drop that changed nothing in the list would otherwise look as if it was never noticed.
    if (count && !made) {
        HeapString words = WordsWith(IDS_DROP_MADE_NOTHING, 0);
        g_statusBar.SetText(0, words.GetBuffer());
    }
}
