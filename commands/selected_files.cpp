// SelectedFiles: two walks of the selection, one to count and one to copy the rows' identities.
#include "commands/selected_files.h"

#include <new>

#include "controls/shortcut_view.h"
#include "model/shortcut_item.h"

SelectedFiles::SelectedFiles() : m_paths(0), m_count(0), m_fillCount(GetFillCount())
{
    int selected = 0;
    for (int row = NextSelectedRow(-1); row != -1; row = NextSelectedRow(row))
        ++selected;
    m_paths = new (std::nothrow) HeapString[selected > 0 ? selected : 1];
    if (!m_paths)
        return;
    for (int row = NextSelectedRow(-1); row != -1 && m_count < selected; row = NextSelectedRow(row)) {
        const ShortcutItem* item = GetRowItem(row);
        if (item)
            m_paths[m_count++].Assign(item->GetIdentity());
    }
}

SelectedFiles::~SelectedFiles()
{
    delete[] m_paths;
}

bool SelectedFiles::RowsStillStand() const
{
    return GetFillCount() == m_fillCount;
}
