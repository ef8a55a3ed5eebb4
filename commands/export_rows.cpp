#include "commands/export_rows.h"

#include <commdlg.h>

#include "commands/message_words.h"
#include "commands/row_filler.h"
#include "commands/tab_sources.h"
#include "controls/main_tabs.h"
#include "controls/shortcut_view.h"
#include "model/folder_path.h"
#include "model/item_filler.h"
#include "model/shortcut_list.h"
#include "model/shortcut_state.h"
#include "model/startup_sources.h"
#include "res/resource_ids.h"

namespace {

void AddTitles(ListText& text, int columns)
{
    wchar_t title[64];
    for (int column = 0; column < columns; ++column) {
        GetColumnTitle(column, title, 64);
        text.AddCell(title);
    }
    text.EndLine();
}

// Long enough for any cell: a description runs to INFOTIPSIZE, a path to MAX_PATH.
void AddCells(ListText& text, const ShortcutItem* item, int columns)
{
    wchar_t cell[INFOTIPSIZE];
    for (int column = 0; column < columns; ++column) {
        GetCellText(item, column, cell, INFOTIPSIZE);
        text.AddCell(cell);
    }
}

bool PutOnClipboard(HWND owner, const ListText& text)
{
    SIZE_T size = (text.GetLength() + 1) * sizeof(wchar_t);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);  // owned until the clipboard takes it
    void* bytes = block ? GlobalLock(block) : 0;
    if (!bytes) {
        if (block)
            GlobalFree(block);
        return false;
    }
    CopyMemory(bytes, text.GetText(), size);
    GlobalUnlock(block);
    bool taken = OpenClipboard(owner) && EmptyClipboard() && SetClipboardData(CF_UNICODETEXT, block);
    CloseClipboard();
    if (!taken)
        GlobalFree(block);
    return taken;
}

// The tab's caption and the day, as a file name: "送る 2026-12-08.csv".
void DefaultName(wchar_t (&path)[MAX_PATH])
{
    wchar_t caption[64];
    GetTabCaption(GetSelectedTab(), caption, 64);
    SYSTEMTIME now;
    GetLocalTime(&now);
    // Within MAX_PATH: the caption is one of the program's own short words.
    wsprintfW(path, L"%s %04u-%02u-%02u.csv", caption, now.wYear, now.wMonth, now.wDay);
}

}  // namespace

bool CopySelectedRows(HWND mainWindow)
{
    // A row still to be filled is filled first: the copy says what the row will show.
    FillSelectedRowsNow();
    ListText text(kTabSeparated);
    int columns = GetColumnCount();
    AddTitles(text, columns);
    for (int row = NextSelectedRow(-1); row != -1; row = NextSelectedRow(row)) {
        AddCells(text, GetListedItem(row), columns);
        text.EndLine();
    }
    return text.IsWhole() && PutOnClipboard(mainWindow, text);
}

void SaveRows(HWND mainWindow)
{
    wchar_t path[MAX_PATH];
    DefaultName(path);
    wchar_t filter[128] = L"";
    int length = LoadStringW(GetModuleHandleW(0), IDS_SAVE_FILTER, filter, 127);
    // The string table cannot hold the nulls that part the filter's texts: bars stand for them.
    for (int i = 0; i < length; ++i)
        filter[i] = filter[i] == L'|' ? L'\0' : filter[i];
    filter[length] = L'\0';
    OPENFILENAMEW dialog;
    ZeroMemory(&dialog, sizeof(dialog));
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = mainWindow;
    dialog.lpstrFilter = filter;
    dialog.lpstrFile = path;
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrDefExt = L"csv";
    dialog.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
    if (!GetSaveFileNameW(&dialog))
        return;
    FillEveryRowNow();
    ListText text(kCommaSeparated);
    int columns = GetColumnCount();
    AddTitles(text, columns);
    for (int row = 0; row < GetRowCount(); ++row) {
        AddCells(text, GetListedItem(row), columns);
        text.EndLine();
    }
    int size = 0;
    char* bytes = text.IsWhole() ? ToUtf8(text.GetText(), text.GetLength(), &size) : 0;  // owned; freed below
    if (!bytes || !WriteWholeFile(path, bytes, size))
        ShowWordsWith(mainWindow, MB_OK | MB_ICONERROR, IDS_SAVE_FAILED, path);
    delete[] bytes;
}

void ListEveryTab(ListText& text)
{
    wchar_t title[64];
    LoadStringW(GetModuleHandleW(0), IDS_COLUMN_TAB, title, 64);
    text.AddCell(title);
    AddTitles(text, kColumnCount);
    ItemFiller filler(false);
    for (int tabIndex = 0; tabIndex < 2; ++tabIndex) {
        TabSources tab;
        tab.startup = IsStartupTab(tabIndex);
        tab.folder = GetFolderPath(0, tabIndex);
        if (tab.startup)
            tab.common = GetSourceFolder(kSourceCommonFolder);
        ShortcutList list;
        ItemAdder adder(tab, list);
        EnumerateTab(tab, adder);
        filler.Start(tab.folder, tab.common);
        for (int i = 0; i < list.GetCount(); ++i)
            filler.Fill(list.GetAt(i));
        CheckShortcutStates(list);
        wchar_t caption[64];
        GetTabCaption(tabIndex, caption, 64);
        // Send To has no place column: its rows leave it empty.
        for (int i = 0; i < list.GetCount(); ++i) {
            text.AddCell(caption);
            AddCells(text, list.GetAt(i), tab.startup ? kColumnCount : kPlaceColumn);
            if (!tab.startup)
                text.AddCell(L"");
            text.EndLine();
        }
        filler.Release();
    }
}
