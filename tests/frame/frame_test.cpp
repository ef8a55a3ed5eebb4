// The program frame in-process: the main window's class, title, size and menu, and the real
// message loop with the accelerator table, driven by a script that opens and closes the About box.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/main_tabs.h"
#include "app/message_loop.h"
#include "app/quiverdesk.h"
#include "controls/shortcut_view.h"
#include "support/main_window_fixture.h"

namespace {

// ﾊﾞｰｼﾞｮﾝ情報 (Version information) in code page 932.
const char kAboutCaption[] = "\xca\xde\xb0\xbc\xde\xae\xdd\x8f\xee\x95\xf1";

// A dialog this thread shows; other test programs may have theirs open.
HWND OpenDialog()
{
    HWND dialog = 0;
    while ((dialog = FindWindowExA(0, dialog, "#32770", 0)) != 0)
        if (GetWindowThreadProcessId(dialog, 0) == GetCurrentThreadId() && IsWindowVisible(dialog))
            return dialog;
    return 0;
}

// The real program's normal and maximised starts are checked from outside (blackbox_test.cpp).
TEST(MainWindowFrame, StartedMinimisedItKeepsItsOuterSizeAndItsMenu)
{
    MainWindow main(SW_SHOWMINNOACTIVE);
    HWND window = main.Handle();
    EXPECT_TRUE(IsIconic(window));
    WINDOWPLACEMENT placement;
    placement.length = sizeof(placement);
    ASSERT_TRUE(GetWindowPlacement(window, &placement));
    EXPECT_EQ(600, placement.rcNormalPosition.right - placement.rcNormalPosition.left);
    EXPECT_EQ(300, placement.rcNormalPosition.bottom - placement.rcNormalPosition.top);
    // Both items are there by command and enabled: nothing greys them at start.
    for (UINT id : {CMD_EXIT, CMD_ABOUT})
        EXPECT_EQ(static_cast<UINT>(MF_STRING), GetMenuState(GetMenu(window), id, MF_BYCOMMAND)) << id;
}

// Commands nobody handles go to the default procedure: no dialog, no refresh, no teardown.
TEST(MainWindowFrame, UnroutedCommandsChangeNothing)
{
    MainWindow main;
    const int rowsBefore = RowCount();
    const std::string statusBefore = StatusText();
    for (WORD id : {32775, 106, 103, 0}) {
        EXPECT_EQ(0, SendMessageA(main.Handle(), WM_COMMAND, MAKEWPARAM(id, 0), 0)) << id;
        PumpMessages(50);
        EXPECT_TRUE(main.Alive() && IsWindowEnabled(main.Handle())) << id;
        EXPECT_TRUE(OpenDialog() == 0) << id;
        EXPECT_EQ(rowsBefore, RowCount()) << id;
        EXPECT_EQ(statusBefore, StatusText()) << id;
    }
}

// --- A scripted session inside the real message loop ---------------------------------------

enum CloseWay { CLOSE_OK, CLOSE_ENTER, CLOSE_ESC, CLOSE_BOX };

// Each row opens the About box one way with the focus on the main window (null), the list view
// or the tab control, then closes it one way; every way of closing comes up at least once.
const struct Opener {
    const char* name;
    HWND* focus;
    UINT message;  // WM_COMMAND: the menu item; otherwise the character message a keystroke makes
    char key;
    bool shift;
    CloseWay close;
} kOpeners[] = {
    {"menu item", 0, WM_COMMAND, 0, false, CLOSE_OK},
    {"Alt+/ on the main window", 0, WM_SYSCHAR, '/', false, CLOSE_ENTER},
    {"Alt+? on the main window", 0, WM_SYSCHAR, '?', true, CLOSE_ESC},
    {"Alt+/ in the list view", &g_hListView, WM_SYSCHAR, '/', false, CLOSE_BOX},
    {"Alt+? in the list view", &g_hListView, WM_SYSCHAR, '?', true, CLOSE_OK},
    {"Alt+/ on the tab control", &g_hTabs, WM_SYSCHAR, '/', false, CLOSE_ENTER},
    {"Alt+? on the tab control", &g_hTabs, WM_SYSCHAR, '?', true, CLOSE_ESC},
    {"plain / in the list view", &g_hListView, WM_CHAR, '/', false, CLOSE_OK},
    {"plain ? on the tab control", &g_hTabs, WM_CHAR, '?', true, CLOSE_OK},
};
const size_t kRuns = sizeof(kOpeners) / sizeof(kOpeners[0]);

// Ticks of the script's timer only guard against a stuck step; nothing is measured by them.
const int kTickMs = 20, kOpenTicks = 250, kNoOpenTicks = 10;

struct Script {
    HWND main;
    WNDPROC mainProc;
    size_t current;
    int phase, ticks;
    HWND dialog;
    std::vector<WPARAM> aboutCommands;  // WM_COMMAND CMD_ABOUT as the main window received them
} g_script;

LRESULT CALLBACK RecordingMainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && LOWORD(wParam) == CMD_ABOUT)
        g_script.aboutCommands.push_back(wParam);
    return CallWindowProcA(g_script.mainProc, window, message, wParam, lParam);
}

