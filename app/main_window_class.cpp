// The main window's class and its creation, with the title and class name from the string table.
#include "app/main_window.h"

#include "app/visual_styles.h"
#include "res/resource_ids.h"

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
    // Shared icons, as LoadIcon gives: the system keeps them, nobody destroys them.
    bool fullColour = VisualStylesOn();
    int largeId = fullColour ? IDI_QUIVERDESK_COLOUR : IDI_QUIVERDESK;
    int smallId = fullColour ? IDI_QUIVERDESK_COLOUR : IDI_QUIVERDESK_SMALL;
    windowClass.hIcon =
        static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(largeId), IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                                      GetSystemMetrics(SM_CYICON), LR_SHARED));
    windowClass.hCursor = LoadCursorA(0, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    windowClass.lpszMenuName = MAKEINTRESOURCEA(IDM_MAIN);
    windowClass.lpszClassName = g_className;
    windowClass.hIconSm =
        static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(smallId), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                      GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    RegisterClassExA(&windowClass);
}

HWND CreateMainWindow(HINSTANCE instance, int showCommand)
{
    // WM_CREATE builds the children and posts the first listing. Files dropped from Explorer are
    // taken from the start (WS_EX_ACCEPTFILES, as DragAcceptFiles sets it).
    HWND window = CreateWindowExA(WS_EX_ACCEPTFILES, g_className, g_title, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                                  CW_USEDEFAULT, 0, 600, 300, 0, 0, instance, 0);
    if (!window)
        return 0;
    ShowWindow(window, showCommand);
    // Painted whole, children too, with the rows WM_CREATE named: the user sees the window at once
    // and the rows fill in, not an empty frame while the shell is asked about every file.
    RedrawWindow(window, 0, 0, RDW_UPDATENOW | RDW_ALLCHILDREN);
    return window;
}
