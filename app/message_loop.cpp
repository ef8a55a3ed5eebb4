// The message loop, with the accelerator table given the first look at every message.
#include "app/message_loop.h"

#include "controls/shortcut_view.h"

namespace {

// A name being edited in the list takes its keys itself: Delete, Enter, Ctrl+A and the arrows
// edit the text there, not the rows.
bool IsNameBeingEdited(const MSG& message)
{
    return message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST && GetNameEditor();
}

}  // namespace

int RunMessageLoop(HWND mainWindow, HACCEL accelerators, HACCEL commandKeys)
{
    MSG message;
    // Wide throughout: a character typed into the name editor reaches it whole, not through the
    // code page, where 한 would become '?' and é a look-alike e.
    while (GetMessageW(&message, 0, 0, 0) > 0) {
        // Keystrokes go to whichever child has the focus; translate those of the main window's
        // children for the main window, so Alt+? and Alt+/ work wherever the focus is inside it.
        HWND target = message.hwnd;
        bool inside = target && GetAncestor(target, GA_ROOT) == mainWindow;
        if (inside)
            target = mainWindow;
        if (TranslateAcceleratorW(target, accelerators, &message))
            continue;
        if (inside && commandKeys && !IsNameBeingEdited(message)
            && TranslateAcceleratorW(mainWindow, commandKeys, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
