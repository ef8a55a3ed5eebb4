// Writes a new shortcut file through the shell-link object.
#ifndef QUIVERDESK_MODEL_SHORTCUT_FILE_H
#define QUIVERDESK_MODEL_SHORTCUT_FILE_H

// True when the .lnk file was written; an existing file of that name is replaced.
// The calling thread must have initialised COM.
bool CreateShortcutFile(const char* target, const char* arguments, const char* workingDirectory,
                        int showCommand, const char* linkPath);

#endif
