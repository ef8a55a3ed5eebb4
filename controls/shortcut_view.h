// The list view that shows one row per shortcut: icon, name, target, description, state and
// publisher.
// A row's parameter is its item's index in g_shortcutList; its image is the item's icon in the
// shell's system small-icon list. Only this wrapper and the sort beside it talk to the view.
#ifndef QUIVERDESK_CONTROLS_SHORTCUT_VIEW_H
#define QUIVERDESK_CONTROLS_SHORTCUT_VIEW_H

#include <windows.h>
#include <commctrl.h>

class ShortcutItem;
class RowRef;

// The place column is the Startup tab's alone: the other tab shows the first five.
enum ShortcutColumn {
    kNameColumn,
    kTargetColumn,
    kDescriptionColumn,
    kStateColumn,
    kPublisherColumn,
    kPlaceColumn,
    kColumnCount
};

extern HWND g_hListView;         // the system destroys it with the main window
extern HIMAGELIST g_hImageList;  // the shell's; neither this program nor the view destroys it

void CreateShortcutView(HWND mainWindow, HINSTANCE instance);
// The columns at dpi, in the view's font: the state as wide as its longest words, the others
// at set widths until FitColumns.
void InsertColumns(int dpi);
// Adds the place column, as wide as its longest word, or takes it away, before the fill of a tab
// that shows it or not: the description gives it its room, and takes it back.
void ShowPlaceColumn(bool shown);
// The width the view's client area needs for every column, the place too, the description at its
// narrowest, with room for a vertical scroll bar.
int GetWantedViewWidth();
// The description takes what the other columns leave of the view's width: all of them in sight.
void FitColumns();
// Keeps each column's width, as the user may have set it, in step with a new DPI.
void ScaleColumns(int oldDpi, int newDpi);
// Rebuilds the view with the rows of the first count items of g_shortcutList, the rest to be added
// with AddRowFor. A view on show draws none: letting it draw again costs it as much as thousands of
// rows, and comes after, from ShowFilledRows (false when there was nothing to show). A view not
// shown yet draws its rows when it shows.
void FillShortcutView(int count);
// Draws nothing until ShowFilledRows: rows added one by one would each draw the scroll bar again.
void HoldRowsBack();
bool ShowFilledRows();
// The shell builds its icon list on first use, which costs more than making the whole window: it
// is asked for once the rows are on show, and only once.
void AttachSystemImageList();

// Selection walk: the next selected row after row (-1 to start), or -1.
int NextSelectedRow(int row);
// The index in g_shortcutList that the row stands for (its parameter), or -1 for no row.
int GetRowIndex(int row);
// The row that stands for the item at index in g_shortcutList, or -1.
int FindRowOfIndex(int index);
// The item a row stands for, or null when its index names no item any more or the item has no
// file name a command could use: every command skips such a row and calls nothing for it.
ShortcutItem* GetRowItem(int row);
// The item a row stands for, usable or not; null for no row.
ShortcutItem* GetListedItem(int row);
// Shows the row's item's states again, after they changed.
void UpdateRowStates(int row);
// After states changed across the list: the rows on show are drawn again, and the others when
// they come into sight.
void RedrawShownRows();
// A cell's text, as the view shows it. The view asks for the icon and every cell but the name when
// it draws a row (LVN_GETDISPINFOW), so that a row filled or checked is only drawn again.
void GetCellText(const ShortcutItem* item, int column, wchar_t* text, int capacity);
void AnswerCell(NMLVDISPINFOW* asked);
// A column's title as the header shows it; the view need not exist.
void GetColumnTitle(int column, wchar_t* title, int capacity);
// Shows every column of the row's item again, after the item was bound to another file.
void UpdateRow(int row);
// A row for the item at index in g_shortcutList, added below the others.
void AddRowFor(int index);
// The row that stands for the file or value of ref, named exactly so, or -1.
int FindRow(const RowRef& ref);
// How many times the view was filled: a command that pumped messages compares it before and
// after, since a fill leaves its rows standing for other items.
unsigned GetFillCount();

// The row with the focus rectangle, or -1.
int GetFocusedRow();
bool IsRowSelected(int row);
void SelectAllRows();
// Selects the row and, with focus, gives it the focus rectangle too.
void SelectRow(int row, bool focus);
// The first row the view shows, and scrolling until row is the first it shows (or as near as the
// rows below it allow).
int GetTopRow();
void ScrollRowToTop(int row);
// Starts editing the row's name in place; the edit control, or null when the view refused.
HWND EditRowName(int row);
// The edit control while a name is being edited, or null.
HWND GetNameEditor();
// The row's label rectangle, in the view's client coordinates.
bool GetRowRect(int row, RECT* rect);
// How many columns the header shows; 0 without a header.
int GetColumnCount();

// One message or call each, for the callers that need no more.
inline int GetRowCount()
{
    return static_cast<int>(SendMessageA(g_hListView, LVM_GETITEMCOUNT, 0, 0));
}
// The rows after it move up one place.
inline bool DeleteRow(int row)
{
    return SendMessageA(g_hListView, LVM_DELETEITEM, row, 0) != 0;
}
// The rows' images: null until the first fill.
inline HIMAGELIST GetRowImages()
{
    return reinterpret_cast<HIMAGELIST>(SendMessageA(g_hListView, LVM_GETIMAGELIST, LVSIL_SMALL, 0));
}
// Shared (LVS_SHAREIMAGELISTS): the view never destroys them.
inline void SetRowImages(HIMAGELIST images)
{
    SendMessageA(g_hListView, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
}
// The view's header control, made and destroyed by the view.
inline HWND GetShortcutViewHeader()
{
    return reinterpret_cast<HWND>(SendMessageA(g_hListView, LVM_GETHEADER, 0, 0));
}
// The view hands the font on to its header and to the editor of a name.
inline void SetShortcutViewFont(HFONT font)
{
    SendMessageA(g_hListView, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}
// Scroll bars excluded.
inline int GetShortcutViewWidth()
{
    RECT client;
    GetClientRect(g_hListView, &client);
    return client.right;
}
inline void MoveShortcutView(int x, int y, int width, int height)
{
    MoveWindow(g_hListView, x, y, width, height, TRUE);
}
inline void FocusShortcutView()
{
    SetFocus(g_hListView);
}
inline bool IsShortcutView(HWND window)
{
    return window == g_hListView;
}
inline void ShortcutViewToScreen(POINT* point)
{
    ClientToScreen(g_hListView, point);
}

#endif
