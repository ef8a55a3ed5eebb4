// DeleteSelectedValues: the registry has no recycle bin; the saved file is the way back, so
// nothing is deleted that was not saved first, and the file stays unless nothing at all went.
#include "commands/delete_value.h"

#include "commands/entry_marks.h"
#include "commands/message_words.h"
#include "controls/shortcut_view.h"
#include "controls/status_bar.h"
#include "model/row_ref.h"
#include "model/value_backup.h"
#include "res/resource_ids.h"

namespace {

// The messages name the unnamed value as its row does; the registry gets its real, empty name.
HeapString Shown(const wchar_t* name)
{
    return name && !name[0] ? WordsWith(IDS_DEFAULT_VALUE, 0) : HeapString(name);
}

bool ConfirmDelete(const SelectionCommand& command, const int* rows, int count)
{
    HWND window = command.GetMainWindow();
    UINT style = MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2;
    if (count > 1) {
        wchar_t number[16];
        wsprintfW(number, L"%d", count);
        return ShowWordsWith(window, style, IDS_DELETE_VALUES, number) == IDYES;
    }
    const RowRef& row = command.GetRow(rows[0]);
    HINSTANCE instance = GetModuleHandleW(0);
    wchar_t place[64] = L"";
    LoadStringW(instance, IDS_PLACE_FIRST + row.GetSource(), place, 64);
    return ShowWordsWith(window, style, IDS_DELETE_VALUE, place, Shown(row.GetValueName()).GetBuffer()) == IDYES;
}

// One value, saved first; false when it stayed whole.
bool DeleteValue(HWND window, const RowRef& row)
{
    const wchar_t* name = row.GetValueName();
    HeapString shown = Shown(name);
    HeapString saved;
    if (!SaveValueToBackupFolder(row.GetSource(), name, saved)) {
        ShowWordsWith(window, MB_OK | MB_ICONWARNING, IDS_VALUE_NOT_SAVED, shown.GetBuffer());
        return false;
    }
    bool switchDeleted = false;
    LONG status = DeleteStartupValue(row.GetSource(), name, &switchDeleted);
    RowStamp left;
    bool valueStayed = status != ERROR_SUCCESS || ReadValueStamp(row.GetSource(), name, &left);
    if (valueStayed && !switchDeleted) {
        // Nothing went: the file would only mislead.
        DeleteFileW(saved.GetBuffer());
        bool admin =
            status == ERROR_ACCESS_DENIED && GetStartupSource(row.GetSource()).values->root == HKEY_LOCAL_MACHINE;
        ShowWordsWith(window, MB_OK | MB_ICONWARNING, admin ? IDS_NEEDS_ADMIN : IDS_SWITCH_FAILED, shown.GetBuffer());
        return false;
    }
    if (valueStayed)
        ShowWordsWith(window, MB_OK | MB_ICONWARNING, IDS_VALUE_PARTLY_DELETED, shown.GetBuffer(), saved.GetBuffer());
    HeapString words = WordsWith(IDS_VALUE_SAVED, saved.GetBuffer());
    g_statusBar.SetText(0, words.GetBuffer());
    return !valueStayed;
}

}  // namespace

void DeleteSelectedValues(SelectionCommand& command, const int* rows, int count)
{
    if (count <= 0 || !ConfirmDelete(command, rows, count))
        return;
    for (int i = 0; i < count; ++i) {
        // Checked after the question, which may have stood open a while.
        if (!command.Check(rows[i]))
            continue;
        if (DeleteValue(command.GetMainWindow(), command.GetRow(rows[i]))) {
            RememberRemoval(true, command.GetRow(rows[i]), command.Find(rows[i]), kMemoryDeleted);
            int row = FindRow(command.GetRow(rows[i]));
            if (row >= 0)
                DeleteRow(row);
        }
    }
}
