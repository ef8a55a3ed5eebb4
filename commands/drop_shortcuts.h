// Makes a shortcut in the folder on show for every file or folder dropped on the window.
#ifndef QUIVERDESK_COMMANDS_DROP_SHORTCUTS_H
#define QUIVERDESK_COMMANDS_DROP_SHORTCUTS_H

#include <windows.h>
#include <shellapi.h>

#include "model/heap_string.h"

// The shortcut path for a dropped item: folder, '\\', the item's name without its last
// extension, ".lnk". False when no sound path results: no folder, no name, too long for
// MAX_PATH, or the path would be the dropped file itself.
bool MakeDropLinkPath(const HeapString& folder, const char* droppedPath, HeapString& linkPath);

// Takes ownership of the drop handle and releases it.
void CreateShortcutsFromDrop(HWND mainWindow, HDROP drop);

#endif
