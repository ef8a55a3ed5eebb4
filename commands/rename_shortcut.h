// Renames a shortcut in place in the list: the user edits its file name without ".lnk".
#ifndef QUIVERDESK_COMMANDS_RENAME_SHORTCUT_H
#define QUIVERDESK_COMMANDS_RENAME_SHORTCUT_H

#include <windows.h>
#include <commctrl.h>

// F2 and the context menu: edits the focused row's name, or the first selected one's.
void BeginRename();
// The view is about to edit a row's name: true refuses (a row no command may act on); otherwise
// the edit gets the file name, which the shell's display name may not be.
bool OnBeginRename(const NMLVDISPINFOW* info);
// The edit ended: renames through the shell, or says in a message box why not. The view never
// keeps the typed text itself; a renamed row is bound to its file's new name at once, and keeps
// its place in the selection.
void OnEndRename(HWND mainWindow, const NMLVDISPINFOW* info);

#endif
