// Rename: judged by the naming rules first, then one FO_RENAME through the shell, so it can be
// undone like any rename in Explorer; a Startup shortcut's switch moves with it.
#include "commands/rename_shortcut.h"

#include "app/quiverdesk.h"
#include "controls/main_tabs.h"
#include "controls/shortcut_view.h"
#include "model/link_name.h"
#include "model/path_text.h"
#include "model/shell_file_operation.h"
#include "model/shortcut_item.h"
#include "model/startup_switch.h"

namespace {

// The file whose name is being edited, taken when the edit starts: a command or a refresh may
// move the rows meanwhile, and the rename must reach this file, not whichever row is there now.
struct Renaming {
    char path[MAX_PATH];
    bool startup;
};
Renaming g_renaming;

// The item's long path, '?' marks and all where the code page lacks a character.
bool GetLongLinkPath(const ShortcutItem& item, char (&path)[MAX_PATH])
{
    DWORD length = GetLongPathNameA(item.GetLinkPath(), path, sizeof(path));
    return length > 0 && length < sizeof(path);
}

void ExplainRefusal(HWND owner, LinkNameVerdict verdict)
{
    UINT textId = IDS_RENAME_BAD_CHARACTER;
    switch (verdict) {
    case kNameEmpty:   textId = IDS_RENAME_EMPTY; break;
    case kNameTooLong: textId = IDS_RENAME_TOO_LONG; break;
    case kNameTaken:   textId = IDS_RENAME_TAKEN; break;
    default:           break;
    }
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(owner, GWLP_HINSTANCE));
    char text[256];
    char title[100];
    LoadStringA(instance, textId, text, sizeof(text));
    LoadStringA(instance, IDS_TITLE, title, sizeof(title));
    MessageBoxA(owner, text, title, MB_OK | MB_ICONWARNING);
}

}  // namespace

void BeginRename()
{
    int row = GetFocusedRow();
    if (row < 0 || !IsRowSelected(row))
        row = NextSelectedRow(-1);
    if (row < 0)
        return;
    SetFocus(g_hListView);
    EditRowName(row);
}

bool OnBeginRename(const NMLVDISPINFOA* info)
{
    ShortcutItem* item = GetRowItem(info->item.iItem);
    char longPath[MAX_PATH];
    if (!item || lstrlenA(item->GetLinkPath()) >= MAX_PATH || !GetLongLinkPath(*item, longPath))
        return true;
    char* name = FindLastBackslash(longPath);
    if (!name)
        return true;
    ++name;
    char* period = FindLastPeriod(name);
    if (period && lstrcmpiA(period, ".lnk") == 0)
        *period = '\0';
    lstrcpynA(g_renaming.path, item->GetLinkPath(), MAX_PATH);
    g_renaming.startup = IsStartupTabSelected();
    SetWindowTextA(GetNameEditor(), name);
    return false;
}

void OnEndRename(HWND mainWindow, const NMLVDISPINFOA* info)
{
    Renaming renaming = g_renaming;
    g_renaming.path[0] = '\0';
    // No text: the user cancelled.
    if (!info->item.pszText || !renaming.path[0])
        return;
    char newPath[MAX_PATH];
    LinkNameVerdict verdict = JudgeNewLinkName(renaming.path, info->item.pszText, newPath);
    if (verdict == kNameUnchanged)
        return;
    if (verdict != kNameAccepted) {
        ExplainRefusal(mainWindow, verdict);
        return;
    }
    char switchName[MAX_PATH];
    bool hasSwitch = renaming.startup && GetSwitchName(renaming.path, switchName);
    // Through the shell, so it can be undone like a rename in Explorer.
    if (!RunShellFileOperation(mainWindow, FO_RENAME, renaming.path, newPath, FOF_ALLOWUNDO))
        return;
    if (hasSwitch)
        MoveStartupSwitch(switchName, FindLastBackslash(newPath) + 1);
    // Listed again once the view has finished with its edit.
    PostMessageA(mainWindow, WM_COMMAND, CMD_REFRESH, 0);
}
