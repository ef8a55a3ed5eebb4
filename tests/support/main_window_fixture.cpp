// Builds the main window in-process, reads the list view back through its own messages, and
// keeps the shell folders and the scratch tree the window tests fill.
#include "support/main_window_fixture.h"

#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>

#include "app/main_tabs.h"
#include "app/main_window.h"
#include "controls/shortcut_view.h"
#include "controls/status_bar.h"
#include "controls/tool_bar.h"
#include "model/shortcut_file.h"
#include "model/shortcut_list.h"

namespace {

// Button down and up at the centre of the control's item, whose rectangle rectMessage reads.
void ClickItem(HWND control, UINT rectMessage, int index)
{
    RECT rect = {};
    SendMessageA(control, rectMessage, index, reinterpret_cast<LPARAM>(&rect));
    LPARAM point = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, point);
    SendMessageA(control, WM_LBUTTONUP, 0, point);
    PumpMessages();
}

LVITEMA ReadRow(int row, UINT mask)
{
    LVITEMA item = {};
    item.mask = mask;
    item.iItem = row;
    SendMessageA(g_hListView, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return item;
}

// The \\?\ form reaches names past 260 bytes, which the 8-bit calls can't.
std::wstring LongForm(const std::string& path)
{
    std::wstring wide(MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, 0, 0), L'\0');
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, &wide[0], static_cast<int>(wide.size()));
    return L"\\\\?\\" + wide.substr(0, wide.size() - 1);
}

// EmptyFolder, then the files whose names are too long for it. An empty dir would be the root.
void ClearFolder(const std::string& dir)
{
    if (dir.empty())
        return;
    EmptyFolder(dir);
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((LongForm(dir) + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        DeleteFileW((LongForm(dir) + L"\\" + found.cFileName).c_str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

}  // namespace

void PumpMessages(DWORD ms)
{
    DWORD start = GetTickCount();
    for (;;) {
        MSG message;
        while (PeekMessageA(&message, 0, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT)
                continue;
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (GetTickCount() - start >= ms)
            return;
        MsgWaitForMultipleObjects(0, 0, FALSE, 10, QS_ALLINPUT);
    }
}

MainWindow::MainWindow(int showCommand)
{
    HINSTANCE instance = GetModuleHandleA(0);
    static bool registered = false;
    if (!registered) {
        LoadMainWindowTexts(instance);
        RegisterMainClass(instance);
        registered = true;
    }
    m_window = CreateMainWindow(instance, showCommand);
    PumpMessages();
}

MainWindow::~MainWindow()
{
    if (Alive())
        DestroyWindow(m_window);
    PumpMessages();
}

void MainWindow::ClickTab(int index) const { ClickItem(g_hTabs, TCM_GETITEMRECT, index); }
void MainWindow::ClickToolbarButton(int index) const { ClickItem(g_toolBar.GetWindow(), TB_GETITEMRECT, index); }

void MainWindow::Command(int id) const
{
    SendMessageA(m_window, WM_COMMAND, MAKEWPARAM(id, 0), 0);
    PumpMessages();
}

RECT MainWindow::ChildRect(HWND child) const
{
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(HWND_DESKTOP, m_window, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

int RowCount() { return static_cast<int>(SendMessageA(g_hListView, LVM_GETITEMCOUNT, 0, 0)); }
LPARAM RowParam(int row) { return ReadRow(row, LVIF_PARAM).lParam; }
int RowImage(int row) { return ReadRow(row, LVIF_IMAGE).iImage; }
int ImageCount() { return ImageList_GetImageCount(g_hImageList); }

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
    for (size_t i = 0; i < rows.size(); ++i)
        SendMessageA(g_hListView, LVM_SETITEMSTATE, rows[i], reinterpret_cast<LPARAM>(&state));
    PumpMessages();
}

std::string StatusText()
{
    char text[1024] = "";
    if (LOWORD(SendMessageA(g_statusBar.GetWindow(), SB_GETTEXTLENGTHA, 0, 0)) < sizeof(text))
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
    ClearFolder(m_sendTo);
    ClearFolder(m_startup);
    EmptyFolder(kScratchFolder);
}

std::string ScratchFile(const std::string& relative)
{
    std::string path = std::string(kScratchFolder) + "\\" + relative;
    EXPECT_TRUE(WriteBytes(path, "x", 1)) << path;
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
    return CopyFileW(LongForm(TestDataPath("lnk/" + sample)).c_str(),
                     LongForm(dir + "\\" + (name.empty() ? sample : name)).c_str(), FALSE) != FALSE;
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
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

bool SamePath(const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) == 0; }

void Drop(const MainWindow& window, const Names& paths)
{
    std::string list;
    for (size_t i = 0; i < paths.size(); ++i)
        list += paths[i] + '\0';
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + list.size() + 1);
    DROPFILES* header = static_cast<DROPFILES*>(GlobalLock(memory));
    header->pFiles = sizeof(DROPFILES);
    CopyMemory(header + 1, list.data(), list.size());
    GlobalUnlock(memory);
    SendMessageA(window.Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
    PumpMessages();
}
