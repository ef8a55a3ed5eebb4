// The main window's DPI, and sizes given at 96 DPI scaled to it.
#ifndef QUIVERDESK_APP_WINDOW_DPI_H
#define QUIVERDESK_APP_WINDOW_DPI_H

#include <windows.h>

// GetDpiForWindow where user32 has it (Windows 10 1607 on); the screen's LOGPIXELSY elsewhere.
int WindowDpi(HWND window);
// A size in pixels at 96 DPI, at dpi.
inline int ScaleToDpi(int size, int dpi)
{
    return MulDiv(size, dpi, 96);
}

#endif
