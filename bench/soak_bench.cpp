// Soak and big-drop benchmark: thousands of refreshes and a drop of hundreds of items on the real
// main window, reporting time, what is left of the GDI table and private bytes. It measures and
// reports; it passes or fails nothing. soak_bench [refreshes [dropped items]] (500 and 500)
#include <windows.h>
#include <psapi.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/main_window.h"
#include "app/quiverdesk.h"
#include "bench/bench_clock.h"
#include "model/shortcut_file.h"

namespace {

const char kScratch[] = "C:\\qdbench";

void Pump()
{
    MSG message;
    while (PeekMessageA(&message, 0, 0, 0, PM_REMOVE)) {
        if (message.message != WM_QUIT)
            TranslateMessage(&message), DispatchMessageA(&message);
    }
}

// How many more GDI objects the process could make: a leak shows as a shrinking room.
int GdiRoom()
{
    static HRGN regions[70000];
    int count = 0;
    while (count < 70000 && (regions[count] = CreateRectRgn(0, 0, 1, 1)) != 0)
        ++count;
    for (int i = 0; i < count; ++i)
        DeleteObject(regions[i]);
    return count;
}

unsigned long PrivateKb()
{
    PROCESS_MEMORY_COUNTERS counters;
    ZeroMemory(&counters, sizeof(counters));
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    return static_cast<unsigned long>(counters.PagefileUsage / 1024);
}

// Deletes the files of folder that match pattern.
int RemoveFiles(const std::string& folder, const char* pattern)
{
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((folder + "\\" + pattern).c_str(), &entry);
    int count = 0;
    for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &entry))
        count += DeleteFileA((folder + "\\" + entry.cFileName).c_str()) ? 1 : 0;
    FindClose(search);
    return count;
}

HGLOBAL MakeDrop(const std::string& paths)
{
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + paths.size() + 1);
    DROPFILES* header = static_cast<DROPFILES*>(GlobalLock(memory));
    header->pFiles = sizeof(DROPFILES);
    CopyMemory(header + 1, paths.data(), paths.size());
    GlobalUnlock(memory);
    return memory;
}

}  // namespace

int main(int argc, char** argv)
{
    // Fills and empties Send To: only where that folder is a throwaway.
    if (!GetProcAddress(GetModuleHandleA("ntdll"), "wine_get_version") && !std::getenv("QD_TEST_FOLDERS_REDIRECTED"))
        return std::fprintf(stderr, "soak_bench: run it under Wine, through scripts/bench.sh\n"), 3;
    const int refreshes = argc > 1 ? std::atoi(argv[1]) : 500;
    const int dropped = argc > 2 ? std::atoi(argv[2]) : 500;
    CoInitialize(0);
    char sendTo[MAX_PATH] = "";
    SHGetSpecialFolderPathA(0, sendTo, CSIDL_SENDTO, TRUE);
    CreateDirectoryA(kScratch, 0);
    for (int i = 0; i < 50; ++i) {
        std::string target = std::string(kScratch) + "\\t" + std::to_string(i) + ".txt";
        CloseHandle(CreateFileA(target.c_str(), GENERIC_WRITE, 0, 0, CREATE_ALWAYS, 0, 0));
        CreateShortcutFile(Widen(target.c_str()).c_str(), L"", L"", SW_SHOW,
                           Widen((std::string(sendTo) + "\\qd-soak-" + std::to_string(i) + ".lnk").c_str()).c_str());
    }

    HINSTANCE instance = GetModuleHandleA(0);
    LoadMainWindowTexts(instance);
    RegisterMainClass(instance);
    HWND window = CreateMainWindow(instance, SW_SHOWNORMAL);
    Pump();
    const int warmUp = refreshes / 10;
    int roomAtWarmUp = 0;
    unsigned long kbAtWarmUp = 0;
    double start = 0;
    for (int i = 1; i <= refreshes; ++i) {
        SendMessageA(window, WM_COMMAND, CMD_REFRESH, 0);
        Pump();
        if (i == warmUp) {
            roomAtWarmUp = GdiRoom();  // first: filling the GDI table grows the heap once
            kbAtWarmUp = PrivateKb();
            start = NowMs();
        }
    }
    double perRefresh = (NowMs() - start) / (refreshes - warmUp);
    int roomAtEnd = GdiRoom();
    unsigned long kbAtEnd = PrivateKb();

    std::string paths;
    for (int i = 0; i < dropped; ++i) {
        std::string item = std::string(kScratch) + "\\d" + std::to_string(i) + ".txt";
        CloseHandle(CreateFileA(item.c_str(), GENERIC_WRITE, 0, 0, CREATE_ALWAYS, 0, 0));
        paths += item + '\0';
    }
    start = NowMs();
    SendMessageA(window, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(paths)), 0);
    double dropMs = NowMs() - start;
    DestroyWindow(window);
    Pump();
    int made = RemoveFiles(sendTo, "d*.lnk");
    RemoveFiles(sendTo, "qd-soak-*.lnk");
    RemoveFiles(kScratch, "*.txt");
    RemoveDirectoryA(kScratch);

    std::printf("| what | figure |\n|---|---:|\n");
    std::printf("| refreshes of 50 shortcuts (after %d to warm up) | %d |\n", warmUp, refreshes - warmUp);
    std::printf("| ms per refresh | %.2f |\n", perRefresh);
    std::printf("| GDI objects the process could still make, warm / end | %d / %d |\n", roomAtWarmUp, roomAtEnd);
    std::printf("| private KB, warm / end | %lu / %lu |\n", kbAtWarmUp, kbAtEnd);
    std::printf("| drop of %d items: shortcuts made | %d |\n", dropped, made);
    std::printf("| drop of %d items: ms, with its refresh | %.0f |\n", dropped, dropMs);
    CoUninitialize();
    return 0;
}
