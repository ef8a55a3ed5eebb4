// The real Quiverdesk.exe seen from outside: its window and every column in sight at 144 DPI, its
// rows, its About box by Alt+? from the list (the loop translates every child's accelerators), and a
// clean exit.
#include "support/support.h"

#include "app/window_dpi.h"

TEST_F(ShellFolderTest, RealProgramListsSendToOpensAboutAndExitsWithZero)
{
    // Up to ten seconds for what the program does in its own time.
    auto waitFor = [](auto done) {
        for (int i = 0; i < 200 && !done(); ++i)
            Sleep(50);
        return done();
    };
    AddSample(m_sendTo, L"26-japanese-cp932-local.lnk");
    AddSample(m_sendTo, L"06-ansi-stringdata-desc-args.lnk");
    // At 144 DPI, which Wine reads when the program first asks for it; the prefix's own once it has.
    const char* desktop = "Control Panel\\Desktop";
    DWORD dpi = 144, saved = 0, size = sizeof(saved);
    bool had =
        RegGetValueA(HKEY_CURRENT_USER, desktop, "LogPixels", RRF_RT_REG_DWORD, 0, &saved, &size) == ERROR_SUCCESS;
    RegSetKeyValueA(HKEY_CURRENT_USER, desktop, "LogPixels", REG_DWORD, &dpi, sizeof(dpi));
    // The program beside this one, or QD_PROGRAM: the release check points it at the zip's.
    char self[MAX_PATH] = "";
    GetModuleFileNameA(0, self, sizeof(self));
    std::string program = std::getenv("QD_PROGRAM")
                              ? std::getenv("QD_PROGRAM")
                              : std::string(self, std::strrchr(self, '\\') + 1) + "Quiverdesk.exe";
    std::string command = "\"" + program + "\" junk arguments";
    STARTUPINFOA startup = {sizeof(startup)};
    PROCESS_INFORMATION process = {};
    bool started = CreateProcessA(0, &command[0], 0, 0, FALSE, 0, 0, 0, &startup, &process);
    // Taken once shown: the window is there to find while WM_CREATE still makes its children.
    auto shownWindow = [] {
        HWND window = FindWindowA("QUIVERDESK", "Quiverdesk");
        return IsWindowVisible(window) ? window : HWND(0);
    };
    HWND window = started ? waitFor(shownWindow) : 0;
    EXPECT_TRUE(window != 0) << command;
    if (had)
        RegSetKeyValueA(HKEY_CURRENT_USER, desktop, "LogPixels", REG_DWORD, &saved, sizeof(saved));
    else
        RegDeleteKeyValueA(HKEY_CURRENT_USER, desktop, "LogPixels");
    HWND list = FindWindowExA(window, 0, WC_LISTVIEWA, 0);
    EXPECT_TRUE(waitFor([list] { return SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) == 2; }));
    // As tall to the eye as at 96 DPI, the first columns as wide, and every column in sight, the
    // state's words whole in the font the program makes for 144 DPI.
    const std::vector<int> frame = Frame(window, 144);
    EXPECT_EQ(std::vector<int>({300, 100, 100}), std::vector<int>(frame.begin() + 1, frame.end() - 1));
    LOGFONTW face = {};
    MessageFontForDpi(144, &face);
    HFONT font = CreateFontIndirectW(&face);
    EXPECT_EQ("", ColumnsMisfit(window, font, 144));
    DeleteObject(font);

    // The program's thread shares this one's key state while Alt and Shift are held here.
    AttachThreadInput(GetCurrentThreadId(), GetWindowThreadProcessId(window, 0), TRUE);
    HoldKeys({VK_MENU, VK_SHIFT});
    PostMessageA(list, WM_SYSCHAR, '?', 1 << 29);  // bit 29: Alt is down
    HWND about = waitFor([] { return FindWindowA("#32770", 0); });
    HoldKeys({});
    AttachThreadInput(GetCurrentThreadId(), GetWindowThreadProcessId(window, 0), FALSE);
    EXPECT_TRUE(about != 0);
    PostMessageA(about, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(waitFor([about] { return !IsWindow(about); })) << "About closes on OK";

    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process.hProcess, 20000));
    // One that did not end must not outlive the test: the next run would find its window.
    TerminateProcess(process.hProcess, 1);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    EXPECT_EQ(0u, code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}
