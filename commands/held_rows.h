// What the user holds in the rows of a tab listed again: the selection, by row identity, the focus
// and the scroll position. The sort is the view's own and stays anyway.
#ifndef QUIVERDESK_COMMANDS_HELD_ROWS_H
#define QUIVERDESK_COMMANDS_HELD_ROWS_H

#include "commands/selected_rows.h"
#include "model/row_ref.h"

class HeldRows {
public:
    HeldRows();
    // Once the rows are listed again: those still there are selected and focused as before.
    void Restore() const;

private:
    HeldRows(const HeldRows&);
    HeldRows& operator=(const HeldRows&);

    SelectedRows m_selected;
    RowRef m_focused;
    int m_top;
};

#endif
