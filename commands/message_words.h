// The program's words around the user's names, for messages and the status bar: the names go in
// whole, however long, through the wide calls.
#ifndef QUIVERDESK_COMMANDS_MESSAGE_WORDS_H
#define QUIVERDESK_COMMANDS_MESSAGE_WORDS_H

#include <windows.h>

#include "model/heap_string.h"

// The program's string id with its first "%s" replaced by first, its second by second.
HeapString WordsWith(UINT id, const wchar_t* first, const wchar_t* second = 0);
// The same shown in a message box titled with the program's name; the box's answer.
int ShowWordsWith(HWND owner, UINT style, UINT id, const wchar_t* first, const wchar_t* second = 0);

#endif
