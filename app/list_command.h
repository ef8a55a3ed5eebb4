// The command line's own work, done without a window: /list writes the rows of both tabs and /?
// the usage, to the console the program was started from or to where its output is redirected.
#ifndef QUIVERDESK_APP_LIST_COMMAND_H
#define QUIVERDESK_APP_LIST_COMMAND_H

// False when the command line asks for the window (none, /startup, or no switch at all); else
// the work is done and exitCode says how it went: 0 done, 1 a file that could not be written, 2
// a switch the program does not know, after the usage on standard error.
bool RunCommandLine(int* exitCode);

#endif
