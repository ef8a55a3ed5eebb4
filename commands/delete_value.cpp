// DeleteRunValue: the registry has no recycle bin; the saved file is the way back, so nothing is
// deleted that was not saved first, and a save whose delete was refused goes again.
#include "commands/delete_value.h"

#include "commands/live_view.h"
#include "commands/message_words.h"
#include "controls/status_bar.h"
#include "model/value_backup.h"
#include "res/resource_ids.h"

bool DeleteRunValue(HWND mainWindow, StartupSource source, const wchar_t* name)
{
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(mainWindow, GWLP_HINSTANCE));
    wchar_t place[64] = L"";
    LoadStringW(instance, IDS_PLACE_FIRST + source, place, 64);
    // The messages name the unnamed value as its row does; the registry gets its real, empty name.
    HeapString shown = name && !name[0] ? WordsWith(mainWindow, IDS_DEFAULT_VALUE, 0) : HeapString(name);
    if (ShowWordsWith(mainWindow, MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2, IDS_DELETE_VALUE, place, shown.GetBuffer())
        != IDYES)
        return false;
    HeapString saved;
    if (!SaveValueToBackupFolder(source, name, saved)) {
        ShowWordsWith(mainWindow, MB_OK | MB_ICONWARNING, IDS_VALUE_NOT_SAVED, shown.GetBuffer());
        return false;
    }
    LONG status = DeleteStartupValue(source, name);
    if (status != ERROR_SUCCESS) {
        DeleteFileW(saved.GetBuffer());
        ShowWordsWith(mainWindow, MB_OK | MB_ICONWARNING,
                      status == ERROR_ACCESS_DENIED && GetStartupSource(source).values->root == HKEY_LOCAL_MACHINE
                          ? IDS_NEEDS_ADMIN
                          : IDS_SWITCH_FAILED,
                      shown.GetBuffer());
        return false;
    }
    HeapString words = WordsWith(mainWindow, IDS_VALUE_SAVED, saved.GetBuffer());
    g_statusBar.SetText(0, words.GetBuffer());
    // A listing would put the folder's path back over where the file is.
    TakeOwnChange();
    return true;
}