// Posted keystrokes leave the thread's key state alone, so the modifiers are set as held keys would.
void HoldModifiers(bool alt, bool shift)
{
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_MENU] = keys[VK_LMENU] = alt ? 0x80 : 0;
    keys[VK_SHIFT] = keys[VK_LSHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(keys);
}

void StartRun(const Opener& opener)
{
    HWND target = opener.focus ? *opener.focus : g_script.main;
    SetFocus(target);
    EXPECT_EQ(target, GetFocus()) << opener.name;
    if (opener.message == WM_COMMAND) {
        PostMessageA(g_script.main, WM_COMMAND, MAKEWPARAM(CMD_ABOUT, 0), 0);
        return;
    }
    const bool alt = opener.message == WM_SYSCHAR;
    HoldModifiers(alt, opener.shift);
    // Repeat count 1, the scan code of the '/' key, and for Alt the context bit 29.
    PostMessageA(target, opener.message, static_cast<unsigned char>(opener.key),
                 1 | (0x35 << 16) | (alt ? 0x20000000 : 0));
}

void CloseDialog(HWND dialog, CloseWay way)
{
    HWND focus = GetFocus();
    if (!focus || (focus != dialog && !IsChild(dialog, focus)))
        focus = dialog;
    switch (way) {
    case CLOSE_OK:    SendMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0); break;
    case CLOSE_ENTER: PostMessageA(focus, WM_KEYDOWN, VK_RETURN, 0x001C0001); break;
    case CLOSE_ESC:   PostMessageA(focus, WM_KEYDOWN, VK_ESCAPE, 0x00010001); break;
    case CLOSE_BOX:   PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); break;
    }
}

// The command reaches the main window once, marked as from the menu (0) or from an accelerator
// (1), even when a child control held the focus; a plain key sends none.
void EndRun(bool closed)
{
    const Opener& opener = kOpeners[g_script.current];
    EXPECT_TRUE(closed) << opener.name << ": the About box stayed open";
    std::vector<WPARAM> expected;
    if (opener.message != WM_CHAR)
        expected.push_back(MAKEWPARAM(CMD_ABOUT, opener.message == WM_COMMAND ? 0 : 1));
    EXPECT_EQ(expected, g_script.aboutCommands) << opener.name;
    g_script.aboutCommands.clear();
    HoldModifiers(false, false);
    ++g_script.current;
    g_script.phase = g_script.ticks = 0;
}

void CALLBACK ScriptTick(HWND, UINT, UINT_PTR timer, DWORD)
{
    Script& s = g_script;
    if (s.current >= kRuns) {
        KillTimer(0, timer);
        PostMessageA(s.main, WM_COMMAND, MAKEWPARAM(CMD_EXIT, 0), 0);
        return;
    }
    const Opener& opener = kOpeners[s.current];
    const bool opens = opener.message != WM_CHAR;
    HWND dialog = OpenDialog();
    if (s.phase == 0) {
        StartRun(opener);
        s.phase = 1;
    } else if (s.phase == 1 && dialog) {
        HoldModifiers(false, false);
        char caption[64] = "";
        GetWindowTextA(dialog, caption, sizeof(caption));
        EXPECT_TRUE(opens) << opener.name << " opened the About box";
        EXPECT_STREQ(kAboutCaption, caption) << opener.name;
        EXPECT_EQ(s.main, GetWindow(dialog, GW_OWNER)) << opener.name;
        EXPECT_FALSE(IsWindowEnabled(s.main)) << opener.name << ": the About box is not modal";
        s.dialog = dialog;
        CloseDialog(dialog, opener.close);
        s.phase = 2;
        s.ticks = 0;
    } else if (s.phase == 1 && ++s.ticks > (opens ? kOpenTicks : kNoOpenTicks)) {
        EXPECT_FALSE(opens) << opener.name << " did not open the About box";
        EndMenu();  // a missed Alt keystroke would have left the menu bar waiting for a letter
        EndRun(true);
    } else if (s.phase == 2 && !IsWindow(s.dialog) && IsWindowEnabled(s.main)) {
        EndRun(true);
    } else if (s.phase == 2 && ++s.ticks > kOpenTicks) {
        EndDialog(s.dialog, 0);  // let the rest of the script go on
        EndRun(false);
    }
}

TEST(MessageLoop, AboutOpensFromMenuAndAcceleratorsWhereverTheFocusIsAndClosesEveryWay)
{
    MainWindow main;
    HACCEL accelerators = LoadAcceleratorsA(GetModuleHandleA(0), MAKEINTRESOURCEA(IDA_MAIN));
    ASSERT_TRUE(main.Alive() && accelerators);
    g_script = Script();
    g_script.main = main.Handle();
    g_script.mainProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(main.Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordingMainProc)));
    UINT_PTR timer = SetTimer(0, 0, kTickMs, ScriptTick);
    ASSERT_NE(0u, timer);
    EXPECT_EQ(0, RunMessageLoop(main.Handle(), accelerators));
    KillTimer(0, timer);
    EXPECT_FALSE(main.Alive()) << "the loop ended before the window was destroyed";
    EXPECT_EQ(kRuns, g_script.current) << "the script did not finish";
}

}  // namespace
