// SortShortcutView: every item's text in the column is read once, then the view sorts by its rows'
// item indexes.
#include "controls/view_sort.h"

#include <new>

#include <shlwapi.h>

#include "controls/shortcut_view.h"
#include "model/shortcut_list.h"

namespace {

// One column's texts, indexed by item index (the rows' parameter).
struct SortTexts {
    wchar_t (*texts)[MAX_PATH];  // owned, new[]
    int count;
    bool descending;
};

int CALLBACK CompareRows(LPARAM left, LPARAM right, LPARAM context)
{
    const SortTexts* sort = reinterpret_cast<const SortTexts*>(context);
    int order = 0;
    if (left >= 0 && right >= 0 && left < sort->count && right < sort->count) {
        // As Explorer orders names: case ignored, and the digits in a name by their value, so
        // "App 2" comes before "App 10".
        order = StrCmpLogicalW(sort->texts[left], sort->texts[right]);
    }
    if (order == 0)
        order = left < right ? -1 : (left > right ? 1 : 0);
    return sort->descending ? -order : order;
}

int GetHeaderFormat(HWND header, int column)
{
    HDITEMA item;
    ZeroMemory(&item, sizeof(item));
    item.mask = HDI_FORMAT;
    SendMessageA(header, HDM_GETITEMA, column, reinterpret_cast<LPARAM>(&item));
    return item.fmt;
}

}  // namespace

void SortShortcutView(int column, bool descending)
{
    SortTexts sort;
    sort.count = g_shortcutList.GetCount();
    sort.descending = descending;
    sort.texts = new (std::nothrow) wchar_t[sort.count > 0 ? sort.count : 1][MAX_PATH];
    if (!sort.texts)
        return;
    for (int index = 0; index < sort.count; ++index)
        GetCellText(g_shortcutList.GetAt(index), column, sort.texts[index], MAX_PATH);
    SendMessageA(g_hListView, LVM_SORTITEMS, reinterpret_cast<WPARAM>(&sort), reinterpret_cast<LPARAM>(CompareRows));
    delete[] sort.texts;
}

int GetSortArrow(bool* descending)
{
    HWND header = GetShortcutViewHeader();
    int count = GetColumnCount();
    for (int i = 0; i < count; ++i) {
        int format = GetHeaderFormat(header, i);
        if (format & (HDF_SORTUP | HDF_SORTDOWN)) {
            *descending = (format & HDF_SORTDOWN) != 0;
            return i;
        }
    }
    return -1;
}

void ShowSortArrow(int column, bool descending)
{
    HWND header = GetShortcutViewHeader();
    int count = GetColumnCount();
    for (int i = 0; i < count; ++i) {
        HDITEMA item;
        ZeroMemory(&item, sizeof(item));
        item.mask = HDI_FORMAT;
        item.fmt = GetHeaderFormat(header, i) & ~(HDF_SORTUP | HDF_SORTDOWN);
        if (i == column)
            item.fmt |= descending ? HDF_SORTDOWN : HDF_SORTUP;
        SendMessageA(header, HDM_SETITEMA, i, reinterpret_cast<LPARAM>(&item));
    }
}
