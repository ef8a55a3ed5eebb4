// RestartAsAdministrator: the shell's "runas" verb on the program's own file asks for consent.
#include "commands/restart_elevated.h"

#include <shellapi.h>

#include "commands/refresh.h"
#include "controls/main_tabs.h"

void RestartAsAdministrator(HWND mainWindow)
{
    wchar_t path[MAX_PATH];
    DWORD length = GetModuleFileNameW(0, path, MAX_PATH);
    if (!length || length >= MAX_PATH)
        return;
    SHELLEXECUTEINFOW info;
    ZeroMemory(&info, sizeof(info));
    info.cbSize = sizeof(info);
    // Waits for the start to be done before this process ends.
    info.fMask = SEE_MASK_NOASYNC;
    info.hwnd = mainWindow;
    info.lpVerb = L"runas";
    info.lpFile = path;
    info.lpParameters = IsStartupTabSelected() ? kStartupTabSwitch : 0;
    info.nShow = SW_SHOWNORMAL;
    // The copy reads the memory as it starts: what this run remembers must be in it by then.
    SaveListedMemory();
    if (ShellExecuteExW(&info))
        DestroyWindow(mainWindow);
}
