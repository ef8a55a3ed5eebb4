// What the state column says of a shortcut: switched off, target gone, target out of reach,
// duplicated, unreadable. An item holds these as bits.
#ifndef QUIVERDESK_MODEL_SHORTCUT_STATE_H
#define QUIVERDESK_MODEL_SHORTCUT_STATE_H

class ShortcutList;

enum ShortcutState {
    kStateSwitchedOff = 1 << 0,    // Windows' Startup switch is off
    kStateTargetMissing = 1 << 1,  // nothing at the target's path on a present local fixed drive
    kStateUnverifiable = 1 << 2,   // target on a share, removable or optical media, or an absent drive
    kStateDuplicate = 1 << 3,      // another row has the same target (or program) and arguments
    kStateUnreadable = 1 << 4,     // the file is no readable shortcut
    kStateHidden = 1 << 5          // the file has the Hidden attribute: the Send To menu leaves it out
};
const int kStateCount = 6;

// Classifies a target path. Only a path on a present local fixed drive is probed, with one
// attribute call; a share, removable or optical media or an absent drive is never touched, so
// nothing here waits on the network. An empty text (no file-system target) has no state.
class TargetChecker {
public:
    TargetChecker();
    unsigned Check(const wchar_t* target);

private:
    unsigned DriveType(wchar_t letter);
    unsigned m_driveTypes[26];  // 0 until asked; asked once per drive and checker
};

// Sets the target, duplicate and unreadable states of every item of list, adding them to the
// states the items already hold. Duplicates are found by sorting, in O(n log n).
void CheckShortcutStates(const ShortcutList& list);

#endif
