// The main window's DPI, sizes given at 96 DPI scaled to it, and the system's font and small-icon
// size for it.
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
// The system's message font at dpi: SystemParametersInfoForDpi where user32 has it (Windows 10
// 1607 on), elsewhere the font for the screen's DPI scaled to dpi.
void MessageFontForDpi(int dpi, LOGFONTW* font);
// The side of the system's small icons, which are square, at dpi: GetSystemMetricsForDpi where
// user32 has it, elsewhere 16 scaled to dpi.
int SmallIconSideForDpi(int dpi);

#endif
