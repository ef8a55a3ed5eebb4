#include "model/command_lookups.h"

#include "model/command_line.h"

bool CommandLookups::Split(const wchar_t* commandLine, HeapString& program, HeapString& arguments)
{
    if (!commandLine)
        commandLine = L"";
    const TextTable::Row* known = m_lines.Find(commandLine);
    if (known) {
        program.Assign(known->first);
        arguments.Assign(known->second);
        return known->flag;
    }
    bool found = SplitCommandLine(commandLine, program, arguments);
    m_lines.Add(commandLine, program.GetBuffer(), arguments.GetBuffer(), found);
    return found;
}
