// RefreshShortcuts: rescans the folder of the selected tab and rebuilds the list and the view.
#include "commands/refresh.h"

#include "app/main_tabs.h"
#include "controls/shortcut_view.h"
#include "controls/status_bar.h"
#include "model/folder_path.h"
#include "model/shortcut_list.h"

namespace {

const char kPattern[] = "\\*.lnk";

// Adds every *.lnk entry of folder, in file-system order; entries whose full path would not
// fit MAX_PATH are left out rather than cut.
void AddShortcutsOf(const HeapString& folder)
{
    char pattern[MAX_PATH];
    if (folder.GetLength() + lstrlenA(kPattern) >= MAX_PATH)
        return;
    lstrcpyA(pattern, folder.GetBuffer());
    lstrcatA(pattern, kPattern);

    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA(pattern, &entry);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if (folder.GetLength() + 1 + lstrlenA(entry.cFileName) >= MAX_PATH)
            continue;
        HeapString path(folder);
        path.Append("\\");
        path.Append(entry.cFileName);
        g_shortcutList.AddShortcut(path.GetBuffer());
    } while (FindNextFileA(search, &entry));
    FindClose(search);
}

}  // namespace

int RefreshShortcuts(HWND mainWindow)
{
    g_shortcutList.RemoveAll();
    HeapString folder = GetFolderPath(mainWindow, GetSelectedTab());
    if (folder.GetLength() == 0)
        return 0;
    g_statusBar.SetText(0, folder.GetBuffer());
    AddShortcutsOf(folder);
    FillShortcutView();
    return 1;
}
