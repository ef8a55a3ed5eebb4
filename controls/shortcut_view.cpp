// The shortcut list view: creation, columns, and rebuilding every row from the model. Every
// message the view gets is sent from here, the header's widths too, or from the sort beside it.
#include "controls/shortcut_view.h"

#include <shellapi.h>
#include <wchar.h>

#include "controls/row_icons.h"
#include "controls/state_text.h"
#include "model/shortcut_list.h"
#include "res/resource_ids.h"

HWND g_hListView = 0;
HIMAGELIST g_hImageList = 0;

namespace {

// Column titles in Shift JIS (code page 932): 名前, 送り先, 説明.
const char kNameTitle[] = "\x96\xbc\x91\x4f";
const char kTargetTitle[] = "\x91\x97\x82\xe8\x90\xe6";
const char kDescriptionTitle[] = "\x90\xe0\x96\xbe";

struct ColumnSpec {
    const char* title;
    int width;
};

const int kStateColumnWidth = 120;
bool g_placeShown = false;  // the place column is there

const ColumnSpec kColumns[] = {
    {kNameTitle, 100},
    {kTargetTitle, 100},
    {kDescriptionTitle, 300},
};

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
    // The table's widths are for 96 DPI.
    for (int i = 0; i < static_cast<int>(sizeof(kColumns) / sizeof(kColumns[0])); ++i)
        InsertColumn(i, kColumns[i].title, MulDiv(kColumns[i].width, dpi, 96));
    // Added after the original three; its title is in the string table with the other new texts.
    char stateTitle[64] = "";
    LoadStringA(GetModuleHandleW(0), IDS_COLUMN_STATE, stateTitle, sizeof(stateTitle));
    InsertColumn(kStateColumn, stateTitle, MulDiv(kStateColumnWidth, dpi, 96));
}

void ShowPlaceColumn(bool shown)
{
    if (shown == g_placeShown)
        return;
    g_placeShown = shown;
    if (!shown) {
        SendToView(LVM_DELETECOLUMN, kPlaceColumn, 0);
        return;
    }
    // As wide as the state column, which is already scaled to the window's DPI.
    char title[64] = "";
    LoadStringA(GetModuleHandleW(0), IDS_COLUMN_PLACE, title, sizeof(title));
    InsertColumn(kPlaceColumn, title, static_cast<int>(SendToView(LVM_GETCOLUMNWIDTH, kStateColumn, 0)) * 3 / 2);
}

void ScaleColumns(int oldDpi, int newDpi)
{
    int count = GetColumnCount();
    for (int column = 0; column < count; ++column) {
        int width = static_cast<int>(SendToView(LVM_GETCOLUMNWIDTH, column, 0));
        SendToView(LVM_SETCOLUMNWIDTH, column, MulDiv(width, newDpi, oldDpi));
    }
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
    if (!g_rowsHeldBack)
        SendToView(WM_SETREDRAW, FALSE, 0);
    g_rowsHeldBack = true;
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
    // not on screen yet draws nothing anyway: with every row in, it may draw at once.
    g_rowsHeldBack = IsWindowVisible(g_hListView) || count < g_shortcutList.GetCount();
    SendToView(WM_SETREDRAW, FALSE, 0);
    SendToView(LVM_DELETEALLITEMS, 0, 0);
    for (int i = 0; i < count; ++i)
        WriteRow(LVM_INSERTITEMW, i, i, g_shortcutList.GetAt(i));
    ++g_fillCount;
    if (!g_rowsHeldBack)
        SendToView(WM_SETREDRAW, TRUE, 0);
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
    case kPlaceColumn: LoadStringW(GetModuleHandleW(0), IDS_PLACE_FIRST + item->GetSource(), text, capacity); break;
    }
}

void GetColumnTitle(int column, wchar_t* title, int capacity)
{
    char loaded[64] = "";
    const char* words = loaded;
    if (column < kStateColumn)
        words = kColumns[column].title;
    else
        LoadStringA(GetModuleHandleW(0), column == kStateColumn ? IDS_COLUMN_STATE : IDS_COLUMN_PLACE, loaded,
                    sizeof(loaded));
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
