// The main window: its class, creation, procedure and the handlers that build and lay it out.
#ifndef QUIVERDESK_APP_MAIN_WINDOW_H
#define QUIVERDESK_APP_MAIN_WINDOW_H

#include <windows.h>

extern char g_title[100];
extern char g_className[100];

// Loads the window title and class name from the string table.
void LoadMainWindowTexts(HINSTANCE instance);
void RegisterMainClass(HINSTANCE instance);
// The shown main window, or null when it could not be created.
HWND CreateMainWindow(HINSTANCE instance, int showCommand);

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

void OnCreate(HWND mainWindow);
void OnSize(HWND mainWindow);
void OnDpiChanged(HWND mainWindow, int dpi, const RECT* suggested);
void OnDestroy(HWND mainWindow);
// WM_ENDSESSION: ending is false when the session goes on after all.
void OnEndSession(HWND mainWindow, bool ending);
// Frees what the children drew with, once they are gone.
void OnNcDestroy(HWND mainWindow);
// The child that had the focus when the window was switched away from gets it back on return;
// the list gets it at first.
void OnActivate(HWND mainWindow, int state);
void OnSetFocus(HWND mainWindow);
// True when commandLine, as GetCommandLineW gives it, holds the switch that opens the Startup tab
// (commands/restart_elevated.h) past the program's own path; other arguments are ignored.
bool AsksForStartupTab(const wchar_t* commandLine);
// COM for this thread, started by the first listing rather than with the window, so that ole32
// and the shell load after the first paint; OnDestroy ends it.
void StartCom();

#endif
