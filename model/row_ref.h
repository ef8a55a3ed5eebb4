// What a row stands for: a file of a folder or a value of a key, by the exact name it was listed
// under, with a stamp of what it was then. A command compares the stamp with what is there at the
// moment it writes, so that it never writes to a file or value that changed or went meanwhile.
#ifndef QUIVERDESK_MODEL_ROW_REF_H
#define QUIVERDESK_MODEL_ROW_REF_H

#include <windows.h>

#include "model/heap_string.h"
#include "model/source_fingerprint.h"
#include "model/startup_sources.h"

enum RowKind { kRowNone, kRowFile, kRowValue };

// A file's attributes, size and last write; a value's type, size and a hash of its whole data.
// Two stamps that differ mean the thing changed between the two reads.
struct RowStamp {
    DWORD attributes;  // a file's; a value's type
    DWORD sizeHigh;
    DWORD sizeLow;
    FILETIME lastWrite;  // a file's; zero for a value
    Fingerprint data;    // a value's; zero for a file
};

RowStamp FileStamp(const WIN32_FIND_DATAW& entry);
RowStamp ValueStamp(DWORD type, DWORD size, Fingerprint dataHash);
// A folder's last write moves with every file put in it: only its attributes stand for it.
bool SameStamp(const RowStamp& listed, const RowStamp& now);

// The stamp of the file at path, read through its exact path; false when there is none.
bool ReadFileStamp(const wchar_t* path, RowStamp* stamp);
// The stamp of a registry source's value; false when there is none.
bool ReadValueStamp(StartupSource source, const wchar_t* name, RowStamp* stamp);

class RowRef {
public:
    RowRef();
    static RowRef File(StartupSource source, const wchar_t* path, const RowStamp& stamp);
    static RowRef Value(StartupSource source, const wchar_t* name, const RowStamp& stamp);

    RowKind GetKind() const { return m_kind; }
    StartupSource GetSource() const { return m_source; }
    // A file's whole path; null for a value, which no file call may be handed.
    const wchar_t* GetPath() const { return m_kind == kRowFile ? m_text.GetBuffer() : 0; }
    // A value's exact name (empty for the key's unnamed value); null for a file.
    const wchar_t* GetValueName() const { return m_kind == kRowValue ? m_text.GetBuffer() : 0; }
    // The file's name in its folder, or the value's: what a message names.
    const wchar_t* GetName() const;
    const RowStamp& GetStamp() const { return m_stamp; }
    // The same file or value, named exactly alike: what finds a row again after its rows moved.
    bool SameRow(RowKind kind, StartupSource source, const wchar_t* text) const;

private:
    RowKind m_kind;
    StartupSource m_source;
    HeapString m_text;  // the path or the value name
    RowStamp m_stamp;
};

enum RowCheck { kRowAsListed, kRowChanged, kRowGone };

// What the row's file or value is now, beside what it was listed as.
RowCheck CheckRow(const RowRef& row);

#endif
