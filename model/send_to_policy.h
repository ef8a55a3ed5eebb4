// Whether the Send To menu lists the removable drives: Explorer's NoDrivesInSendToMenu policy,
// which leaves them out when set to 1, the user's own under HKCU or the machine's under HKLM.
#ifndef QUIVERDESK_MODEL_SEND_TO_POLICY_H
#define QUIVERDESK_MODEL_SEND_TO_POLICY_H

struct RemovableDrivesPolicy {
    bool shown;         // the menu lists them
    bool setByMachine;  // the machine's policy decides, and the user's cannot change it
};

RemovableDrivesPolicy ReadRemovableDrivesPolicy();
// Writes the user's policy: deleted to show the drives, 1 to leave them out. True when done.
bool SetRemovableDrivesShown(bool shown);

#endif
