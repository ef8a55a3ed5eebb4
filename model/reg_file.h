// regedit's own .reg format, which it merges back: UTF-16 with its byte-order mark, and each
// value as hex bytes, which every type can be written as.
#ifndef QUIVERDESK_MODEL_REG_FILE_H
#define QUIVERDESK_MODEL_REG_FILE_H

#include <windows.h>

// Writes the header to a new, empty file.
bool WriteRegHeader(HANDLE file);
// Writes the value of key named valueName under "[keyName]", keyName as regedit writes it
// ("HKEY_CURRENT_USER\\..."). False when there is no such value, or its name holds a line break,
// which no .reg file can carry.
bool WriteRegValue(HANDLE file, HKEY key, const wchar_t* keyName, const wchar_t* valueName);

#endif
