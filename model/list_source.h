// The places a tab lists, each read one way only: a folder's entries by their exact UTF-16 names
// and a registry source's values whatever their type, each with the stamp its row keeps. The
// listing makes its rows from them, and the live view compares them with the rows on show, so
// both read exactly the same entries.
#ifndef QUIVERDESK_MODEL_LIST_SOURCE_H
#define QUIVERDESK_MODEL_LIST_SOURCE_H

#include <windows.h>

#include "model/row_ref.h"
#include "model/startup_sources.h"

struct SourceEntry {
    StartupSource source;
    const wchar_t* name;  // exactly as the folder or the key holds it
    DWORD attributes;     // a file's; 0 for a value
    RowStamp stamp;
    const StartupValue* value;  // a registry source's value; null for a file
};

class SourceVisitor {
public:
    virtual void Visit(const SourceEntry& entry) = 0;

protected:
    ~SourceVisitor() {}
};

// FindFirstFileW of every entry of folderPath, the dot entries among them: the one way the program
// reads a folder, for its listings and for the live view's fingerprints.
HANDLE FindFirstInFolder(const wchar_t* folderPath, WIN32_FIND_DATAW* entry);

// Every entry of the folder a menu shows: all but the two dot entries and the folder's own
// desktop.ini, which Windows hides and runs nothing from. Its stamp, which tells whether the
// names it gives the others changed, goes to iniStamp (zeros when there is none). False when the
// folder could not be read; an empty folder is read.
bool EnumerateFolder(StartupSource source, const wchar_t* folderPath, SourceVisitor& visitor, RowStamp* iniStamp);
// Every value of a registry source, whatever its type; a key that does not exist has none.
void EnumerateValues(StartupSource source, SourceVisitor& visitor);

#endif
