// The shortcut list view: creation, columns, and rebuilding every row from the model. Every
// message the view gets is sent from here, the header's widths too, or from the sort beside it.
#include "controls/shortcut_view.h"

#include <shellapi.h>
#include <wchar.h>

#include "controls/row_icons.h"
#include "controls/state_text.h"
#include "model/shortcut_state.h"
#include "model/shortcut_list.h"
#include "res/resource_ids.h"

HWND g_hListView = 0;
HIMAGELIST g_hImageList = 0;

namespace {

// Column titles in Shift JIS (code page 932): 名前, 送り先, 説明.
const char* const kTitles[] = {"\x96\xbc\x91\x4f", "\x91\x97\x82\xe8\x90\xe6", "\x90\xe0\x96\xbe"};
// Added after the original three: their titles are in the string table with the other new texts.
const UINT kTitleIds[] = {IDS_COLUMN_STATE, IDS_COLUMN_PUBLISHER, IDS_COLUMN_PLACE};

// At 96 DPI; the state's comes from its words, the description's from FitColumns.
const int kColumnWidths[] = {100, 100, 300, 0, 100};
const int kNarrowestDescription = 120;
// What the view leaves either side of a cell's text, at 96 DPI.
const int kCellPadding = 12;

bool g_placeShown = false;  // the place column is there
int g_columnsDpi = 96;      // what the columns were last made or scaled for

LRESULT SendToView(UINT message, WPARAM wParam, LPARAM lParam)
{
    return SendMessageA(g_hListView, message, wParam, lParam);
}

void InsertColumn(int index, const char* title, int width)
{
    LVCOLUMNA column;
    ZeroMemory(&column, sizeof(column));
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = LVCFMT_LEFT;
    column.cx = width;
    column.pszText = const_cast<char*>(title);
    column.iSubItem = index;
    SendToView(LVM_INSERTCOLUMNA, index, reinterpret_cast<LPARAM>(&column));
}

int ColumnWidth(int column)
{
    return static_cast<int>(SendToView(LVM_GETCOLUMNWIDTH, column, 0));
}

void SetColumnWidth(int column, int width)
{
    SendToView(LVM_SETCOLUMNWIDTH, column, width);
}

void ColumnTitle(int column, char (&title)[64])
{
    if (column < kStateColumn)
        wsprintfA(title, "%s", kTitles[column]);
    else
        LoadStringA(GetModuleHandleW(0), kTitleIds[column - kStateColumn], title, sizeof(title));
}

// widest, or the width words need in the view's font with the cell's margins if that is more.
int Widest(const char* words, int widest)
{
    int width = static_cast<int>(SendToView(LVM_GETSTRINGWIDTHA, 0, reinterpret_cast<LPARAM>(words)))
                + MulDiv(kCellPadding, g_columnsDpi, 96);
    return width > widest ? width : widest;
}

// Each state's word alone, from the words' own table, and the two a Send To row most often shows
// together; all of them at once would leave no room for the rest.
int StateWidth()
{
    char words[MAX_PATH];
    int widest = 0;
    for (int i = 0; i <= kStateCount; ++i) {
        FormatStates(i < kStateCount ? 1u << i : kStateDuplicate | kStateHidden, words, sizeof(words));
        widest = Widest(words, widest);
    }
    return widest;
}

int PlaceWidth()
{
    char words[64];
    int widest = 0;
    for (int source = 0; source < kStartupSourceCount; ++source) {
        LoadStringA(GetModuleHandleW(0), IDS_PLACE_FIRST + source, words, sizeof(words));
        widest = Widest(words, widest);
    }
    return widest;
}

// The columns but the description, with room for a vertical scroll bar where there is none yet:
// rows added later would bring one, and it would cover the last column.
int OtherColumnsWidth()
{
    int width = GetWindowLongA(g_hListView, GWL_STYLE) & WS_VSCROLL ? 0 : GetSystemMetrics(SM_CXVSCROLL);
    for (int column = 0; column < GetColumnCount(); ++column)
        width += column == kDescriptionColumn ? 0 : ColumnWidth(column);
    return width;
}

int Narrowest(int width)
{
    int narrowest = MulDiv(kNarrowestDescription, g_columnsDpi, 96);
    return width > narrowest ? width : narrowest;
}

// What an unusable row says in place of a description; loaded once.
const wchar_t* UnusableNote()
{
    static wchar_t note[MAX_PATH];
    if (!note[0])
        LoadStringW(GetModuleHandleW(0), IDS_PATH_TOO_LONG, note, MAX_PATH);
    return note;
}

// The program's own words, read as the 8-bit messages would read them.
void WordsToText(const char* words, wchar_t* text, int capacity)
{
    if (!MultiByteToWideChar(CP_ACP, 0, words, -1, text, capacity))
        text[0] = L'\0';
}

// A cell that asks the program for its text each time it is drawn: filling a row then changes
// what the program holds, and the view only has to draw it again.
void SetCellAsked(int row, int column)
{
    LVITEMW cell;
    ZeroMemory(&cell, sizeof(cell));
    cell.mask = LVIF_TEXT;
    cell.iItem = row;
    cell.iSubItem = column;
    cell.pszText = LPSTR_TEXTCALLBACKW;
    SendToView(LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&cell));
}

