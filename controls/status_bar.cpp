// StatusBar: a one-part bar with a size grip that shows the folder on show.
#include "controls/status_bar.h"

void StatusBar::Create(HWND parent, int id)
{
    m_parent = parent;
    m_id = id;
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE));
    m_window = CreateWindowExA(0, STATUSCLASSNAMEA, 0, WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP | CCS_BOTTOM,
                               0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                               instance, 0);
}

void StatusBar::SetParts(int width, int height, int count, const int* rightEdges)
{
    SendMsg(SB_SETPARTS, count, reinterpret_cast<LPARAM>(rightEdges));
    // The bar ignores the size it is given and docks itself to the parent's bottom edge.
    SendMsg(WM_SIZE, width, height);
}
