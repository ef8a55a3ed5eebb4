// Commands that hand work to the shell: open the folder, open targets' folders, property sheets.
#ifndef QUIVERDESK_COMMANDS_SHELL_ACTIONS_H
#define QUIVERDESK_COMMANDS_SHELL_ACTIONS_H

#include <windows.h>

void OpenFolder(HWND mainWindow);
void ExploreTargets(HWND mainWindow);
void ShowProperties(HWND mainWindow);

#endif
