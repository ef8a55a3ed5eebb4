// The message loop, with the accelerator table given the first look at every message. Between
// messages it sleeps on the change notifications of what the list shows as well, so a change made
// by another program wakes it, and nothing else does. While rows are filled, each pass through
// the loop fills a slice of them once every waiting message is handled.
#include "app/message_loop.h"

#include "commands/live_view.h"
#include "commands/row_filler.h"
#include "controls/shortcut_view.h"

namespace {

// A name being edited in the list takes its keys itself: Delete, Enter, Ctrl+A and the arrows
// edit the text there, not the rows.
bool IsNameBeingEdited(const MSG& message)
{
    return message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST && GetNameEditor();
}

void Dispatch(HWND mainWindow, HACCEL accelerators, HACCEL commandKeys, MSG& message)
{
    // Keystrokes go to whichever child has the focus; translate those of the main window's
    // children for the main window, so Alt+? and Alt+/ work wherever the focus is inside it.
    HWND target = message.hwnd;
    bool inside = target && GetAncestor(target, GA_ROOT) == mainWindow;
    if (inside)
        target = mainWindow;
    if (accelerators && TranslateAcceleratorW(target, accelerators, &message))
        return;
    if (inside && commandKeys && !IsNameBeingEdited(message)
        && TranslateAcceleratorW(mainWindow, commandKeys, &message))
        return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

}  // namespace

bool PumpMessagesAndChanges(HWND mainWindow, HACCEL accelerators, HACCEL commandKeys, DWORD timeout, int* exitCode)
{
    int count = GetChangeHandleCount();
    // Rows still to fill: a look at what waits, and back to them.
    DWORD woken = MsgWaitForMultipleObjectsEx(count, GetChangeHandles(), IsFilling() ? 0 : timeout, QS_ALLINPUT,
                                              MWMO_INPUTAVAILABLE);
    if (woken < WAIT_OBJECT_0 + count)
        OnSourceChanged(mainWindow, woken - WAIT_OBJECT_0);
    MSG message;
    // Wide throughout: a character typed into the name editor reaches it whole, not through the
    // code page, where 한 would become '?' and é a look-alike e.
    while (PeekMessageW(&message, 0, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            *exitCode = static_cast<int>(message.wParam);
            return false;
        }
        Dispatch(mainWindow, accelerators, commandKeys, message);
    }
    FillRowsForAWhile();
    return true;
}

int RunMessageLoop(HWND mainWindow, HACCEL accelerators, HACCEL commandKeys)
{
    int exitCode = 0;
    while (PumpMessagesAndChanges(mainWindow, accelerators, commandKeys, INFINITE, &exitCode)) {
    }
    return exitCode;
}
