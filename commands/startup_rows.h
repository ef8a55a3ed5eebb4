// The Startup tab's rows beyond the user's own folder: the values of every Run and RunOnce key,
// each with its switch, as Task Manager lists them.
#ifndef QUIVERDESK_COMMANDS_STARTUP_ROWS_H
#define QUIVERDESK_COMMANDS_STARTUP_ROWS_H

#include "model/heap_string.h"
#include "model/item_index.h"
#include "model/startup_sources.h"

// The path of a folder source (empty when the shell names none).
HeapString GetSourceFolder(StartupSource source);
// Adds a row to g_shortcutList for each value of every registry source, whatever its type, by
// its name and command line: its program is found when the row is filled. A value unchanged since
// the last listing takes what was found for it there.
void AddRegistryRows(const ItemIndex& listed);

#endif
