// What the state column says of a shortcut: switched off, target gone, target out of reach,
// duplicated, unreadable, hidden, new since the last run, come back. An item holds these as bits.
#ifndef QUIVERDESK_MODEL_SHORTCUT_STATE_H
#define QUIVERDESK_MODEL_SHORTCUT_STATE_H

class ShortcutList;

enum ShortcutState {
    kStateSwitchedOff = 1 << 0,    // Windows' Startup switch is off
    kStateTargetMissing = 1 << 1,  // nothing at the target's path on a present local fixed drive
    kStateUnverifiable = 1 << 2,   // target on a share, removable or optical media, or an absent drive
    kStateDuplicate = 1 << 3,      // another row has the same target (or program) and arguments
    kStateUnreadable = 1 << 4,     // the file is no readable shortcut
    kStateHidden = 1 << 5,         // the file has the Hidden attribute: the Send To menu leaves it out
    kStateNew = 1 << 6,            // not listed when the program last closed
    kStateBack = 1 << 7            // deleted or switched off through the program, and there or on again
};
const int kStateCount = 8;

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

// The target, duplicate and unreadable states of every item of a list, checked a step at a time so
// that a window can answer between steps: each item's target is looked at on its own, then every
// item takes what was found at once, and the duplicates are found across all of them by sorting,
// in O(n log n). Until then the items keep the states they showed.
class StateCheck {
public:
    explicit StateCheck(const ShortcutList& list);
    ~StateCheck();
    // Looks at the next item's target; false once every item was looked at.
    bool CheckNext();
    // Gives each item its states found; true when any item's states changed.
    bool Apply();

private:
    StateCheck(const StateCheck&);
    StateCheck& operator=(const StateCheck&);

    const ShortcutList& m_list;
    unsigned* m_found;  // owned, new[]; the states found for each item, then those it showed
    int m_count;
    int m_next;
    TargetChecker m_checker;
};

// The whole check at once.
void CheckShortcutStates(const ShortcutList& list);

#endif
