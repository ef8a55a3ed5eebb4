// OpenFolder, ExploreTargets and ShowProperties: the shell does the work; nothing here waits.
#include "commands/shell_actions.h"

#include <shellapi.h>

#include "app/main_tabs.h"
#include "controls/shortcut_view.h"
#include "model/folder_path.h"
#include "model/path_text.h"
#include "model/shortcut_item.h"

namespace {

// Cuts a file path down to the folder that holds it. Folders, and paths the file system does not
// know, stay whole: the answer for a missing path has every bit set, the directory bit too.
void CutToHoldingFolder(char* path)
{
    if (GetFileAttributesA(path) & FILE_ATTRIBUTE_DIRECTORY)
        return;
    char* backslash = FindLastBackslash(path);
    if (backslash)
        *backslash = '\0';
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
        CutToHoldingFolder(target);
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
