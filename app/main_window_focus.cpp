// OnActivate and OnSetFocus: the keyboard focus stays with the main window's children, so the
// arrows, Home and Page Down work at once after start-up, Alt+Tab or a message box.
#include "app/main_window.h"

#include "controls/shortcut_view.h"

namespace {

// The child that had the focus when the window was last switched away from; not owned. A child
// since destroyed, such as the editor of a name, is no child of the window any more.
HWND g_lastFocus = 0;

}  // namespace

// Deactivation comes before the focus leaves, so the child that has it can still be asked.
void OnActivate(HWND mainWindow, int state)
{
    HWND focus = GetFocus();
    if (state == WA_INACTIVE && focus && IsChild(mainWindow, focus))
        g_lastFocus = focus;
}

// Activation gives the main window itself the focus, which no key acts on: it passes it on.
void OnSetFocus(HWND mainWindow)
{
    if (g_lastFocus && IsChild(mainWindow, g_lastFocus))
        SetFocus(g_lastFocus);
    else
        FocusShortcutView();
}
