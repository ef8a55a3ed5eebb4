// The tab control: one row of two tabs whose captions are Shift JIS bytes for the 8-bit messages.
#include "controls/main_tabs.h"

#include "model/folder_path.h"
#include "res/resource_ids.h"

HWND g_hTabs = 0;

namespace {

// 送る (Send to) and スタートアップ (Startup), code page 932.
const char kSendToCaption[] = "\x91\x97\x82\xe9";
const char kStartupCaption[] = "\x83\x58\x83\x5e\x81\x5b\x83\x67\x83\x41\x83\x62\x83\x76";

void InsertTab(int index, const char* caption)
{
    TCITEMA tab;
    ZeroMemory(&tab, sizeof(tab));
    tab.mask = TCIF_TEXT;
    tab.pszText = const_cast<char*>(caption);
    SendMessageA(g_hTabs, TCM_INSERTITEMA, index, reinterpret_cast<LPARAM>(&tab));
}

}  // namespace

void CreateMainTabs(HWND mainWindow, HINSTANCE instance)
{
    // Clips its siblings so it never paints over the list view that lies on its display area.
    g_hTabs = CreateWindowExA(0, WC_TABCONTROLA, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP, 0, 0, 4, 4,
                              mainWindow, reinterpret_cast<HMENU>(static_cast<INT_PTR>(CTRL_TABS)), instance, 0);
    // Until the main window hands its children their font for its DPI; a stock font, so nobody
    // has to delete it.
    SendMessageA(g_hTabs, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    InsertTab(0, kSendToCaption);
    InsertTab(1, kStartupCaption);
}

void GetTabCaption(int tab, wchar_t* caption, int capacity)
{
    // Read as the tab control's 8-bit message reads it.
    if (!MultiByteToWideChar(CP_ACP, 0, tab ? kStartupCaption : kSendToCaption, -1, caption, capacity))
        caption[0] = L'\0';
}

int GetSelectedTab()
{
    return static_cast<int>(SendMessageA(g_hTabs, TCM_GETCURSEL, 0, 0));
}

bool IsStartupTabSelected()
{
    return IsStartupTab(GetSelectedTab());
}

void GetTabsPage(HWND mainWindow, RECT* page)
{
    ZeroMemory(page, sizeof(*page));
    if (g_hTabs && GetClientRect(g_hTabs, page)) {
        SendMessageA(g_hTabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(page));
        MapWindowPoints(g_hTabs, mainWindow, reinterpret_cast<POINT*>(page), 2);
    }
}
