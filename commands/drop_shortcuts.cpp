// CreateShortcutsFromDrop: a shortcut in the folder on show for each item dragged onto the window.
#include "commands/drop_shortcuts.h"

#include "commands/refresh.h"
#include "controls/main_tabs.h"
#include "model/folder_path.h"
#include "model/path_text.h"
#include "model/shortcut_file.h"

namespace {

const char kLinkExtension[] = ".lnk";

}  // namespace

bool MakeDropLinkPath(const HeapString& folder, const char* droppedPath, HeapString& linkPath)
{
    // Without a folder the name would land at the root of the current drive. A dropped name the
    // code page can't hold ('?' marks) names no single file to point at or to name the link after.
    if (folder.GetLength() == 0 || !droppedPath || HoldsWildcard(droppedPath))
        return false;
    const char* name = FindLastBackslash(droppedPath);
    if (!name)
        return false;

    // The name from its backslash on, without its last extension.
    char stem[MAX_PATH];
    lstrcpynA(stem, name, MAX_PATH);
    char* period = FindLastPeriod(stem);
    if (period)
        *period = '\0';
    if (folder.GetLength() + lstrlenA(stem) + lstrlenA(kLinkExtension) >= MAX_PATH)
        return false;

    linkPath.Assign(folder);
    linkPath.Append(stem);
    linkPath.Append(kLinkExtension);
    // Dropping a shortcut onto its own folder would overwrite it with a link to itself.
    return lstrcmpiA(linkPath.GetBuffer(), droppedPath) != 0;
}

void CreateShortcutsFromDrop(HWND mainWindow, HDROP drop)
{
    HeapString folder = GetFolderPath(mainWindow, GetSelectedTab());
    UINT count = DragQueryFileA(drop, 0xFFFFFFFF, 0, 0);
    for (UINT i = 0; i < count; ++i) {
        char dropped[MAX_PATH];
        // A name cut to fit the buffer is not the dropped item's name: pass it over.
        if (DragQueryFileA(drop, i, 0, 0) >= MAX_PATH || !DragQueryFileA(drop, i, dropped, MAX_PATH))
            continue;
        HeapString linkPath;
        if (MakeDropLinkPath(folder, dropped, linkPath))
            CreateShortcutFile(dropped, "", "", SW_SHOW, linkPath.GetBuffer());
    }
    DragFinish(drop);
    RefreshShortcuts(mainWindow);
}
