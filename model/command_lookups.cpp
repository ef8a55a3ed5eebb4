// CommandLookups: a chained table keyed by the line's FNV-1a digest; lines are compared whole.
#include "model/command_lookups.h"

#include <windows.h>

#include <new>
#include <wchar.h>

#include "model/command_line.h"
#include "model/source_fingerprint.h"

CommandLookups::CommandLookups()
{
    ZeroMemory(m_buckets, sizeof(m_buckets));
}

CommandLookups::~CommandLookups()
{
    for (Lookup* chain : m_buckets) {
        while (chain) {
            Lookup* next = chain->next;
            delete[] chain->line;
            delete[] chain->program;
            delete[] chain->arguments;
            delete chain;
            chain = next;
        }
    }
}

bool CommandLookups::Split(const wchar_t* commandLine, HeapString& program, HeapString& arguments)
{
    if (!commandLine)
        commandLine = L"";
    Fingerprint digest = FingerprintBytes(commandLine, lstrlenW(commandLine) * sizeof(wchar_t));
    Lookup*& chain = m_buckets[digest % kBuckets];
    for (const Lookup* lookup = chain; lookup; lookup = lookup->next) {
        if (wcscmp(lookup->line, commandLine) == 0) {
            program.Assign(lookup->program);
            arguments.Assign(lookup->arguments);
            return lookup->found;
        }
    }
    bool found = SplitCommandLine(commandLine, program, arguments);
    // Kept whole or not at all: a lookup that ran out of memory is only made again.
    Lookup* lookup = new (std::nothrow) Lookup;
    if (!lookup)
        return found;
    lookup->line = CopyText(commandLine);
    lookup->program = CopyText(program.GetBuffer() ? program.GetBuffer() : L"");
    lookup->arguments = CopyText(arguments.GetBuffer() ? arguments.GetBuffer() : L"");
    lookup->found = found;
    lookup->next = chain;
    if (lookup->line && lookup->program && lookup->arguments) {
        chain = lookup;
    } else {
        delete[] lookup->line;
        delete[] lookup->program;
        delete[] lookup->arguments;
        delete lookup;
    }
    return found;
}