bool IsRowOnShow(int row)
{
    int top = static_cast<int>(SendToView(LVM_GETTOPINDEX, 0, 0));
    return row >= top && row <= top + static_cast<int>(SendToView(LVM_GETCOUNTPERPAGE, 0, 0));
}

// Only a row on show needs drawing again: asking for others costs the system a call each.
void RedrawRow(int row)
{
    if (row >= 0 && IsRowOnShow(row))
        SendToView(LVM_REDRAWITEMS, row, row);
}

// The first column's text is the row's own, which the name editor starts from; its icon and the
// other cells ask.
void WriteRow(UINT message, int position, int index, const ShortcutItem* item)
{
    wchar_t name[MAX_PATH] = L"";
    if (item)
        item->GetDisplayName(name, MAX_PATH);
    LVITEMW row;
    ZeroMemory(&row, sizeof(row));
    row.iItem = position;
    if (message == LVM_SETITEMW) {
        // Unchanged, the row is drawn again, not set again.
        wchar_t shown[MAX_PATH] = L"";
        row.pszText = shown;
        row.cchTextMax = MAX_PATH;
        SendToView(LVM_GETITEMTEXTW, position, reinterpret_cast<LPARAM>(&row));
        if (lstrcmpW(shown, name) == 0) {
            RedrawRow(position);
            return;
        }
    }
    row.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    row.pszText = name;
    row.iImage = I_IMAGECALLBACK;
    row.lParam = index;
    int written = static_cast<int>(SendToView(message, 0, reinterpret_cast<LPARAM>(&row)));
    if (message != LVM_INSERTITEMW)
        return;
    for (int column = kTargetColumn; column < GetColumnCount(); ++column)
        SetCellAsked(written, column);
}

unsigned g_fillCount = 0;
// Rows filled in with drawing off, not yet drawn: the view draws again in a message of its own.
bool g_rowsHeldBack = false;

}  // namespace

void CreateShortcutView(HWND mainWindow, HINSTANCE instance)
{
    RECT client;
    GetClientRect(mainWindow, &client);
    g_hListView = CreateWindowExA(0, WC_LISTVIEWA, "",
                                  WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS
                                      | LVS_SHAREIMAGELISTS | LVS_EDITLABELS,
                                  10, 10, client.right - client.left - 20, client.bottom - client.top - 20, mainWindow,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(CTRL_LIST)), instance, 0);
    LRESULT style = SendToView(LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0);
    SendToView(LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
               style | LVS_EX_GRIDLINES | LVS_EX_HEADERDRAGDROP | LVS_EX_FULLROWSELECT);
}

void InsertColumns(int dpi)
{
    g_columnsDpi = dpi;
    char title[64];
    for (int i = 0; i < kPlaceColumn; ++i) {
        ColumnTitle(i, title);
        InsertColumn(i, title, i == kStateColumn ? StateWidth() : MulDiv(kColumnWidths[i], dpi, 96));
    }
}

void ShowPlaceColumn(bool shown)
{
    if (shown == g_placeShown)
        return;
    g_placeShown = shown;
    int description = ColumnWidth(kDescriptionColumn);
    if (!shown) {
        SetColumnWidth(kDescriptionColumn, description + ColumnWidth(kPlaceColumn));
        SendToView(LVM_DELETECOLUMN, kPlaceColumn, 0);
        return;
    }
    char title[64];
    ColumnTitle(kPlaceColumn, title);
    int place = PlaceWidth();
    InsertColumn(kPlaceColumn, title, place);
    SetColumnWidth(kDescriptionColumn, Narrowest(description - place));
}

