// The modal About box.
#ifndef QUIVERDESK_APP_ABOUT_DIALOG_H
#define QUIVERDESK_APP_ABOUT_DIALOG_H

#include <windows.h>

INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

#endif
