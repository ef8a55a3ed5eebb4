// The list view that shows one row per shortcut: icon, name, target, description.
// A row's parameter and image index are its item's index in g_shortcutList.
#ifndef QUIVERDESK_CONTROLS_SHORTCUT_VIEW_H
#define QUIVERDESK_CONTROLS_SHORTCUT_VIEW_H

#include <windows.h>
#include <commctrl.h>

class ShortcutItem;

extern HWND g_hListView;
extern HIMAGELIST g_hImageList;  // owned here; the list view only borrows it

void CreateShortcutView(HWND mainWindow, HINSTANCE instance);
void CreateShortcutImageList();
void InsertColumns(int dpi);
// Rebuilds every image and row from g_shortcutList.
void FillShortcutView();
// Releases the image list: once, at teardown.
void DestroyShortcutImageList();

// Selection walk: the next selected row after row (-1 to start), or -1.
int NextSelectedRow(int row);
// The item a row stands for, or null when its index names no item any more.
ShortcutItem* GetRowItem(int row);

#endif