int GetWantedViewWidth()
{
    return OtherColumnsWidth() + (g_placeShown ? 0 : PlaceWidth()) + Narrowest(0);
}

void FitColumns()
{
    SetColumnWidth(kDescriptionColumn, Narrowest(GetShortcutViewWidth() - OtherColumnsWidth()));
}

void ScaleColumns(int oldDpi, int newDpi)
{
    g_columnsDpi = newDpi;
    int count = GetColumnCount();
    for (int column = 0; column < count; ++column)
        SetColumnWidth(column, MulDiv(ColumnWidth(column), newDpi, oldDpi));
}

void AttachSystemImageList()
{
    if (SendToView(LVM_GETIMAGELIST, LVSIL_SMALL, 0))
        return;
    // The shell's own list: full colour with masks, every icon once for the whole system, and
    // never destroyed by a program, which is why the view is told it is shared.
    SHFILEINFOW info;
    ZeroMemory(&info, sizeof(info));
    // Given its icons, the view would draw every row again: it draws once, from ShowFilledRows.
    HoldRowsBack();
    g_hImageList =
        reinterpret_cast<HIMAGELIST>(SHGetFileInfoW(L".lnk", FILE_ATTRIBUTE_NORMAL, &info, sizeof(info),
                                                    SHGFI_USEFILEATTRIBUTES | SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    SendToView(LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(g_hImageList));
}

void FillShortcutView(int count)
{
    if (count > g_shortcutList.GetCount())
        count = g_shortcutList.GetCount();
    // One repaint for the whole fill rather than one per row, and in a message of its own. A view
    // not on screen yet draws nothing anyway: its first rows are drawn when it shows, and the rest
    // join them while it is held back for the icons (HoldRowsBack).
    g_rowsHeldBack = IsWindowVisible(g_hListView);
    SendToView(WM_SETREDRAW, FALSE, 0);
    SendToView(LVM_DELETEALLITEMS, 0, 0);
    for (int i = 0; i < count; ++i)
        WriteRow(LVM_INSERTITEMW, i, i, g_shortcutList.GetAt(i));
    ++g_fillCount;
    if (!g_rowsHeldBack)
        SendToView(WM_SETREDRAW, TRUE, 0);
}

void HoldRowsBack()
{
    if (!g_rowsHeldBack)
        SendToView(WM_SETREDRAW, FALSE, 0);
    g_rowsHeldBack = true;
}

bool ShowFilledRows()
{
    if (!g_rowsHeldBack)
        return false;
    g_rowsHeldBack = false;
    SendToView(WM_SETREDRAW, TRUE, 0);
    // All of it invalid and erased, as InvalidateRect(view, 0, TRUE) would make it.
    RedrawWindow(g_hListView, 0, 0, RDW_INVALIDATE | RDW_ERASE);
    return true;
}

int NextSelectedRow(int row)
{
    return static_cast<int>(SendToView(LVM_GETNEXTITEM, row, MAKELPARAM(LVNI_SELECTED, 0)));
}

int GetRowIndex(int row)
{
    LVITEMA item;
    ZeroMemory(&item, sizeof(item));
    item.mask = LVIF_PARAM;
    item.iItem = row;
    return SendToView(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)) ? static_cast<int>(item.lParam) : -1;
}

int FindRowOfIndex(int index)
{
    LVFINDINFOA find;
    ZeroMemory(&find, sizeof(find));
    find.flags = LVFI_PARAM;
    find.lParam = index;
    return static_cast<int>(SendToView(LVM_FINDITEMA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)));
}

ShortcutItem* GetListedItem(int row)
{
    return g_shortcutList.GetAt(GetRowIndex(row));
}

ShortcutItem* GetRowItem(int row)
{
    ShortcutItem* shortcut = GetListedItem(row);
    return shortcut && shortcut->IsUsable() ? shortcut : 0;
}

unsigned GetFillCount()
{
    return g_fillCount;
}

