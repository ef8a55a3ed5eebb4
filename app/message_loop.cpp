// The message loop, with the accelerator table given the first look at every message.
#include "app/message_loop.h"

int RunMessageLoop(HWND mainWindow, HACCEL accelerators)
{
    MSG message;
    while (GetMessageA(&message, 0, 0, 0) > 0) {
        // Keystrokes go to whichever child has the focus; translate those of the main window's
        // children for the main window, so Alt+? and Alt+/ work wherever the focus is inside it.
        HWND target = message.hwnd;
        if (target && GetAncestor(target, GA_ROOT) == mainWindow)
            target = mainWindow;
        if (!TranslateAcceleratorA(target, accelerators, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    return static_cast<int>(message.wParam);
}
