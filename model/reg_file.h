// regedit's own .reg format, which it merges back: UTF-16 with its byte-order mark, and each
// value as hex bytes, which every type can be written as.
#ifndef QUIVERDESK_MODEL_REG_FILE_H
#define QUIVERDESK_MODEL_REG_FILE_H

#include <windows.h>

#include "model/registry_place.h"

// Writes the header to a new, empty file.
bool WriteRegHeader(HANDLE file);
// Writes the value of key, open at place, named valueName under "[root\\path]" as regedit writes
// it ("HKEY_CURRENT_USER\\..."). False when there is no such value, or its name holds a line
// break, which no .reg file can carry.
bool WriteRegValue(HANDLE file, HKEY key, const RegistryPlace& place, const wchar_t* valueName);

#endif
