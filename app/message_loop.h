// The program's one message loop, which also waits on the live view's change notifications.
#ifndef QUIVERDESK_APP_MESSAGE_LOOP_H
#define QUIVERDESK_APP_MESSAGE_LOOP_H

#include <windows.h>

// Pumps messages until WM_QUIT and returns its exit code. Keystrokes anywhere inside the
// main window are matched against the accelerators, then against the command keys (unless a
// name is being edited), on behalf of the main window itself.
int RunMessageLoop(HWND mainWindow, HACCEL accelerators, HACCEL commandKeys);

// One turn of that loop: waits up to timeout for a message or a change of what the list shows,
// answers the change, and dispatches every message waiting. False once WM_QUIT came, with its
// exit code in *exitCode.
bool PumpMessagesAndChanges(HWND mainWindow, HACCEL accelerators, HACCEL commandKeys, DWORD timeout, int* exitCode);

#endif
