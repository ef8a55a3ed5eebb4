// What each distinct command line of a listing runs, looked up once: a Run key may hold one line
// many times, and each lookup searches the path at every word of an unquoted line.
#ifndef QUIVERDESK_MODEL_COMMAND_LOOKUPS_H
#define QUIVERDESK_MODEL_COMMAND_LOOKUPS_H

#include "model/command_line.h"
#include "model/heap_string.h"
#include "model/text_table.h"

class CommandLookups {
public:
    CommandLookups();
    // SplitCommandLine's answer for commandLine, from its first lookup on.
    bool Split(const wchar_t* commandLine, HeapString& program, HeapString& arguments);
    // The search path the lookups use, made on first use.
    const ProgramFolders& GetProgramFolders();

private:
    TextTable m_lines;  // by line: its program, its arguments, and whether the program was found
    ProgramFolders m_programFolders;
    bool m_programFoldersMade;
};

#endif
