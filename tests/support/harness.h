// How tests and benchmarks alike drive the real program in-process, free of the test framework:
// the prefix guard, the pump, the main window, its tabs and drops, files by pattern.
#ifndef QUIVERDESK_TESTS_SUPPORT_HARNESS_H
#define QUIVERDESK_TESTS_SUPPORT_HARNESS_H

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/message_loop.h"
#include "app/quiverdesk.h"
#include "commands/refresh.h"
#include "commands/row_filler.h"

constexpr wchar_t kSwitchKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\StartupFolder";

// Tests and benchmarks fill and empty Send To, Startup and the switches' key: only in the prefix
// scripts/wine-env.sh made and marked, or where QD_TEST_FOLDERS_REDIRECTED=1 says those are redirected. Else exit 3.
inline void RefuseOutsideOwnPrefix()
{
    const char* redirected = getenv("QD_TEST_FOLDERS_REDIRECTED");
    if ((getenv("QD_WINE_ENV") && GetProcAddress(GetModuleHandleA("ntdll"), "wine_get_version"))
        || (redirected && strcmp(redirected, "1") == 0))
        return;
    fputs("Refusing to touch Send To and Startup outside the Wine prefix of scripts/test.sh or bench.sh;\n"
          "where they are redirected, set QD_TEST_FOLDERS_REDIRECTED=1.\n",
          stderr);
    exit(3);
}

// Leaves a quit message to the loop that waits for it, as a dialog's own loop would.
inline void PumpMessages()
{
    do
        for (MSG message; PeekMessageA(&message, 0, 0, 0, PM_REMOVE);) {
            if (message.message == WM_QUIT)
                return PostQuitMessage(static_cast<int>(message.wParam));
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    while (FillRowsForAWhile());
}

// Pumps as the program's own loop does, change notifications and all, until done() holds of the
// rows filled or milliseconds have passed; what done() says last. A quit message, left by an earlier window,
// is taken out while it pumps and left again after.
template <typename Done>
inline bool PumpLiveUntil(HWND mainWindow, Done done, DWORD milliseconds)
{
    DWORD start = GetTickCount();
    int exitCode = 0;
    bool quit = false;
    while ((IsFilling() || !done()) && GetTickCount() - start < milliseconds)
        quit = !PumpMessagesAndChanges(mainWindow, 0, 0, 20, &exitCode) || quit;
    if (quit)
        PostQuitMessage(exitCode);
    return done();
}

// The real main window, built as WinMain builds it.
inline HWND StartMainWindow()
{
    HINSTANCE instance = GetModuleHandleA(0);
    LoadMainWindowTexts(instance);
    RegisterMainClass(instance);  // from the second window on, it fails harmlessly
    HWND window = CreateMainWindow(instance, SW_SHOWNORMAL);
    PumpMessages();
    return window;
}

// Button down and up on the tab's centre, as the user clicks, and what that leaves queued.
inline void ClickTab(HWND mainWindow, int index)
{
    HWND tabs = GetDlgItem(mainWindow, CTRL_TABS);
    RECT rect = {};
    SendMessageA(tabs, TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect));
    LPARAM centre = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    SendMessageA(tabs, WM_LBUTTONDOWN, MK_LBUTTON, centre);
    SendMessageA(tabs, WM_LBUTTONUP, 0, centre);
    PumpMessages();
}

// A real HDROP of wide names, as the shell hands it over, in fixed zeroed memory (the handle is
// the pointer): each name ended by a zero, and the list by one more.
inline void DropFiles(HWND window, const std::vector<std::wstring>& paths)
{
    std::wstring names;
    for (const std::wstring& path : paths)
        names += path + L'\0';
    DROPFILES* drop =
        static_cast<DROPFILES*>(GlobalAlloc(GPTR, sizeof(DROPFILES) + (names.size() + 1) * sizeof(wchar_t)));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    CopyMemory(drop + 1, names.data(), names.size() * sizeof(wchar_t));
    SendMessageW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
    PumpMessages();
}

// The names in folder that match pattern, sorted; with remove, those of the files it deleted. A
// caller deletes only its own files, by a pattern that matches no one else's.
inline std::vector<std::wstring> FilesMatching(const std::wstring& folder, const wchar_t* pattern, bool remove = false)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\" + pattern).c_str(), &found);
    for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileW(search, &found))
        if (!remove || DeleteFileW((folder + L"\\" + found.cFileName).c_str()))
            names.push_back(found.cFileName);
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

#endif
