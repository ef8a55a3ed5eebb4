// OpenFolder, ExploreTargets and ShowProperties: the shell does the work; nothing here waits.
#include "commands/shell_actions.h"

#include <shellapi.h>

#include "controls/main_tabs.h"
#include "controls/shortcut_view.h"
#include "model/folder_path.h"
#include "model/path_text.h"
#include "model/shortcut_item.h"

namespace {

// Cuts path at its last backslash, keeping a drive root's own backslash: "C:" alone would name
// the drive's current folder, not its root.
void CutAtLastBackslash(char* path)
{
    char* backslash = FindLastBackslash(path);
    if (!backslash)
        return;
    if (backslash > path && backslash[-1] == ':')
        ++backslash;
    *backslash = '\0';
}

// Turns a target path into the folder to explore; false when no exact folder can be named.
// Folders, and paths the file system does not know, stay whole: the answer for a missing path
// has every bit set, the directory bit too. A target whose own name the code page can't hold
// ('?' marks) can't be asked about: the folder holding it is explored, if that one is clean.
bool ToFolderToExplore(char* path)
{
    if (!HoldsWildcard(path)) {
        if (!(GetFileAttributesA(path) & FILE_ATTRIBUTE_DIRECTORY))
            CutAtLastBackslash(path);
        return true;
    }
    CutAtLastBackslash(path);
    return !HoldsWildcard(path);
}

}  // namespace

void OpenFolder(HWND mainWindow)
{
    // Without a folder the shell would open some other place (its current one), not ours.
    HeapString folder = GetFolderPath(mainWindow, GetSelectedTab());
    if (folder.GetLength() == 0)
        return;
    ShellExecuteA(0, "open", folder.GetBuffer(), "", "", SW_SHOW);
}

void ExploreTargets(HWND)
{
    for (int row = NextSelectedRow(-1); row != -1; row = NextSelectedRow(row)) {
        ShortcutItem* item = GetRowItem(row);
        char target[MAX_PATH];
        if (!item || !item->GetTargetPath(target, sizeof(target)))
            continue;
        if (ToFolderToExplore(target))
            ShellExecuteA(0, "explore", target, "", "", SW_SHOW);
    }
}

void ShowProperties(HWND mainWindow)
{
    for (int row = NextSelectedRow(-1); row != -1; row = NextSelectedRow(row)) {
        ShortcutItem* item = GetRowItem(row);
        if (!item)
            continue;
        SHELLEXECUTEINFOA info;
        ZeroMemory(&info, sizeof(info));
        info.cbSize = sizeof(info);
        info.fMask = SEE_MASK_FLAG_NO_UI;
        info.hwnd = mainWindow;
        info.lpVerb = "properties";
        info.lpFile = item->GetLinkPath();
        ShellExecuteExA(&info);
    }
}
