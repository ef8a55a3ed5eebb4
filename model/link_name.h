// The rules for a file's new name, as the user types it: a shortcut's without its ".lnk", any
// other file's whole.
#ifndef QUIVERDESK_MODEL_LINK_NAME_H
#define QUIVERDESK_MODEL_LINK_NAME_H

#include <windows.h>

enum LinkNameVerdict {
    kNameAccepted,
    kNameUnchanged,     // the same name, case and all: nothing to do
    kNameEmpty,         // nothing, or only spaces
    kNameBadCharacter,  // one of \ / : * ? " < > | or a control character
    kNameReserved,      // a device name Windows keeps for itself: CON, PRN, AUX, NUL, COM1-9, LPT1-9
    kNameTooLong,       // the new path would not fit MAX_PATH
    kNameTaken          // another file already has it
};

// Judges name as the new name of the shortcut at linkPath and, when accepted, writes the new
// path. A change of case alone is accepted: the file it finds is the shortcut itself.
LinkNameVerdict JudgeNewLinkName(const wchar_t* linkPath, const wchar_t* name, wchar_t (&newPath)[MAX_PATH]);

// True when two names are one to the file system and the registry: case ignored, ordinal.
bool SameName(const wchar_t* left, const wchar_t* right);

#endif
