// Builds the main window in-process and reads the list view back through its own messages.
#include "support/main_window_fixture.h"

#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>

#include "app/main_tabs.h"
#include "app/main_window.h"
#include "controls/shortcut_view.h"
#include "controls/status_bar.h"
#include "model/shortcut_file.h"
#include "model/shortcut_list.h"

void PumpMessages(DWORD ms)
{
    DWORD start = GetTickCount();
    do {
        MSG message;
        while (PeekMessageA(&message, 0, 0, 0, PM_REMOVE)) {
            if (message.message != WM_QUIT)
                TranslateMessage(&message), DispatchMessageA(&message);
        }
    } while (GetTickCount() - start < ms && MsgWaitForMultipleObjects(0, 0, FALSE, 10, QS_ALLINPUT) != WAIT_FAILED);
}

MainWindow::MainWindow(int showCommand)
{
    static bool registered = false;
    if (!registered) {
        LoadMainWindowTexts(GetModuleHandleA(0));
        RegisterMainClass(GetModuleHandleA(0));
        registered = true;
    }
    m_window = CreateMainWindow(GetModuleHandleA(0), showCommand);
    PumpMessages();
}

MainWindow::~MainWindow()
{
    if (IsWindow(m_window))
        DestroyWindow(m_window);
    PumpMessages();
}

void MainWindow::ClickTab(int index) const
{
    RECT rect = {};
    SendMessageA(g_hTabs, TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect));
    LPARAM centre = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    SendMessageA(g_hTabs, WM_LBUTTONDOWN, MK_LBUTTON, centre);
    SendMessageA(g_hTabs, WM_LBUTTONUP, 0, centre);
    PumpMessages();
}

void MainWindow::Command(int id) const
{
    SendMessageA(m_window, WM_COMMAND, MAKEWPARAM(id, 0), 0);
    PumpMessages();
}

int RowCount() { return static_cast<int>(SendMessageA(g_hListView, LVM_GETITEMCOUNT, 0, 0)); }

namespace {

LVITEMA ReadRow(int row, UINT mask)
{
    LVITEMA item = {};
    item.mask = mask;
    item.iItem = row;
    SendMessageA(g_hListView, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return item;
}

}  // namespace

LPARAM RowParam(int row) { return ReadRow(row, LVIF_PARAM).lParam; }
int RowImage(int row) { return ReadRow(row, LVIF_IMAGE).iImage; }

std::string RowText(int row, int subItem)
{
    char text[MAX_PATH + 1] = "";
    LVITEMA item = {};
    item.iSubItem = subItem;
    item.pszText = text;
    item.cchTextMax = sizeof(text);
    SendMessageA(g_hListView, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    return text;
}

void SelectRows(const std::vector<int>& rows)
{
    LVITEMA state = {};
    state.stateMask = LVIS_SELECTED;
    SendMessageA(g_hListView, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
    state.state = LVIS_SELECTED;
    for (int row : rows)
        SendMessageA(g_hListView, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
    PumpMessages();
}

std::string StatusText()
{
    char text[MAX_PATH * 2] = "";
    SendMessageA(g_statusBar.GetWindow(), SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
    return text;
}

std::string RowLinkPath(int row)
{
    const ShortcutItem* item = g_shortcutList.GetAt(static_cast<int>(RowParam(row)));
    return item && item->GetLinkPath() ? item->GetLinkPath() : "";
}

int RowOfLink(const std::string& linkPath)
{
    for (int row = 0; row < RowCount(); ++row) {
        if (SamePath(RowLinkPath(row), linkPath))
            return row;
    }
    return -1;
}

void Drop(const MainWindow& window, const Names& paths)
{
    std::string list;
    for (const std::string& path : paths)
        list += path + '\0';
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + list.size() + 1);
    DROPFILES* header = static_cast<DROPFILES*>(GlobalLock(memory));
    header->pFiles = sizeof(DROPFILES);
    CopyMemory(header + 1, list.data(), list.size());
    GlobalUnlock(memory);
    SendMessageA(window.Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
    PumpMessages();
}

const char kScratchFolder[] = "C:\\qdtest";

void ShellFolderTest::SetUp()
{
    RequireSafeShellFolders();
    ASSERT_TRUE(m_com.Ok());
    m_sendTo = ShellFolderPath(CSIDL_SENDTO);
    m_startup = ShellFolderPath(CSIDL_STARTUP);
    ASSERT_FALSE(m_sendTo.empty() || m_startup.empty());
    CreateDirectoryA(kScratchFolder, 0);
    TearDown();
}

void ShellFolderTest::TearDown()
{
    EmptyFolder(m_sendTo);
    EmptyFolder(m_startup);
    EmptyFolder(kScratchFolder);
}

std::string ScratchFile(const std::string& relative)
{
    std::string path = std::string(kScratchFolder) + "\\" + relative;
    EXPECT_TRUE(WriteBytes(path, "x")) << path;
    return path;
}

std::string ScratchFolder(const std::string& relative)
{
    std::string path = std::string(kScratchFolder) + "\\" + relative;
    EXPECT_TRUE(CreateDirectoryA(path.c_str(), 0)) << path;
    return path;
}

bool AddSample(const std::string& dir, const std::string& sample, const std::string& name)
{
    std::wstring to = L"\\\\?\\" + Wide(dir + "\\" + (name.empty() ? sample : name));
    return CopyFileW(Wide(TestDataPath("lnk/" + sample)).c_str(), to.c_str(), FALSE) != FALSE;
}

std::string MakeLink(const std::string& folder, const std::string& name, const std::string& target)
{
    std::string path = folder + "\\" + name;
    EXPECT_TRUE(CreateShortcutFile(target.c_str(), "", "", SW_SHOW, path.c_str())) << path;
    return path;
}

Names LinkNames(const std::string& folder, const char* pattern)
{
    Names names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\" + pattern).c_str(), &found);
    while (search != INVALID_HANDLE_VALUE) {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(found.cFileName);
        if (!FindNextFileA(search, &found))
            break;
    }
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

bool SamePath(const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) == 0; }
