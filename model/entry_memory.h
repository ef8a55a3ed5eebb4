// What the program remembers of each source between runs: the entries it listed when it last
// closed, and what the user deleted or switched off through it. An entry not listed then is new;
// one the user removed here and that is there again came back. The text form is the README's.
#ifndef QUIVERDESK_MODEL_ENTRY_MEMORY_H
#define QUIVERDESK_MODEL_ENTRY_MEMORY_H

#include <windows.h>

#include "model/startup_sources.h"

class ListText;
struct MemoryRecord;

// Send To's folder, then the Startup tab's sources in their order.
const int kMemorySlotCount = 1 + kStartupSourceCount;
inline int GetMemorySlot(bool startupTab, StartupSource source)
{
    return startupTab ? 1 + source : 0;
}

enum MemoryKind { kMemorySeen, kMemoryDeleted, kMemorySwitchedOff };

// A source's removals a file keeps, the newest: older ones go.
const int kRemovalsKept = 200;

// Grows in steps, owns each record it holds.
class MemoryRecords {
public:
    MemoryRecords() : m_items(0), m_count(0), m_capacity(0) {}
    ~MemoryRecords();
    // Null when memory ran out.
    MemoryRecord* Add(int slot, MemoryKind kind);
    // Those of slot go; of every slot for -1.
    void RemoveSlot(int slot);
    int GetCount() const { return m_count; }
    MemoryRecord* GetAt(int index) const { return m_items[index]; }
    MemoryRecord** GetItems() const { return m_items; }

private:
    MemoryRecords(const MemoryRecords&);
    MemoryRecords& operator=(const MemoryRecords&);
    MemoryRecord** m_items;  // owned, new[]; each record owned too
    int m_count;
    int m_capacity;
};

class EntryMemory {
public:
    EntryMemory();
    // Takes a memory file's bytes, UTF-8 as Write leaves them. False, keeping nothing of them,
    // for bytes that are no sound memory: foreign, cut short or corrupt.
    bool Read(const char* bytes, int size);
    // Nothing remembered, nothing listed: as before the first run.
    void Clear();
    // What a file keeps at close: of each source listed in this run, what it listed last; of any
    // other, what was remembered; and the newest removals whose entry was not seen back.
    void Write(ListText& text) const;
    // Something was remembered, or listed in this run: there is a file to write.
    bool HasAny() const;

    // A listing of slot: what Listed adds replaces what this run listed of it before.
    void StartListing(int slot);
    void Listed(int slot, const wchar_t* name, const wchar_t* target, const wchar_t* arguments);
    // The user deleted or switched off an entry through the program, now.
    void Removed(int slot, MemoryKind kind, const wchar_t* name, const wchar_t* target, const wchar_t* arguments);
    // The user made the entry or switched it on through the program: it is neither new nor back.
    void Accepted(int slot, const wchar_t* name);
    // kStateNew, kStateBack or nothing, for an entry listed now; off: its switch is off.
    unsigned GetMarks(int slot, const wchar_t* name, bool off);

private:
    EntryMemory(const EntryMemory&);
    EntryMemory& operator=(const EntryMemory&);
    bool ReadLine(wchar_t* line);
    void WriteSlot(ListText& text, int slot, const MemoryRecords& records) const;

    MemoryRecords m_before;           // seen at the last close, sorted by slot and name for the search
    MemoryRecords m_now;              // listed in this run, the last listing of each slot
    MemoryRecords m_removals;         // oldest first
    MemoryRecords m_accepted;         // made or switched on through the program in this run
    bool m_known[kMemorySlotCount];   // the last close remembered the slot, even empty
    bool m_listed[kMemorySlotCount];  // listed in this run
};

#endif
