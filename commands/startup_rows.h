// The Startup tab's rows beyond the user's own folder: the values of every Run and RunOnce key,
// each with its switch, as Task Manager lists them.
#ifndef QUIVERDESK_COMMANDS_STARTUP_ROWS_H
#define QUIVERDESK_COMMANDS_STARTUP_ROWS_H

#include "model/heap_string.h"
#include "model/startup_sources.h"

// The path of a folder source (empty when the shell names none).
HeapString GetSourceFolder(StartupSource source);
// Adds a row to g_shortcutList for each value of every registry source, whatever its type.
void AddRegistryRows();

#endif
