// Quiverdesk's own start, step for step as its WinMain takes it, reporting when the window is
// painted whole: the in-process half of the start-up benchmark. The window stays up until closed.
#include "bench/bench.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    LoadMainWindowTexts(instance);
    RegisterMainClass(instance);
    HWND mainWindow = CreateMainWindow(instance, showCommand);
    if (!mainWindow)
        return 1;
    ReportFirstPaint();
    HACCEL accelerators = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDA_MAIN));
    HACCEL commandKeys = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDA_KEYS));
    return RunMessageLoop(mainWindow, accelerators, commandKeys);
}
