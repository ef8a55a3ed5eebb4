// The real Quiverdesk.exe, started as a user starts it and inspected from outside: its window,
// its rows, its About box, and a clean exit when closed.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <cstdlib>
#include <cstring>

#include "support/support.h"

namespace {

HWND WaitForWindow(const char* className, const char* title)
{
    for (int i = 0; i < 200; ++i, Sleep(50)) {
        if (HWND window = FindWindowA(className, title))
            return window;
    }
    return 0;
}

}  // namespace

TEST_F(ShellFolderTest, RealProgramListsSendToOpensAboutAndExitsWithZero)
{
    AddSample(m_sendTo, "26-japanese-cp932-local.lnk");
    AddSample(m_sendTo, "06-ansi-stringdata-desc-args.lnk");
    // The program beside this one, or QD_PROGRAM: the release check points it at the zip's.
    char self[MAX_PATH] = "";
    GetModuleFileNameA(0, self, sizeof(self));
    std::string program = std::getenv("QD_PROGRAM") ? std::getenv("QD_PROGRAM") : std::string(self, std::strrchr(self, '\\') + 1) + "Quiverdesk.exe";
    std::string command = "\"" + program + "\" junk arguments";
    STARTUPINFOA startup = {sizeof(startup)};
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(CreateProcessA(0, &command[0], 0, 0, FALSE, 0, 0, 0, &startup, &process)) << command;
    HWND window = WaitForWindow("QUIVERDESK", "Quiverdesk");
    ASSERT_TRUE(window != 0);
    WaitForInputIdle(process.hProcess, 5000);
    HWND list = FindWindowExA(window, 0, WC_LISTVIEWA, 0);
    EXPECT_EQ(2, SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));

    PostMessageA(window, WM_COMMAND, 104, 0);
    HWND about = WaitForWindow("#32770", 0);
    ASSERT_TRUE(about != 0);
    PostMessageA(about, WM_COMMAND, IDOK, 0);
    for (int i = 0; i < 100 && IsWindow(about); ++i)
        Sleep(50);
    EXPECT_FALSE(IsWindow(about));

    PostMessageA(window, WM_CLOSE, 0, 0);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process.hProcess, 20000));
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    EXPECT_EQ(0u, code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}
