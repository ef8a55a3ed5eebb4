// The rules for a shortcut's new name, as the user types it: the file name without ".lnk".
#ifndef QUIVERDESK_MODEL_LINK_NAME_H
#define QUIVERDESK_MODEL_LINK_NAME_H

#include <windows.h>

enum LinkNameVerdict {
    kNameAccepted,
    kNameUnchanged,     // the same name, case and all: nothing to do
    kNameEmpty,         // nothing, or only spaces
    kNameBadCharacter,  // one of \ / : * ? " < > | or a control character
    kNameTooLong,       // the new path would not fit MAX_PATH
    kNameTaken          // another file already has it
};

// Judges name as the new name of the shortcut at linkPath and, when accepted, writes the new
// path. A change of case alone is accepted: the file it finds is the shortcut itself.
LinkNameVerdict JudgeNewLinkName(const char* linkPath, const char* name, char (&newPath)[MAX_PATH]);

#endif
