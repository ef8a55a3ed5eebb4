// Makes a shortcut in the folder on show for every file or folder dropped on the window.
#ifndef QUIVERDESK_COMMANDS_DROP_SHORTCUTS_H
#define QUIVERDESK_COMMANDS_DROP_SHORTCUTS_H

#include <windows.h>
#include <shellapi.h>

#include "model/drop_name.h"

// What holds linkPath on disk: nothing, a shortcut that points at droppedPath with no arguments,
// or anything else. The drop's lookup, handed to MakeDropLinkPath.
DropNameHolder LookUpDropName(const wchar_t* linkPath, const wchar_t* droppedPath);

// Takes ownership of the drop handle and releases it.
void CreateShortcutsFromDrop(HWND mainWindow, HDROP drop);

#endif
