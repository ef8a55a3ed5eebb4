// WindowDpi: looked up at run time, so the program still starts where user32 lacks the call.
#include "app/window_dpi.h"

namespace {

typedef UINT(WINAPI* GetDpiForWindowProc)(HWND);

GetDpiForWindowProc FindGetDpiForWindow()
{
    // user32 is loaded for the life of the process, so its address stays good.
    HMODULE user32 = GetModuleHandleA("user32.dll");
    return user32 ? reinterpret_cast<GetDpiForWindowProc>(
                        reinterpret_cast<void*>(GetProcAddress(user32, "GetDpiForWindow")))
                  : 0;
}

}  // namespace

int WindowDpi(HWND window)
{
    GetDpiForWindowProc getDpiForWindow = FindGetDpiForWindow();
    UINT dpi = getDpiForWindow && window ? getDpiForWindow(window) : 0;
    if (dpi)
        return static_cast<int>(dpi);
    HDC screen = GetDC(0);
    int pixels = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen)
        ReleaseDC(0, screen);
    return pixels > 0 ? pixels : 96;
}
