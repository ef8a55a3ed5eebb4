// What a command line runs: the program the system would start and the arguments it would hand
// it, for a line whose program is not named apart, as a Run value's is.
#ifndef QUIVERDESK_MODEL_COMMAND_LINE_H
#define QUIVERDESK_MODEL_COMMAND_LINE_H

#include "model/heap_string.h"

// The folders a program named without one is looked for in, as the shell that starts the Run
// values would look: System32, Windows, then PATH's, less those on a share or a drive that is not
// local and fixed, which could keep the window waiting. Made once for a listing: it reads the
// environment and asks each folder's drive.
struct ProgramFolders {
    HeapString folders;  // separated by semicolons, as SearchPathW takes them
    bool leftOut;        // a folder was left out: a program found nowhere may still be there
};
void MakeProgramFolders(ProgramFolders& searchPath);

// Splits commandLine, its environment variables already expanded. shell32's
// SHEvaluateSystemCommandTemplate answers where it is there and takes the line; elsewhere the line
// is read as CreateProcess reads it: a quoted first token is the program; unquoted, the program is
// the shortest run of words that names a file, ".exe" added to a name without an extension, a
// name without a folder searched for. True when the program was found. When it was not, program
// is still the likeliest path (the quoted token, the first run of words ending in ".exe", or else
// the first word), so that a missing program can be shown and judged missing. A name without a
// folder is looked for in searchPath's folders only. arguments are the rest of the line past the
// blanks after the program, exactly.
bool SplitCommandLine(const wchar_t* commandLine, const ProgramFolders& searchPath, HeapString& program,
                      HeapString& arguments);

#endif
