// Makes a shortcut in the folder on show for every file or folder dropped on the window.
#ifndef QUIVERDESK_COMMANDS_DROP_SHORTCUTS_H
#define QUIVERDESK_COMMANDS_DROP_SHORTCUTS_H

#include <windows.h>
#include <shellapi.h>

#include "model/heap_string.h"

// What a drop does with one dropped item.
enum DropVerdict {
    kDropCreate,   // make a new shortcut at linkPath
    kDropPresent,  // a shortcut to the same target already has the name: nothing to do
    kDropRefused   // no sound path: no folder or name, too long, or the dropped file itself
};

// The shortcut path for a dropped item: folder, '\\', the item's name without its last
// extension, ".lnk". A name taken by a shortcut to anything else is never replaced: the next
// free one is taken, "name (2).lnk", "name (3).lnk" and so on, as Explorer names copies.
DropVerdict MakeDropLinkPath(const HeapString& folder, const wchar_t* droppedPath, HeapString& linkPath);

// Takes ownership of the drop handle and releases it.
void CreateShortcutsFromDrop(HWND mainWindow, HDROP drop);

#endif
