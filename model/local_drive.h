// Where a file may be opened without the window waiting on it: a share, a disc or a removable
// drive may take seconds to answer, or never.
#ifndef QUIVERDESK_MODEL_LOCAL_DRIVE_H
#define QUIVERDESK_MODEL_LOCAL_DRIVE_H

// True for a full path ("X:\...") on a present local fixed drive or RAM disk.
bool IsOnLocalFixedDrive(const wchar_t* path);
// The same for the drive of a letter.
bool IsLocalFixedDrive(wchar_t letter);

#endif
