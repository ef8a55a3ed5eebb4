// OpenFolder, ExploreTargets and ShowProperties: the shell does the work; nothing here waits.
#include "commands/shell_actions.h"

#include <shellapi.h>

#include "commands/message_words.h"
#include "commands/selection_command.h"
#include "controls/main_tabs.h"
#include "controls/shortcut_view.h"
#include "model/exact_path.h"
#include "model/folder_path.h"
#include "model/native_view.h"
#include "model/path_text.h"
#include "model/shortcut_item.h"
#include "res/resource_ids.h"

namespace {

// Cuts path at its last backslash, keeping a drive root's own backslash: "C:" alone would name
// the drive's current folder, not its root.
void CutAtLastBackslash(wchar_t* path)
{
    wchar_t* backslash = FindLastBackslash(path);
    if (!backslash)
        return;
    if (backslash > path && backslash[-1] == L':')
        ++backslash;
    *backslash = L'\0';
}

// Turns a target path into the folder to explore. Folders, and paths the file system does not
// know, stay whole: the answer for a missing path has every bit set, the directory bit too.
void ToFolderToExplore(wchar_t* path)
{
    DWORD attributes;
    {
        NativeFileSystemView native;
        attributes = GetFileAttributesW(path);
    }
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY))
        CutAtLastBackslash(path);
}

}  // namespace

void OpenFolder(HWND mainWindow)
{
    // Without a folder the shell would open some other place (its current one), not ours.
    HeapString folder = GetFolderPath(mainWindow, GetSelectedTab());
    if (folder.GetLength() == 0)
        return;
    ShellExecuteW(0, L"open", folder.GetBuffer(), L"", L"", SW_SHOW);
}

void ExploreTargets(HWND mainWindow)
{
    SelectionCommand command(mainWindow);
    for (int i = 0; i < command.GetCount(); ++i) {
        const ShortcutItem* item = command.Find(i);
        wchar_t target[MAX_PATH];
        if (!item || !item->GetTargetPath(target, MAX_PATH) || !target[0] || HoldsWildcard(target))
            continue;
        ToFolderToExplore(target);
        ShellExecuteW(0, L"explore", target, L"", L"", SW_SHOW);
    }
}

void ShowProperties(HWND mainWindow)
{
    SelectionCommand command(mainWindow);
    for (int i = 0; i < command.GetCount(); ++i) {
        // A Run value has no file of its own: its program's sheet stands for it.
        const ShortcutItem* item = command.Find(i);
        const wchar_t* file = !item ? L"" : item->GetLinkPath() ? item->GetLinkPath() : item->GetTarget();
        if (!file[0] || HoldsWildcard(file))
            continue;
        // The shell would show the sheet of the file Win32 trims the name to.
        if (PathIsTrimmedByWin32(file)) {
            ShowWordsWith(mainWindow, MB_OK | MB_ICONWARNING, IDS_NOT_FOR_THE_SHELL, command.GetRow(i).GetName());
            continue;
        }
        SHELLEXECUTEINFOW info;
        ZeroMemory(&info, sizeof(info));
        info.cbSize = sizeof(info);
        info.fMask = SEE_MASK_FLAG_NO_UI;
        info.hwnd = mainWindow;
        info.lpVerb = L"properties";
        info.lpFile = file;
        ShellExecuteExW(&info);
    }
}
