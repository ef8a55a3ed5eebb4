// What each distinct command line of a listing runs, looked up once: a Run key may hold one line
// many times, and each lookup searches the path at every word of an unquoted line.
#ifndef QUIVERDESK_MODEL_COMMAND_LOOKUPS_H
#define QUIVERDESK_MODEL_COMMAND_LOOKUPS_H

#include "model/heap_string.h"
#include "model/text_table.h"

class CommandLookups {
public:
    // SplitCommandLine's answer for commandLine, from its first lookup on.
    bool Split(const wchar_t* commandLine, HeapString& program, HeapString& arguments);

private:
    TextTable m_lines;  // by line: its program, its arguments, and whether the program was found
};

#endif
