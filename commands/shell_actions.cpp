// OpenFolder, ExploreTargets and ShowProperties: the shell does the work, and nothing here writes.
#include "commands/shell_actions.h"

#include <shellapi.h>
#include <shlobj.h>

#include <new>

#include "commands/message_words.h"
#include "commands/selection_command.h"
#include "controls/main_tabs.h"
#include "controls/shortcut_view.h"
#include "model/exact_path.h"
#include "model/folder_path.h"
#include "model/link_name.h"
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

// Opens folder with items selected in it, in one window. Where the shell can't take them (a
// target gone, an old shell), the folder opens alone, as it always could.
void OpenFolderSelecting(const wchar_t* folder, const wchar_t* const* items, int count)
{
    PIDLIST_ABSOLUTE folderId = count ? ILCreateFromPathW(folder) : 0;                       // owned; freed below
    PIDLIST_ABSOLUTE* itemIds = new (std::nothrow) PIDLIST_ABSOLUTE[count > 0 ? count : 1];  // owned; freed below
    PCUITEMID_CHILD* children = new (std::nothrow) PCUITEMID_CHILD[count > 0 ? count : 1];   // owned; freed below
    int parsed = 0;
    for (int i = 0; folderId && itemIds && children && i < count; ++i) {
        itemIds[parsed] = ILCreateFromPathW(items[i]);
        if (itemIds[parsed])
            children[parsed] = ILFindLastID(itemIds[parsed]), ++parsed;
    }
    bool opened = parsed && SUCCEEDED(SHOpenFolderAndSelectItems(folderId, parsed, children, 0));
    for (int i = 0; i < parsed; ++i)
        ILFree(itemIds[i]);
    delete[] children;
    delete[] itemIds;
    if (folderId)
        ILFree(folderId);
    if (!opened)
        ShellExecuteW(0, L"explore", folder, L"", L"", SW_SHOW);
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
    SelectionCommand command(mainWindow, SelectionCommand::kShows);
    int count = command.GetCount();
    // Per row: the folder to open, empty for none, and the target to select in it, empty for a
    // target that is the folder itself.
    HeapString* folders = new (std::nothrow) HeapString[count > 0 ? count : 1];           // owned; freed below
    HeapString* targets = new (std::nothrow) HeapString[count > 0 ? count : 1];           // owned; freed below
    const wchar_t** selected = new (std::nothrow) const wchar_t*[count > 0 ? count : 1];  // owned; freed below
    for (int i = 0; folders && targets && selected && i < count; ++i) {
        const ShortcutItem* item = command.Find(i);
        wchar_t target[MAX_PATH];
        // A target ending in a dot or a space would open the file Win32 trims it to.
        if (!item || !item->GetTargetPath(target, MAX_PATH) || !target[0] || HoldsWildcard(target)
            || PathIsTrimmedByWin32(target))
            continue;
        wchar_t folder[MAX_PATH];
        lstrcpynW(folder, target, MAX_PATH);
        ToFolderToExplore(folder);
        folders[i] = folder;
        if (lstrcmpW(folder, target) != 0)
            targets[i] = target;
    }
    // Each folder once, with every selected target it holds selected, as Explorer's own
    // "open file location" does for several files.
    for (int i = 0; folders && targets && selected && i < count; ++i) {
        bool opened = folders[i].GetLength() == 0;
        for (int j = 0; j < i && !opened; ++j)
            opened = SameName(folders[j].GetBuffer(), folders[i].GetBuffer());
        if (opened)
            continue;
        int items = 0;
        for (int j = i; j < count; ++j) {
            if (targets[j].GetLength() && SameName(folders[j].GetBuffer(), folders[i].GetBuffer()))
                selected[items++] = targets[j].GetBuffer();
        }
        OpenFolderSelecting(folders[i].GetBuffer(), selected, items);
    }
    delete[] selected;
    delete[] targets;
    delete[] folders;
}

void ShowProperties(HWND mainWindow)
{
    SelectionCommand command(mainWindow, SelectionCommand::kShows);
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
