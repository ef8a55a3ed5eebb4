// The program frame in-process: the main window's class, title, size and menu, and the real
// message loop with the accelerator table, driven by a script that opens and closes the About box.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
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

BOOL CALLBACK FindDialogOfThread(HWND window, LPARAM found)
{
    char className[16] = "";
    GetClassNameA(window, className, sizeof(className));
    if (std::strcmp(className, "#32770") != 0 || !IsWindowVisible(window))
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

HWND OpenDialog()
{
    HWND found = 0;
    EnumThreadWindows(GetCurrentThreadId(), FindDialogOfThread, reinterpret_cast<LPARAM>(&found));
    return found;
}

TEST(MainWindowFrame, ClassTitleOuterSizeMenuAndDropStyleInEachShowState)
{
    struct Row { const char* name; int showCommand; bool zoomed; bool iconic; };
    const Row rows[] = {
        {"normal", SW_SHOWNORMAL, false, false},
        {"maximised", SW_SHOWMAXIMIZED, true, false},
        {"minimised", SW_SHOWMINNOACTIVE, false, true},
    };
    for (size_t i = 0; i < sizeof(rows) / sizeof(rows[0]); ++i) {
        const Row& row = rows[i];
        SCOPED_TRACE(row.name);
        MainWindow main(row.showCommand);
        HWND window = main.Handle();
        ASSERT_TRUE(window != 0);
        char text[100] = "";
        GetClassNameA(window, text, sizeof(text));
        EXPECT_STREQ("QUIVERDESK", text);
        GetWindowTextA(window, text, sizeof(text));
        EXPECT_STREQ("Quiverdesk", text);
        EXPECT_EQ(row.zoomed, IsZoomed(window) != FALSE);
        EXPECT_EQ(row.iconic, IsIconic(window) != FALSE);
        // The restored rectangle is the outer size the window was created with.
        WINDOWPLACEMENT placement;
        placement.length = sizeof(placement);
        ASSERT_TRUE(GetWindowPlacement(window, &placement));
        EXPECT_EQ(600, placement.rcNormalPosition.right - placement.rcNormalPosition.left);
        EXPECT_EQ(300, placement.rcNormalPosition.bottom - placement.rcNormalPosition.top);
        if (!row.zoomed && !row.iconic) {
            RECT outer;
            GetWindowRect(window, &outer);
            EXPECT_EQ(600, outer.right - outer.left);
            EXPECT_EQ(300, outer.bottom - outer.top);
        }
        EXPECT_NE(0, GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);

        HMENU menu = GetMenu(window);
        ASSERT_TRUE(menu != 0);
        EXPECT_EQ(2, GetMenuItemCount(menu));
        const UINT itemIds[2] = {CMD_EXIT, CMD_ABOUT};
        for (int popup = 0; popup < 2; ++popup) {
            HMENU items = GetSubMenu(menu, popup);
            ASSERT_TRUE(items != 0) << "popup " << popup;
            EXPECT_EQ(1, GetMenuItemCount(items)) << "popup " << popup;
            EXPECT_EQ(itemIds[popup], GetMenuItemID(items, 0)) << "popup " << popup;
            EXPECT_EQ(0u, GetMenuState(items, 0, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED)) << "popup " << popup;
        }
    }
}

// Commands nobody handles go to the default procedure: no dialog, no refresh, no teardown.
TEST(MainWindowFrame, UnroutedCommandsChangeNothing)
{
    MainWindow main;
    const int rowsBefore = RowCount();
    const std::string statusBefore = StatusText();
    const WORD ids[] = {32775, 106, 103, 0};
    for (size_t i = 0; i < sizeof(ids) / sizeof(ids[0]); ++i) {
        SCOPED_TRACE(ids[i]);
        EXPECT_EQ(0, SendMessageA(main.Handle(), WM_COMMAND, MAKEWPARAM(ids[i], 0), 0));
        PumpMessages(50);
        EXPECT_TRUE(main.Alive());
        EXPECT_TRUE(IsWindowEnabled(main.Handle()));
        EXPECT_TRUE(OpenDialog() == 0);
        EXPECT_EQ(rowsBefore, RowCount());
        EXPECT_EQ(statusBefore, StatusText());
    }
}

// --- The scripted session inside the real message loop -------------------------------------

enum Focus { ON_MAIN, ON_LIST, ON_TABS };
enum CloseWay { CLOSE_OK, CLOSE_ENTER, CLOSE_ESC, CLOSE_BOX, CLOSE_COUNT };
const char* const kCloseNames[CLOSE_COUNT] = {"OK click", "Enter", "Esc", "close box"};

struct Opener {
    const char* name;
    Focus focus;
    UINT message;  // WM_COMMAND: the menu item; otherwise the character message a keystroke makes
    char key;
    bool alt;
    bool shift;
    bool opens;
    CloseWay close;  // how the About box is then closed; each way closes it at least once
};

const Opener kOpeners[] = {
    {"menu item", ON_MAIN, WM_COMMAND, 0, false, false, true, CLOSE_OK},
    {"Alt+/ on the main window", ON_MAIN, WM_SYSCHAR, '/', true, false, true, CLOSE_ENTER},
    {"Alt+? on the main window", ON_MAIN, WM_SYSCHAR, '?', true, true, true, CLOSE_ESC},
    {"Alt+/ in the list view", ON_LIST, WM_SYSCHAR, '/', true, false, true, CLOSE_BOX},
    {"Alt+? in the list view", ON_LIST, WM_SYSCHAR, '?', true, true, true, CLOSE_OK},
    {"Alt+/ on the tab control", ON_TABS, WM_SYSCHAR, '/', true, false, true, CLOSE_ENTER},
    {"Alt+? on the tab control", ON_TABS, WM_SYSCHAR, '?', true, true, true, CLOSE_ESC},
    {"Alt+/ in the list view again", ON_LIST, WM_SYSCHAR, '/', true, false, true, CLOSE_ESC},
    {"Alt+? in the list view again", ON_LIST, WM_SYSCHAR, '?', true, true, true, CLOSE_ENTER},
    {"plain / in the list view", ON_LIST, WM_CHAR, '/', false, false, false, CLOSE_OK},
    {"plain ? on the tab control", ON_TABS, WM_CHAR, '?', false, true, false, CLOSE_OK},
};

struct AboutRun {
    const Opener* opener;
    // What the script saw.
    bool focused;
    bool opened;
    bool captionRight;
    bool ownedByMain;
    bool mainDisabledWhileOpen;
    bool closed;
    std::vector<WPARAM> aboutCommands;  // WM_COMMAND CMD_ABOUT as the main window received them

    std::string Name() const
    {
        return std::string(opener->name) + (opener->opens ? std::string(", closed by ") + kCloseNames[opener->close] : "");
    }
};

// Ticks of the script's timer; only guards against a stuck step, nothing is measured by them.
const int kTickMs = 20;
const int kOpenTicks = 250;
const int kNoOpenTicks = 10;

struct Script {
    HWND main;
    WNDPROC mainProc;
    std::vector<AboutRun> runs;
    size_t current;
    int phase;
    int ticks;
    HWND dialog;
} g_script;

LRESULT CALLBACK RecordingMainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && LOWORD(wParam) == CMD_ABOUT && g_script.current < g_script.runs.size())
        g_script.runs[g_script.current].aboutCommands.push_back(wParam);
    return CallWindowProcA(g_script.mainProc, window, message, wParam, lParam);
}

