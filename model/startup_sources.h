// The places Windows starts programs from at log-on, as Task Manager's Startup tab lists them:
// the two Startup folders and the Run keys, each with the key its switches live in; and the
// values of a Run key, read one by one, names and command lines exactly as the registry holds them.
#ifndef QUIVERDESK_MODEL_STARTUP_SOURCES_H
#define QUIVERDESK_MODEL_STARTUP_SOURCES_H

#include <windows.h>

#include "model/heap_string.h"
#include "model/registry_place.h"
#include "model/source_fingerprint.h"

enum StartupSource {
    kSourceUserFolder,      // every file of the user's Startup folder but desktop.ini
    kSourceCommonFolder,    // the same of the all-users Startup folder
    kSourceUserRun,         // the values of the user's Run key
    kSourceMachineRun,      // the machine's Run key, in the 64-bit view
    kSourceMachineRun32,    // the machine's Run key for 32-bit programs
    kSourceUserRunOnce,     // run at the next log-on and removed: no switch, only a delete
    kSourceMachineRunOnce,  // the same, the machine's
    kStartupSourceCount
};

struct StartupSourceInfo {
    int folder;                     // the CSIDL of a folder source; -1 for a registry source
    const RegistryPlace* values;    // a registry source's key; null for a folder source
    const RegistryPlace* switches;  // where its switches live, named as its entries; null: none
};

const StartupSourceInfo& GetStartupSource(StartupSource source);
// The path of a folder source, as the shell names it now; empty when it names none.
HeapString GetSourceFolder(StartupSource source);

// One value of a registry source.
struct StartupValue {
    HeapString name;  // exactly as the registry holds it, of any length, up to a null within it
    bool nameWhole;   // false when the name goes on past a null: nothing may act on the value
    DWORD type;
    DWORD size;            // of its whole data
    Fingerprint dataHash;  // of its whole data, whatever its type and length
    // For REG_SZ and REG_EXPAND_SZ, the command line as stored, up to its first null, and the
    // same with the environment's variables expanded (the stored text again for REG_SZ). Both
    // are null for every other type, which holds no command.
    HeapString command;
    HeapString expanded;
};

// The values of one registry source, through its key opened for the whole listing.
class StartupValueReader {
public:
    explicit StartupValueReader(StartupSource source);
    ~StartupValueReader();
    // The next value: ERROR_SUCCESS; ERROR_NO_MORE_ITEMS after the last, or at once where the
    // key does not exist; or the status that stopped the listing.
    LONG Next(StartupValue& value);

private:
    StartupValueReader(const StartupValueReader&);
    StartupValueReader& operator=(const StartupValueReader&);
    LONG m_status;  // what the open said, when it failed
    HKEY m_key;     // owned; null when it could not be opened
    ValueWalker m_walker;
};

// Deletes name from a registry source's key, its switch first. The caller saved both first
// (SaveValueToBackupFolder). ERROR_SUCCESS, or the registry's status: ERROR_ACCESS_DENIED means
// a key is the machine's and needs an administrator. switchDeleted tells whether the switch is
// gone although the value stayed: it went first, and could not be put back.
LONG DeleteStartupValue(StartupSource source, const wchar_t* name, bool* switchDeleted);

#endif