int FindRow(const RowRef& ref)
{
    int rows = static_cast<int>(SendToView(LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < rows; ++row) {
        const ShortcutItem* item = GetRowItem(row);
        if (item && item->Is(ref))
            return row;
    }
    return -1;
}

void UpdateRow(int row)
{
    if (row >= 0)
        WriteRow(LVM_SETITEMW, row, GetRowIndex(row), GetRowItem(row));
}

void AddRowFor(int index)
{
    WriteRow(LVM_INSERTITEMW, GetRowCount(), index, g_shortcutList.GetAt(index));
}

void UpdateRowStates(int row)
{
    RedrawRow(row);
}

void RedrawShownRows()
{
    int top = static_cast<int>(SendToView(LVM_GETTOPINDEX, 0, 0));
    SendToView(LVM_REDRAWITEMS, top, top + static_cast<int>(SendToView(LVM_GETCOUNTPERPAGE, 0, 0)));
}

void GetCellText(const ShortcutItem* item, int column, wchar_t* text, int capacity)
{
    text[0] = L'\0';
    if (!item)
        return;
    char words[MAX_PATH] = "";
    switch (column) {
    case kNameColumn: item->GetDisplayName(text, capacity); break;
    case kTargetColumn: item->GetTargetPath(text, capacity); break;
    case kDescriptionColumn:
        // A row no command acts on says so, where the description would stand.
        if (item->IsUsable())
            item->GetDescription(text, capacity);
        else
            lstrcpynW(text, UnusableNote(), capacity);
        break;
    case kStateColumn:
        FormatStates(item->GetStates(), words, sizeof(words));
        WordsToText(words, text, capacity);
        break;
    case kPublisherColumn: lstrcpynW(text, item->GetPublisher(), capacity); break;
    case kPlaceColumn: LoadStringW(GetModuleHandleW(0), IDS_PLACE_FIRST + item->GetSource(), text, capacity); break;
    }
}

void GetColumnTitle(int column, wchar_t* title, int capacity)
{
    char words[64];
    ColumnTitle(column, words);
    WordsToText(words, title, capacity);
}

void AnswerCell(NMLVDISPINFOW* asked)
{
    const ShortcutItem* item = g_shortcutList.GetAt(static_cast<int>(asked->item.lParam));
    if (asked->item.mask & LVIF_TEXT)
        GetCellText(item, asked->item.iSubItem, asked->item.pszText, asked->item.cchTextMax);
    if (asked->item.mask & LVIF_IMAGE)
        asked->item.iImage = item && item->GetIconIndex() >= 0 ? item->GetIconIndex() : I_IMAGENONE;
}

int GetFocusedRow()
{
    return static_cast<int>(SendToView(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), MAKELPARAM(LVNI_FOCUSED, 0)));
}

bool IsRowSelected(int row)
{
    return SendToView(LVM_GETITEMSTATE, row, LVIS_SELECTED) != 0;
}

void SelectAllRows()
{
    LVITEMA item;
    ZeroMemory(&item, sizeof(item));
    item.stateMask = LVIS_SELECTED;
    item.state = LVIS_SELECTED;
    SendToView(LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
}

void SelectRow(int row, bool focus)
{
    LVITEMA item;
    ZeroMemory(&item, sizeof(item));
    item.stateMask = LVIS_SELECTED | (focus ? LVIS_FOCUSED : 0);
    item.state = item.stateMask;
    SendToView(LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

int GetTopRow()
{
    return static_cast<int>(SendToView(LVM_GETTOPINDEX, 0, 0));
}

void ScrollRowToTop(int row)
{
    RECT first;
    first.left = LVIR_BOUNDS;
    if (row <= 0 || !SendToView(LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first)))
        return;
    // A report view scrolls by whole rows: the distance is rows times one row's height.
    int rows = row - GetTopRow();
    SendToView(LVM_SCROLL, 0, rows * (first.bottom - first.top));
}

HWND EditRowName(int row)
{
    return reinterpret_cast<HWND>(SendToView(LVM_EDITLABELW, row, 0));
}

HWND GetNameEditor()
{
    return reinterpret_cast<HWND>(SendToView(LVM_GETEDITCONTROL, 0, 0));
}

bool GetRowRect(int row, RECT* rect)
{
    rect->left = LVIR_LABEL;
    return SendToView(LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(rect)) != 0;
}

int GetColumnCount()
{
    // Without a header the message goes nowhere, and the answer is 0.
    return static_cast<int>(SendMessageA(GetShortcutViewHeader(), HDM_GETITEMCOUNT, 0, 0));
}
