// Rename: judged by the naming rules first, then checked against the file as it was listed, then
// one FO_RENAME through the shell, so it can be undone like any rename in Explorer, or an exact
// move where the shell would reach another file or refuses a change of case; a Startup
// shortcut's switch moves with it.
#include "commands/rename_shortcut.h"

#include "commands/command_state.h"
#include "commands/entry_marks.h"
#include "commands/message_words.h"
#include "commands/refresh.h"
#include "commands/sort_rows.h"
#include "controls/main_tabs.h"
#include "controls/shortcut_view.h"
#include "model/exact_path.h"
#include "model/link_name.h"
#include "model/path_text.h"
#include "model/shell_file_operation.h"
#include "model/shortcut_item.h"
#include "model/startup_switch.h"
#include "res/resource_ids.h"

namespace {

// The file whose name is being edited, taken when the edit starts: a command or a listing may
// move the rows meanwhile, and the rename must reach this file as it was, not whichever row is
// there now.
struct Renaming {
    RowRef row;
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
    HINSTANCE instance = GetModuleHandleW(0);
    char text[256];
    char title[100];
    LoadStringA(instance, textId, text, sizeof(text));
    LoadStringA(instance, IDS_TITLE, title, sizeof(title));
    MessageBoxA(owner, text, title, MB_OK | MB_ICONWARNING);
}

// Exact paths on both sides: for a name the shell would take for another, and for a change of
// case, which Wine's shell refuses. A change of case goes through a free temporary name, since
// the file system finds the new name taken by the file itself.
bool MoveExactly(const wchar_t* oldPath, const wchar_t* newPath)
{
    HeapString from = ExactPath(oldPath);
    HeapString to = ExactPath(newPath);
    if (!SameName(oldPath, newPath))
        return MoveFileExW(from.GetBuffer(), to.GetBuffer(), 0) != FALSE;
    HeapString step(to);
    step.Append(L".renaming");
    if (!MoveFileExW(from.GetBuffer(), step.GetBuffer(), 0))
        return false;
    if (MoveFileExW(step.GetBuffer(), to.GetBuffer(), 0))
        return true;
    MoveFileExW(step.GetBuffer(), from.GetBuffer(), 0);
    return false;
}

bool RenameFile(HWND mainWindow, const RowRef& row, const wchar_t* newPath)
{
    // Through the shell where it can, so it can be undone like a rename in Explorer.
    const wchar_t* oldPath = row.GetPath();
    if (!PathIsTrimmedByWin32(oldPath)
        && RunShellFileOperation(mainWindow, FO_RENAME, oldPath, newPath, FOF_ALLOWUNDO | FOF_NOERRORUI))
        return true;
    // A shell that said no may have renamed it all the same: the file at the new name is this
    // one when it is as the row was listed, and the old name holds nothing.
    RowStamp moved;
    RowStamp left;
    if (ReadFileStamp(newPath, &moved) && SameStamp(row.GetStamp(), moved) && !ReadFileStamp(oldPath, &left))
        return true;
    return (PathIsTrimmedByWin32(oldPath) || SameName(oldPath, newPath)) && MoveExactly(oldPath, newPath);
}

// The row of the file renamed from row, bound to newPath in place: its states stay, since the
// target, the contents and the switch all moved with the file.
void RebindRow(const RowRef& row, const wchar_t* newPath)
{
    int shown = FindRow(row);
    ShortcutItem* item = GetRowItem(shown);
    if (!item)
        return;
    unsigned states = item->GetStates();
    StartupSource source = item->GetSource();
    item->Load(newPath);
    item->SetSource(source);
    item->RemoveStates(item->GetStates());
    item->AddStates(states);
    UpdateRow(shown);
    KeepChosenOrder();
}

}  // namespace

void BeginRename()
{
    int row = RowToRename();
    if (row < 0)
        return;
    FocusShortcutView();
    EditRowName(row);
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
    g_renaming.row = item->GetRef();
    g_renaming.startup = IsStartupTabSelected();
    g_renaming.switches = GetStartupSource(item->GetSource()).switches;
    SetWindowTextW(GetNameEditor(), shown);
    return false;
}

void OnEndRename(HWND mainWindow, const NMLVDISPINFOW* info)
{
    Renaming renaming = g_renaming;
    g_renaming.row = RowRef();
    {
        CommandScope scope(mainWindow);
        const wchar_t* oldPath = renaming.row.GetPath();
        // No text: the user cancelled.
        wchar_t newPath[MAX_PATH];
        LinkNameVerdict verdict =
            info->item.pszText && oldPath ? JudgeNewLinkName(oldPath, info->item.pszText, newPath) : kNameUnchanged;
        if (verdict != kNameAccepted && verdict != kNameUnchanged)
            ExplainRefusal(mainWindow, verdict);
        if (verdict == kNameAccepted && CheckRow(renaming.row) != kRowAsListed) {
            // Changed or gone since it was listed: the list is read again instead.
            ShowWordsWith(mainWindow, MB_OK | MB_ICONWARNING, IDS_ROWS_CHANGED, renaming.row.GetName());
            PostMessageA(mainWindow, WM_COMMAND, CMD_REFRESH, 0);
        } else if (verdict == kNameAccepted && !RenameFile(mainWindow, renaming.row, newPath)) {
            ShowWordsWith(mainWindow, MB_OK | MB_ICONWARNING, IDS_RENAME_FAILED, renaming.row.GetName());
        } else if (verdict == kNameAccepted) {
            if (renaming.startup)
                MoveStartupSwitch(mainWindow, GetSwitchName(oldPath), GetSwitchName(newPath), renaming.switches);
            RememberAccepted(renaming.startup, renaming.row.GetSource(), GetSwitchName(newPath));
            RebindRow(renaming.row, newPath);
        }
    }
    // A refresh that came during the edit runs once the view has finished with it.
    if (IsRefreshWaiting())
        PostMessageA(mainWindow, WM_COMMAND, CMD_REFRESH, 0);
}
