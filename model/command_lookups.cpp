#include "model/command_lookups.h"

CommandLookups::CommandLookups() : m_programFoldersMade(false)
{
    m_programFolders.leftOut = false;
}

const ProgramFolders& CommandLookups::GetProgramFolders()
{
    if (!m_programFoldersMade)
        MakeProgramFolders(m_programFolders);
    m_programFoldersMade = true;
    return m_programFolders;
}

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
    bool found = SplitCommandLine(commandLine, GetProgramFolders(), program, arguments);
    m_lines.Add(commandLine, program.GetBuffer(), arguments.GetBuffer(), found);
    return found;
}