// Posted keystrokes leave the thread's key state alone, so the modifiers are set the way a
// held key would have set them.
void HoldModifiers(bool alt, bool shift)
{
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_MENU] = keys[VK_LMENU] = alt ? 0x80 : 0;
    keys[VK_SHIFT] = keys[VK_LSHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(keys);
}

HWND FocusTarget(Focus focus)
{
    switch (focus) {
    case ON_LIST: return g_hListView;
    case ON_TABS: return g_hTabs;
    default:      return g_script.main;
    }
}

void StartRun(AboutRun& run)
{
    const Opener& opener = *run.opener;
    HWND target = FocusTarget(opener.focus);
    SetFocus(target);
    run.focused = GetFocus() == target;
    if (opener.message == WM_COMMAND) {
        PostMessageA(g_script.main, WM_COMMAND, MAKEWPARAM(CMD_ABOUT, 0), 0);
        return;
    }
    HoldModifiers(opener.alt, opener.shift);
    // Repeat count 1, the scan code of the '/' key, and for Alt the context bit 29.
    LPARAM keyData = 1 | (0x35 << 16) | (opener.alt ? 0x20000000 : 0);
    PostMessageA(GetFocus(), opener.message, static_cast<unsigned char>(opener.key), keyData);
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
    default:          PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); break;
    }
}

