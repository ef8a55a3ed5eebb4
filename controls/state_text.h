// The state column's text: the words of an item's states, in a fixed order, joined by "、".
#ifndef QUIVERDESK_CONTROLS_STATE_TEXT_H
#define QUIVERDESK_CONTROLS_STATE_TEXT_H

#include <windows.h>

// The words come from the program's string table.
void FormatStates(unsigned states, char* buffer, int capacity);

#endif
