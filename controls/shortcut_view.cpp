// The shortcut list view: creation, columns, and rebuilding every row from the model.
#include "controls/shortcut_view.h"

#include <shellapi.h>

#include "app/quiverdesk.h"
#include "controls/row_icons.h"
#include "controls/state_text.h"
#include "model/shortcut_list.h"

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

void SetSubItemText(int row, int subItem, char* text)
{
    LVITEMA item;
    ZeroMemory(&item, sizeof(item));
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.iSubItem = subItem;
    item.pszText = text;
    SendToView(LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

// What an unusable row says in place of a description; loaded once.
const char* UnusableNote()
{
    static char note[MAX_PATH];
    if (!note[0])
        LoadStringA(reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(g_hListView, GWLP_HINSTANCE)),
                    IDS_UNUSABLE_NAME, note, sizeof(note));
    return note;
}

void InsertRow(int index, const ShortcutItem* item)
{
    // Each read leaves a terminated text, empty when the value can't be had.
    char name[MAX_PATH];
    char target[MAX_PATH];
    char description[MAX_PATH];
    char states[MAX_PATH];
    name[0] = target[0] = description[0] = states[0] = '\0';
    int image = I_IMAGENONE;
    if (item) {
        item->GetDisplayName(name, sizeof(name));
        item->GetTargetPath(target, sizeof(target));
        item->GetDescription(description, sizeof(description));
        FormatStates(g_hListView, item->GetStates(), states, sizeof(states));
        if (item->GetIconIndex() >= 0)
            image = item->GetIconIndex();
        // A row no command acts on says so, where the description would stand.
        if (!item->IsUsable())
            lstrcpynA(description, UnusableNote(), sizeof(description));
    }

    LVITEMA row;
    ZeroMemory(&row, sizeof(row));
    row.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    row.iItem = index;
    row.pszText = name;
    row.iImage = image;
    row.lParam = index;
    SendToView(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&row));
    SetSubItemText(index, kTargetColumn, target);
    SetSubItemText(index, kDescriptionColumn, description);
    SetSubItemText(index, kStateColumn, states);
}

// The shell builds its icon list on first use, which costs more than making the whole window:
// the view asks for it with the first listing, once the window is on screen.
void AttachSystemImageList()
{
    if (SendToView(LVM_GETIMAGELIST, LVSIL_SMALL, 0))
        return;
    // The shell's own list: full colour with masks, every icon once for the whole system, and
    // never destroyed by a program, which is why the view is told it is shared.
    SHFILEINFOA info;
    ZeroMemory(&info, sizeof(info));
    g_hImageList = reinterpret_cast<HIMAGELIST>(SHGetFileInfoA(
        ".lnk", FILE_ATTRIBUTE_NORMAL, &info, sizeof(info),
        SHGFI_USEFILEATTRIBUTES | SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    SendToView(LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(g_hImageList));
}

}  // namespace

void CreateShortcutView(HWND mainWindow, HINSTANCE instance)
{
    RECT client;
    GetClientRect(mainWindow, &client);
    g_hListView = CreateWindowExA(0, WC_LISTVIEWA, "",
                                  WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS
                                      | LVS_SHAREIMAGELISTS | LVS_EDITLABELS,
                                  10, 10, client.right - client.left - 20, client.bottom - client.top - 20,
                                  mainWindow, reinterpret_cast<HMENU>(static_cast<INT_PTR>(CTRL_LIST)), instance, 0);
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
    LoadStringA(reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(g_hListView, GWLP_HINSTANCE)), IDS_COLUMN_STATE,
                stateTitle, sizeof(stateTitle));
    InsertColumn(kStateColumn, stateTitle, MulDiv(kStateColumnWidth, dpi, 96));
}

void FillShortcutView()
{
    int count = g_shortcutList.GetCount();
    AttachSystemImageList();
    UpdateRowIcons();
    // One repaint for the whole fill rather than one per row.
    SendToView(WM_SETREDRAW, FALSE, 0);
    SendToView(LVM_DELETEALLITEMS, 0, 0);
    for (int i = 0; i < count; ++i)
        InsertRow(i, g_shortcutList.GetAt(i));
    SendToView(WM_SETREDRAW, TRUE, 0);
    InvalidateRect(g_hListView, 0, TRUE);
}

int NextSelectedRow(int row)
{
    return static_cast<int>(SendToView(LVM_GETNEXTITEM, row, MAKELPARAM(LVNI_SELECTED, 0)));
}

ShortcutItem* GetRowItem(int row)
{
    LVITEMA item;
    ZeroMemory(&item, sizeof(item));
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (!SendToView(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)))
        return 0;
    ShortcutItem* shortcut = g_shortcutList.GetAt(static_cast<int>(item.lParam));
    return shortcut && shortcut->IsUsable() ? shortcut : 0;
}

void UpdateRowStates(int row)
{
    char states[MAX_PATH];
    ShortcutItem* item = GetRowItem(row);
    FormatStates(g_hListView, item ? item->GetStates() : 0, states, sizeof(states));
    SetSubItemText(row, kStateColumn, states);
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

HWND EditRowName(int row)
{
    return reinterpret_cast<HWND>(SendToView(LVM_EDITLABELA, row, 0));
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
