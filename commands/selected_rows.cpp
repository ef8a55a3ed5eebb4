// SelectedRows: two walks of the selection, one to count and one to copy what the rows stand for.
#include "commands/selected_rows.h"

#include <new>

#include "controls/shortcut_view.h"
#include "model/shortcut_item.h"

SelectedRows::SelectedRows() : m_rows(0), m_count(0), m_fillCount(GetFillCount())
{
    int selected = 0;
    for (int row = NextSelectedRow(-1); row != -1; row = NextSelectedRow(row))
        ++selected;
    m_rows = new (std::nothrow) RowRef[selected > 0 ? selected : 1];
    if (!m_rows)
        return;
    for (int row = NextSelectedRow(-1); row != -1 && m_count < selected; row = NextSelectedRow(row)) {
        const ShortcutItem* item = GetRowItem(row);
        if (item)
            m_rows[m_count++] = item->GetRef();
    }
}

SelectedRows::~SelectedRows()
{
    delete[] m_rows;
}

bool SelectedRows::RowsStillStand() const
{
    return GetFillCount() == m_fillCount;
}