void NextRun()
{
    HoldModifiers(false, false);
    ++g_script.current;
    g_script.phase = 0;
    g_script.ticks = 0;
}

void CALLBACK ScriptTick(HWND, UINT, UINT_PTR timer, DWORD)
{
    Script& s = g_script;
    if (s.current >= s.runs.size()) {
        KillTimer(0, timer);
        PostMessageA(s.main, WM_COMMAND, MAKEWPARAM(CMD_EXIT, 0), 0);
        return;
    }
    AboutRun& run = s.runs[s.current];
    HWND dialog = OpenDialog();
    switch (s.phase) {
    case 0:
        StartRun(run);
        s.phase = 1;
        s.ticks = 0;
        break;
    case 1:
        if (dialog) {
            HoldModifiers(false, false);
            char caption[64] = "";
            GetWindowTextA(dialog, caption, sizeof(caption));
            run.opened = true;
            run.captionRight = std::strcmp(caption, kAboutCaption) == 0;
            run.ownedByMain = GetWindow(dialog, GW_OWNER) == s.main;
            run.mainDisabledWhileOpen = !IsWindowEnabled(s.main);
            s.dialog = dialog;
            CloseDialog(dialog, run.opener->close);
            s.phase = 2;
            s.ticks = 0;
        } else if (++s.ticks > (run.opener->opens ? kOpenTicks : kNoOpenTicks)) {
            // A missed Alt keystroke would have left the menu bar waiting for a letter.
            EndMenu();
            run.closed = true;  // nothing to close
            NextRun();
        }
        break;
    default:
        if (!IsWindow(s.dialog) && IsWindowEnabled(s.main)) {
            run.closed = true;
            NextRun();
        } else if (++s.ticks > kOpenTicks) {
            EndDialog(s.dialog, 0);  // let the rest of the script go on
            NextRun();
        }
        break;
    }
}

TEST(MessageLoop, AboutOpensFromMenuAndAcceleratorsWhereverTheFocusIsAndClosesEveryWay)
{
    MainWindow main;
    ASSERT_TRUE(main.Alive());
    HACCEL accelerators = LoadAcceleratorsA(GetModuleHandleA(0), MAKEINTRESOURCEA(IDA_MAIN));
    ASSERT_TRUE(accelerators != 0);

    g_script = Script();
    g_script.main = main.Handle();
    for (size_t i = 0; i < sizeof(kOpeners) / sizeof(kOpeners[0]); ++i) {
        AboutRun run = AboutRun();
        run.opener = &kOpeners[i];
        g_script.runs.push_back(run);
    }
    g_script.mainProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(main.Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordingMainProc)));
    UINT_PTR timer = SetTimer(0, 0, kTickMs, ScriptTick);
    ASSERT_NE(0u, timer);

    int exitCode = RunMessageLoop(main.Handle(), accelerators);
    KillTimer(0, timer);

    EXPECT_EQ(0, exitCode);
    EXPECT_FALSE(main.Alive()) << "the loop ended before the window was destroyed";
    ASSERT_EQ(g_script.runs.size(), g_script.current) << "the script did not finish";
    for (size_t i = 0; i < g_script.runs.size(); ++i) {
        const AboutRun& run = g_script.runs[i];
        SCOPED_TRACE(run.Name());
        EXPECT_TRUE(run.focused);
        EXPECT_EQ(run.opener->opens, run.opened);
        EXPECT_TRUE(run.closed);
        if (run.opener->opens) {
            EXPECT_TRUE(run.captionRight);
            EXPECT_TRUE(run.ownedByMain);
            EXPECT_TRUE(run.mainDisabledWhileOpen);
            // The command reaches the main window once, marked as from the menu (0) or from an
            // accelerator (1), even when a child control held the focus.
            WPARAM expected = MAKEWPARAM(CMD_ABOUT, run.opener->message == WM_COMMAND ? 0 : 1);
            EXPECT_EQ(std::vector<WPARAM>(1, expected), run.aboutCommands);
        } else {
            EXPECT_TRUE(run.aboutCommands.empty());
        }
    }
}

}  // namespace
