// The selected rows, taken before a command's first dialog or shell call: those run message
// loops, where a listing or an edit may move the rows under the command.
#ifndef QUIVERDESK_COMMANDS_SELECTED_ROWS_H
#define QUIVERDESK_COMMANDS_SELECTED_ROWS_H

#include "model/row_ref.h"

class SelectedRows {
public:
    // Takes what every selected row a command may act on stands for, in row order.
    SelectedRows();
    ~SelectedRows();

    int GetCount() const { return m_count; }
    const RowRef& Get(int index) const { return m_rows[index]; }
    // False once the view was filled again: its rows no longer stand for those taken.
    bool RowsStillStand() const;

private:
    SelectedRows(const SelectedRows&);
    SelectedRows& operator=(const SelectedRows&);

    RowRef* m_rows;  // owned, new[]
    int m_count;
    unsigned m_fillCount;
};

#endif
