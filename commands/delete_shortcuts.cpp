// DeleteSelectedShortcuts: one shell delete, with its own confirmation, per selected file.
#include "commands/delete_shortcuts.h"

#include "commands/refresh.h"
#include "commands/rename_shortcut.h"
#include "commands/selected_files.h"
#include "controls/main_tabs.h"
#include "controls/shortcut_view.h"
#include "controls/toolbar_buttons.h"
#include "model/shell_file_operation.h"
#include "model/startup_switch.h"

void DeleteSelectedShortcuts(HWND mainWindow)
{
    // The shell's confirmation runs a message loop, where a second Delete would start a nested
    // walk over the same files. That second command is ignored.
    static bool running = false;
    if (running)
        return;
    // A name being edited is committed first, as Explorer does; the delete then reaches the file
    // by its new name.
    EndNameEdit();
    running = true;
    {
        CommandScope scope(mainWindow);
        // Read once, so every file of this command goes the same way.
        bool permanently = GetKeyState(VK_SHIFT) < 0;
        FILEOP_FLAGS flags = permanently ? 0 : FOF_ALLOWUNDO;
        bool startup = IsStartupTabSelected();
        SelectedFiles files;
        for (int i = 0; i < files.GetCount() && files.RowsStillStand(); ++i) {
            const wchar_t* path = files.GetPath(i);
            if (!RunShellFileOperation(mainWindow, FO_DELETE, path, 0, flags))
                continue;
            // Windows' switch for a Startup shortcut goes with the file, once the file is really gone.
            if (startup && GetFileAttributesW(path) == INVALID_FILE_ATTRIBUTES)
                ForgetStartupSwitch(mainWindow, GetSwitchName(path));
            int row = FindRowOfFile(path);
            if (row >= 0)
                DeleteRow(row);
        }
    }
    running = false;
    // Deleted rows send no selection change of their own. The tab is read now, not before the
    // walk: the user may have changed it while the shell asked.
    UpdateToolbarState(IsStartupTabSelected());
    FocusShortcutView();
}
