#include "commands/held_rows.h"

#include "controls/shortcut_view.h"
#include "model/shortcut_item.h"

HeldRows::HeldRows() : m_top(GetTopRow())
{
    const ShortcutItem* focused = GetRowItem(GetFocusedRow());
    if (focused)
        m_focused = focused->GetRef();
}

void HeldRows::Restore() const
{
    for (int i = 0; i < m_selected.GetCount(); ++i) {
        int row = FindRow(m_selected.Get(i));
        if (row >= 0)
            SelectRow(row, false);
    }
    int focused = FindRow(m_focused);
    if (focused >= 0)
        SelectRow(focused, IsRowSelected(focused));
    ScrollRowToTop(m_top);
}
