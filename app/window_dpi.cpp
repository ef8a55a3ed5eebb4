// The DPI calls of Windows 10 1607, looked up at run time so the program still starts where
// user32 lacks them, with what older systems offer in their place.
#include "app/window_dpi.h"

namespace {

// user32 is loaded for the life of the process, so an address found in it stays good.
void* FindInUser32(const char* name)
{
    HMODULE user32 = GetModuleHandleA("user32.dll");
    return user32 ? reinterpret_cast<void*>(GetProcAddress(user32, name)) : 0;
}

int ScreenDpi()
{
    HDC screen = GetDC(0);
    int pixels = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen)
        ReleaseDC(0, screen);
    return pixels > 0 ? pixels : 96;
}

}  // namespace

int WindowDpi(HWND window)
{
    typedef UINT(WINAPI * GetDpiForWindowProc)(HWND);
    GetDpiForWindowProc getDpiForWindow = reinterpret_cast<GetDpiForWindowProc>(FindInUser32("GetDpiForWindow"));
    UINT dpi = getDpiForWindow && window ? getDpiForWindow(window) : 0;
    return dpi ? static_cast<int>(dpi) : ScreenDpi();
}

void MessageFontForDpi(int dpi, LOGFONTW* font)
{
    typedef BOOL(WINAPI * ParametersForDpiProc)(UINT, UINT, void*, UINT, UINT);
    ParametersForDpiProc parametersForDpi =
        reinterpret_cast<ParametersForDpiProc>(FindInUser32("SystemParametersInfoForDpi"));
    NONCLIENTMETRICSW metrics;
    ZeroMemory(&metrics, sizeof(metrics));
    metrics.cbSize = sizeof(metrics);
    bool forDpi = parametersForDpi && parametersForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, dpi);
    // Without the call the system speaks for the screen's DPI.
    if (!forDpi && SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
        metrics.lfMessageFont.lfHeight = MulDiv(metrics.lfMessageFont.lfHeight, dpi, ScreenDpi());
    *font = metrics.lfMessageFont;
}

int SmallIconSideForDpi(int dpi)
{
    typedef int(WINAPI * MetricsForDpiProc)(int, UINT);
    MetricsForDpiProc metricsForDpi = reinterpret_cast<MetricsForDpiProc>(FindInUser32("GetSystemMetricsForDpi"));
    int side = metricsForDpi ? metricsForDpi(SM_CXSMICON, dpi) : 0;
    return side > 0 ? side : ScaleToDpi(16, dpi);
}
