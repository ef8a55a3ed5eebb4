// The memory between runs at work (model/entry_memory.h): read before the first listing, asked
// for the marks of each entry listed, told of each tab's rows and of what the user removes or
// makes through the program, and written when the window closes.
#ifndef QUIVERDESK_COMMANDS_ENTRY_MARKS_H
#define QUIVERDESK_COMMANDS_ENTRY_MARKS_H

#include <windows.h>

#include "model/entry_memory.h"

class RowRef;
class ShortcutItem;
struct TabSources;

// Reads the memory file. The window sets a file it can't trust aside, and says so once, in the
// status bar, with SayIfMemorySetAside after its first listing; the command line leaves it.
void LoadEntryMemory(bool setAside);
void SayIfMemorySetAside();
// Writes the memory, but never over a file that was there and could not be read: another run may
// hold it, and its removals would be lost.
void SaveEntryMemory();

unsigned GetEntryMarks(bool startupTab, StartupSource source, const wchar_t* name, bool off);
// The rows of g_shortcutList as they stand, for the tab that listed them: before another tab's
// rows take their place, and at close. folderRead: the folder on show could be read.
void RememberRows(const TabSources& tab, bool folderRead);
// The user deleted or switched off the row's entry through the program.
void RememberRemoval(bool startupTab, const RowRef& row, const ShortcutItem* item, MemoryKind kind);
// The user made the entry, renamed a file to its name or switched it on through the program.
void RememberAccepted(bool startupTab, StartupSource source, const wchar_t* name);
// How many rows of g_shortcutList are new, and how many came back.
void CountMarks(int* fresh, int* back);

#endif
