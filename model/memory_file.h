// The memory's file, %LOCALAPPDATA%\Quiverdesk\Memory.txt: read before the first listing, written
// whole when the window closes.
#ifndef QUIVERDESK_MODEL_MEMORY_FILE_H
#define QUIVERDESK_MODEL_MEMORY_FILE_H

#include "model/heap_string.h"

class EntryMemory;

// Unavailable: the file is there but could not be read now (held by another program, refused, or
// too large for the memory left), so it is neither set aside nor to be written over.
enum MemoryFileState { kMemoryFileNone, kMemoryFileRead, kMemoryFileUntrusted, kMemoryFileUnavailable };

// Reads the file into memory. One it can't trust is not read; with setAside it is renamed to
// Memory.unreadable.txt, in place of an older one, whose path then goes to setAsidePath.
MemoryFileState LoadMemoryFile(EntryMemory& memory, bool setAside, HeapString* setAsidePath);
// Whole or not at all: a crash while writing leaves the last file as it was.
bool SaveMemoryFile(const EntryMemory& memory);

#endif
