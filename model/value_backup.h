// A Run value saved before the program deletes it: a .reg file that regedit merges back, holding
// the value and its switch, in a folder of the program's own under the user's local application
// data, where it stays for the user to find.
#ifndef QUIVERDESK_MODEL_VALUE_BACKUP_H
#define QUIVERDESK_MODEL_VALUE_BACKUP_H

#include "model/heap_string.h"
#include "model/startup_sources.h"

// Writes the value name of a registry source, and its switch where there is one, to a new file
// in %LOCALAPPDATA%\Quiverdesk\Backups named by the local date and time ("2026-12-07 174501.reg",
// " (2)" and on when taken; never by the value, whose name may hold what no file name can), and
// sets path to it. False, with no file left and path cleared, when the value is not there or the
// file could not be written whole.
bool SaveValueToBackupFolder(StartupSource source, const wchar_t* name, HeapString& path);

#endif
