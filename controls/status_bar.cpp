// StatusBar: a one-part bar with a size grip that shows the folder on show.
#include "controls/status_bar.h"

void StatusBar::Create(HWND parent, int id)
{
    m_parent = parent;
    m_id = id;
    HINSTANCE instance = GetModuleHandleW(0);
    m_window = CreateWindowExA(0, STATUSCLASSNAMEA, 0, WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP | CCS_BOTTOM, 0, 0, 0, 0,
                               parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, 0);
}

void StatusBar::SetParts(int width, int height, int count, const int* rightEdges)
{
    SendMsg(SB_SETPARTS, count, reinterpret_cast<LPARAM>(rightEdges));
    // The bar docks itself to the parent's bottom edge and ignores the size it is given, but
    // Wine's bar only does so for a SIZE_RESTORED or SIZE_MAXIMIZED kind in WPARAM.
    SendMsg(WM_SIZE, SIZE_RESTORED, MAKELPARAM(width, height));
}
