// Where the two shell folders are: tab 1 is Startup, any other tab Send To.
#ifndef QUIVERDESK_MODEL_FOLDER_PATH_H
#define QUIVERDESK_MODEL_FOLDER_PATH_H

#include <windows.h>

#include "model/heap_string.h"

// True for the tab of the Startup folder, the only one with Windows' switch.
inline bool IsStartupTab(int tabIndex)
{
    return tabIndex == 1;
}

// The shell folder constant for a tab index.
int FolderForTab(int tabIndex);

// The folder's full path, or empty text when the shell can't name it.
HeapString GetFolderPath(HWND owner, int tabIndex);

#endif
