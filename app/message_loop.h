// The program's one message loop.
#ifndef QUIVERDESK_APP_MESSAGE_LOOP_H
#define QUIVERDESK_APP_MESSAGE_LOOP_H

#include <windows.h>

// Pumps messages until WM_QUIT and returns its exit code. Keystrokes anywhere inside the
// main window are matched against the accelerators, then against the command keys (unless a
// name is being edited), on behalf of the main window itself.
int RunMessageLoop(HWND mainWindow, HACCEL accelerators, HACCEL commandKeys);

#endif
