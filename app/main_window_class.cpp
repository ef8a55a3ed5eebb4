// The main window's class and its creation, with the title and class name from the string table.
#include "app/main_window.h"

#include "app/quiverdesk.h"

char g_title[100];
char g_className[100];

void LoadMainWindowTexts(HINSTANCE instance)
{
    LoadStringA(instance, IDS_TITLE, g_title, sizeof(g_title));
    LoadStringA(instance, IDS_CLASS_NAME, g_className, sizeof(g_className));
}

void RegisterMainClass(HINSTANCE instance)
{
    WNDCLASSEXA windowClass;
    ZeroMemory(&windowClass, sizeof(windowClass));
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = MainWndProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_QUIVERDESK));
    windowClass.hCursor = LoadCursorA(0, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    windowClass.lpszMenuName = MAKEINTRESOURCEA(IDM_MAIN);
    windowClass.lpszClassName = g_className;
    windowClass.hIconSm = LoadIconA(instance, MAKEINTRESOURCEA(IDI_QUIVERDESK_SMALL));
    RegisterClassExA(&windowClass);
}

HWND CreateMainWindow(HINSTANCE instance, int showCommand)
{
    // WM_CREATE builds the children and lists the first folder before this returns.
    HWND window = CreateWindowExA(0, g_className, g_title, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                                  CW_USEDEFAULT, 0, 600, 300, 0, 0, instance, 0);
    if (!window)
        return 0;
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    return window;
}
