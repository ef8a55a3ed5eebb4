// BarControl: what the layout asks of either bar.
#include "controls/bar_control.h"

int BarControl::GetHeight() const
{
    RECT rect;
    if (!m_window || !GetWindowRect(m_window, &rect))
        return 0;
    return rect.bottom - rect.top;
}
