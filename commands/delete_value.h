// Deletes the Run values the user chose, once each is saved where regedit can merge it back.
#ifndef QUIVERDESK_COMMANDS_DELETE_VALUE_H
#define QUIVERDESK_COMMANDS_DELETE_VALUE_H

#include "commands/selection_command.h"

// Asks once for them all, naming the value and its place when there is one; then, for each value
// still as it was listed, saves it and its switch to a .reg file, deletes the switch and then the
// value, and says in the status bar where the file is. rows are indices into command's rows, of
// Run values. A value that stayed, or went only in part, is named in a message.
void DeleteSelectedValues(SelectionCommand& command, const int* rows, int count);

#endif
