// The list view that shows one row per shortcut: icon, name, target, description and state.
// A row's parameter is its item's index in g_shortcutList; its image is the item's icon in the
// shell's system small-icon list.
#ifndef QUIVERDESK_CONTROLS_SHORTCUT_VIEW_H
#define QUIVERDESK_CONTROLS_SHORTCUT_VIEW_H

#include <windows.h>
#include <commctrl.h>

class ShortcutItem;

enum ShortcutColumn { kNameColumn, kTargetColumn, kDescriptionColumn, kStateColumn, kColumnCount };

extern HWND g_hListView;
extern HIMAGELIST g_hImageList;  // the shell's; neither this program nor the view destroys it

void CreateShortcutView(HWND mainWindow, HINSTANCE instance);
void InsertColumns(int dpi);
// Rebuilds every row from g_shortcutList; the first fill gives the view the shell's system
// small-icon list.
void FillShortcutView();

// Selection walk: the next selected row after row (-1 to start), or -1.
int NextSelectedRow(int row);
// The item a row stands for, or null when its index names no item any more or the item has no
// file name a command could use: every command skips such a row and calls nothing for it.
ShortcutItem* GetRowItem(int row);
// Shows the row's item's states again, after they changed.
void UpdateRowStates(int row);
// Shows every column of the row's item again, after the item was bound to another file.
void UpdateRow(int row);
// The row whose item is the file at path, exactly, or -1.
int FindRowOfFile(const wchar_t* path);
// How many times the view was filled: a command that pumped messages compares it before and
// after, since a fill leaves its rows standing for other items.
unsigned GetFillCount();

// The row with the focus rectangle, or -1.
int GetFocusedRow();
bool IsRowSelected(int row);
void SelectAllRows();
// Starts editing the row's name in place; the edit control, or null when the view refused.
HWND EditRowName(int row);
// The edit control while a name is being edited, or null.
HWND GetNameEditor();
// The row's label rectangle, in the view's client coordinates.
bool GetRowRect(int row, RECT* rect);

#endif
