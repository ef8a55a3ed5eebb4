// Rename: judged by the naming rules first, then one FO_RENAME through the shell, so it can be
// undone like any rename in Explorer; a Startup shortcut's switch moves with it.
#include "commands/rename_shortcut.h"

#include "commands/refresh.h"
#include "commands/sort_rows.h"
#include "controls/main_tabs.h"
#include "controls/shortcut_view.h"
#include "model/link_name.h"
#include "model/path_text.h"
#include "model/shell_file_operation.h"
#include "model/shortcut_item.h"
#include "model/startup_switch.h"
#include "res/resource_ids.h"

namespace {

// The file whose name is being edited, taken when the edit starts: a command or a refresh may
// move the rows meanwhile, and the rename must reach this file, not whichever row is there now.
struct Renaming {
    wchar_t path[MAX_PATH];
    bool startup;
    const RegistryPlace* switches;  // the file's folder's switch key
};
Renaming g_renaming;

void ExplainRefusal(HWND owner, LinkNameVerdict verdict)
{
    UINT textId = IDS_RENAME_BAD_CHARACTER;
    switch (verdict) {
    case kNameEmpty: textId = IDS_RENAME_EMPTY; break;
    case kNameReserved: textId = IDS_RENAME_RESERVED; break;
    case kNameTooLong: textId = IDS_RENAME_TOO_LONG; break;
    case kNameTaken: textId = IDS_RENAME_TAKEN; break;
    default: break;
    }
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(owner, GWLP_HINSTANCE));
    char text[256];
    char title[100];
    LoadStringA(instance, textId, text, sizeof(text));
    LoadStringA(instance, IDS_TITLE, title, sizeof(title));
    MessageBoxA(owner, text, title, MB_OK | MB_ICONWARNING);
}

// The row of the file renamed from oldPath, bound to newPath in place: its states stay, since
// the target, the contents and the switch all moved with the file.
void RebindRow(const wchar_t* oldPath, const wchar_t* newPath)
{
    int row = FindRowOfFile(oldPath);
    ShortcutItem* item = GetRowItem(row);
    if (!item)
        return;
    unsigned states = item->GetStates();
    StartupSource source = item->GetSource();
    item->Load(newPath);
    item->SetSource(source);
    item->RemoveStates(item->GetStates());
    item->AddStates(states);
    UpdateRow(row);
    KeepChosenOrder();
}

}  // namespace

void BeginRename()
{
    int row = GetFocusedRow();
    if (row < 0 || !IsRowSelected(row))
        row = NextSelectedRow(-1);
    if (row < 0)
        return;
    FocusShortcutView();
    EditRowName(row);
}

void EndNameEdit()
{
    // The edit ends when it loses the focus, with its text kept.
    if (GetNameEditor())
        FocusShortcutView();
}

bool OnBeginRename(const NMLVDISPINFOW* info)
{
    // Only a file has a name to edit: a Run value is named by the program that wrote it.
    ShortcutItem* item = GetRowItem(info->item.iItem);
    if (!item || !item->GetLinkPath())
        return true;
    const wchar_t* name = FindLastBackslash(item->GetLinkPath());
    if (!name)
        return true;
    wchar_t shown[MAX_PATH];
    lstrcpynW(shown, name + 1, MAX_PATH);
    wchar_t* period = FindLastPeriod(shown);
    if (period && CompareStringOrdinal(period, -1, L".lnk", -1, TRUE) == CSTR_EQUAL)
        *period = L'\0';
    lstrcpynW(g_renaming.path, item->GetLinkPath(), MAX_PATH);
    g_renaming.startup = IsStartupTabSelected();
    g_renaming.switches = GetStartupSource(item->GetSource()).switches;
    SetWindowTextW(GetNameEditor(), shown);
    return false;
}

void OnEndRename(HWND mainWindow, const NMLVDISPINFOW* info)
{
    Renaming renaming = g_renaming;
    g_renaming.path[0] = L'\0';
    {
        CommandScope scope(mainWindow);
        // No text: the user cancelled.
        wchar_t newPath[MAX_PATH];
        LinkNameVerdict verdict = info->item.pszText && renaming.path[0]
                                      ? JudgeNewLinkName(renaming.path, info->item.pszText, newPath)
                                      : kNameUnchanged;
        if (verdict != kNameAccepted && verdict != kNameUnchanged)
            ExplainRefusal(mainWindow, verdict);
        // Through the shell, so it can be undone like a rename in Explorer.
        if (verdict == kNameAccepted
            && RunShellFileOperation(mainWindow, FO_RENAME, renaming.path, newPath, FOF_ALLOWUNDO)) {
            if (renaming.startup)
                MoveStartupSwitch(mainWindow, GetSwitchName(renaming.path), GetSwitchName(newPath), renaming.switches);
            RebindRow(renaming.path, newPath);
        }
    }
    // A refresh that came during the edit runs once the view has finished with it.
    if (IsRefreshWaiting())
        PostMessageA(mainWindow, WM_COMMAND, CMD_REFRESH, 0);
}
