// Program entry: register the class, create the window, run the loop until it is closed.
#include <windows.h>

#include "app/list_command.h"
#include "app/main_window.h"
#include "app/message_loop.h"
#include "res/resource_ids.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    int exitCode = 0;
    if (RunCommandLine(&exitCode))
        return exitCode;
    LoadMainWindowTexts(instance);
    RegisterMainClass(instance);
    HWND mainWindow = CreateMainWindow(instance, showCommand);
    if (!mainWindow)
        return 0;
    // Released by the system with the process; the loop uses them to the end.
    HACCEL accelerators = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDA_MAIN));
    HACCEL commandKeys = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDA_KEYS));
    return RunMessageLoop(mainWindow, accelerators, commandKeys);
}
