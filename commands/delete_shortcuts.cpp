// DeleteSelectedShortcuts: one shell delete, with its own confirmation, per selected row.
#include "commands/delete_shortcuts.h"

#include "controls/main_tabs.h"
#include "controls/shortcut_view.h"
#include "controls/toolbar_buttons.h"
#include "model/shell_file_operation.h"
#include "model/shortcut_item.h"
#include "model/startup_switch.h"

void DeleteSelectedShortcuts(HWND mainWindow)
{
    // The shell's confirmation runs a message loop, where a second Delete would start a nested
    // walk and shift the rows under this one. That second command is ignored.
    static bool running = false;
    if (running)
        return;
    running = true;

    // Read once, so every file of this command goes the same way.
    bool permanently = GetKeyState(VK_SHIFT) < 0;
    FILEOP_FLAGS flags = permanently ? 0 : FOF_ALLOWUNDO;

    bool startup = IsStartupTabSelected();
    for (int row = NextSelectedRow(-1); row != -1; row = NextSelectedRow(row)) {
        ShortcutItem* item = GetRowItem(row);
        char switchName[MAX_PATH];
        // Named before the file goes: its long name can only be asked of a file that is there.
        bool hasSwitch = startup && item && GetSwitchName(item->GetLinkPath(), switchName);
        if (!item || !RunShellFileOperation(mainWindow, FO_DELETE, item->GetLinkPath(), 0, flags))
            continue;
        // Windows' switch for a Startup shortcut goes with the file, once the file is really gone.
        if (hasSwitch && GetFileAttributesA(item->GetLinkPath()) == INVALID_FILE_ATTRIBUTES)
            ForgetStartupSwitch(switchName);
        SendMessageA(g_hListView, LVM_DELETEITEM, row, 0);
        // The rows below moved up into this place; search again from just before it.
        --row;
    }
    running = false;
    // Deleted rows send no selection change of their own.
    UpdateToolbarState();
    SetFocus(g_hListView);
}
