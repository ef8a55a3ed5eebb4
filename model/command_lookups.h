// What each distinct command line of a listing runs, looked up once: a Run key may hold one line
// many times, and each lookup searches the path at every word of an unquoted line.
#ifndef QUIVERDESK_MODEL_COMMAND_LOOKUPS_H
#define QUIVERDESK_MODEL_COMMAND_LOOKUPS_H

#include "model/heap_string.h"

class CommandLookups {
public:
    CommandLookups();
    ~CommandLookups();

    // SplitCommandLine's answer for commandLine, from its first lookup on.
    bool Split(const wchar_t* commandLine, HeapString& program, HeapString& arguments);

private:
    CommandLookups(const CommandLookups&);
    CommandLookups& operator=(const CommandLookups&);

    struct Lookup {
        wchar_t* line;  // owned, as every text here
        wchar_t* program;
        wchar_t* arguments;
        bool found;
        Lookup* next;  // owned: the next of the same bucket
    };
    enum { kBuckets = 256 };
    Lookup* m_buckets[kBuckets];  // each chain owned
};

#endif
