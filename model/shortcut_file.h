// Writes a new shortcut file through the shell-link object.
#ifndef QUIVERDESK_MODEL_SHORTCUT_FILE_H
#define QUIVERDESK_MODEL_SHORTCUT_FILE_H

// True when the .lnk file was written; an existing file of that name is replaced, so callers
// choose a free name first. The calling thread must have initialised COM.
bool CreateShortcutFile(const wchar_t* target, const wchar_t* arguments, const wchar_t* workingDirectory,
                        int showCommand, const wchar_t* linkPath);

// True when the .lnk file at linkPath reads and points at target (case ignored, as the file
// system compares names) with no arguments: it is what a drop of target would make. One with
// arguments runs something else.
bool ShortcutPointsAt(const wchar_t* linkPath, const wchar_t* target);

#endif
