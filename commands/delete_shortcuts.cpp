// DeleteSelectedShortcuts: one shell delete, with its own confirmation, per selected file, and
// one saved delete per selected Run value.
#include "commands/delete_shortcuts.h"

#include "commands/delete_value.h"
#include "commands/refresh.h"
#include "commands/rename_shortcut.h"
#include "commands/selected_files.h"
#include "controls/main_tabs.h"
#include "controls/shortcut_view.h"
#include "controls/toolbar_buttons.h"
#include "model/shell_file_operation.h"
#include "model/shortcut_item.h"
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
            const ShortcutItem* item = GetRowItem(FindRowOfFile(files.GetIdentity(i)));
            if (!item)
                continue;
            StartupSource source = item->GetSource();
            const wchar_t* path = files.GetPath(i);
            if (!path) {
                // Copied: the confirmation's message loop may list the rows again.
                HeapString name(item->GetValueName());
                if (!DeleteRunValue(mainWindow, source, name.GetBuffer()))
                    continue;
            } else if (!RunShellFileOperation(mainWindow, FO_DELETE, path, 0, flags)) {
                continue;
            } else if (startup && GetFileAttributesW(path) == INVALID_FILE_ATTRIBUTES) {
                // Windows' switch for a Startup file goes with the file, once the file is really gone.
                ForgetStartupSwitch(mainWindow, GetSwitchName(path), GetStartupSource(source).switches);
            }
            int row = FindRowOfFile(files.GetIdentity(i));
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
