// RefreshShortcuts: rescans the folder of the selected tab and rebuilds the list and the view.
#include "commands/refresh.h"

#include "commands/sort_rows.h"
#include "controls/main_tabs.h"
#include "controls/shortcut_view.h"
#include "controls/status_bar.h"
#include "controls/toolbar_buttons.h"
#include "model/bound_folder.h"
#include "model/folder_path.h"
#include "model/path_text.h"
#include "model/shortcut_list.h"
#include "model/shortcut_state.h"
#include "model/startup_switch.h"

namespace {

const char kPattern[] = "\\*.lnk";

// The name that reaches exactly this entry, or null. A long name the code page can't hold comes
// back with '?' marks, which the shell would take for wildcards; its short (8.3) name, where the
// volume keeps one, names the same file.
const char* ReachableName(const WIN32_FIND_DATAA& entry)
{
    if (!HoldsWildcard(entry.cFileName))
        return entry.cFileName;
    if (entry.cAlternateFileName[0] && !HoldsWildcard(entry.cAlternateFileName))
        return entry.cAlternateFileName;
    return 0;
}

// What an unreachable entry's row shows: its long name, '?' marks and all, without ".lnk", as
// the shell would show the name.
void MarkUnreachable(ShortcutItem* item, const WIN32_FIND_DATAA& entry)
{
    char shown[MAX_PATH];
    lstrcpynA(shown, entry.cFileName, sizeof(shown));
    char* period = FindLastPeriod(shown);
    if (period && period != shown)
        *period = '\0';
    item->MarkUnusable(shown);
}

// Adds every *.lnk entry of folder, in file-system order; entries whose full path would not
// fit MAX_PATH are left out rather than cut. The folder is bound once for all their names and icons.
// With switches (the Startup folder), each item also shows whether Windows has switched it off.
void AddShortcutsOf(const HeapString& folder, const StartupSwitches* switches)
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
    BoundFolder bound;
    bound.Bind(folder.GetBuffer());
    do {
        if (folder.GetLength() + 1 + lstrlenA(entry.cFileName) >= MAX_PATH)
            continue;
        ShortcutItem* item = g_shortcutList.Add();
        if (!item)
            continue;
        const char* name = ReachableName(entry);
        if (!name) {
            MarkUnreachable(item, entry);
            continue;
        }
        item->Load(bound, folder.GetBuffer(), name);
        // The switch goes by the long name, which an 8-bit call can only ask for when it is clean.
        if (switches && name == entry.cFileName && switches->IsOff(name))
            item->AddStates(kStateSwitchedOff);
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
    if (IsStartupTabSelected()) {
        StartupSwitches switches;
        AddShortcutsOf(folder, &switches);
    } else {
        AddShortcutsOf(folder, 0);
    }
    CheckShortcutStates(g_shortcutList);
    FillShortcutView();
    KeepChosenOrder();
    // Once per fill; after that only selection changes move the buttons.
    UpdateToolbarState();
    return 1;
}
