// What every test program includes: the real main window read back through wide messages, emptied
// shell folders and Startup keys, import patches that record or fake calls, UTF-16 file helpers.
#ifndef QUIVERDESK_TESTS_SUPPORT_SUPPORT_H
#define QUIVERDESK_TESTS_SUPPORT_SUPPORT_H

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>

#include <gtest/gtest.h>

#include "support/harness.h"
#include "controls/main_tabs.h"
#include "controls/shortcut_view.h"
#include "controls/status_bar.h"
#include "controls/tool_bar.h"
#include "model/heap_string.h"
#include "model/object_array.h"
#include "model/shortcut_item.h"
#include "model/shortcut_list.h"

typedef std::wstring Text;
typedef std::vector<Text> Names;
const Text kScratchFolder = L"C:\\qdtest";

// The program's own words, as its 8-bit calls hand them over (code page 932).
inline std::string Ansi(const Text& wide)
{
    char ansi[2048] = "";
    WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, ansi, sizeof(ansi), 0, 0);
    return ansi;
}

inline std::string ReadBytes(const Text& path)
{
    std::ifstream file(std::filesystem::path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

// What "nothing lost" compares: every file under dir, with its bytes.
inline std::map<Text, std::string> TreeContents(const Text& dir)
{
    std::map<Text, std::string> contents;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dir)) {
        if (entry.is_regular_file())
            contents[entry.path().wstring()] = ReadBytes(entry.path().wstring());
    }
    return contents;
}

inline bool WriteBytes(const Text& path, const std::string& bytes)
{
    return std::ofstream(std::filesystem::path(path), std::ios::binary).write(bytes.data(), bytes.size()).good();
}

// Where the program writes a file before it recycles it.
inline Text TempPath(const Text& name)
{
    wchar_t folder[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, folder);
    return folder + name;
}

inline Text TestDataPath(const Text& relative)
{
    const wchar_t* data = _wgetenv(L"QD_TEST_DATA");
    return Text(data ? data : L".") + L"\\" + relative;
}

// As GetKeyState reports them.
inline void HoldKeys(std::initializer_list<int> keys)
{
    BYTE state[256] = {};
    for (int key : keys)
        state[key] = 0x80;
    SetKeyboardState(state);
}

// Outer width and height, and the first three columns' widths, of a main window in any process.
inline std::vector<int> Frame(HWND mainWindow, int dpi = 96)
{
    RECT outer = {};
    GetWindowRect(mainWindow, &outer);
    HWND list = FindWindowExA(mainWindow, 0, WC_LISTVIEWA, 0);
    std::vector<int> frame = {outer.right - outer.left, outer.bottom - outer.top};
    for (int column = 0; column < 3; ++column)
        frame.push_back(ListView_GetColumnWidth(list, column));
    for (int& size : frame)
        size = MulDiv(size, 96, dpi);
    return frame;
}

// Points an import slot (__imp_ and the function's name, declared below), through which every
// call of the statically linked product goes, at replacement while alive; original gets the old.
template <typename F>
class ImportPatch {
public:
    ImportPatch(F& slot, F replacement, F* original = 0) : m_slot(slot), m_saved(slot)
    {
        if (original)
            *original = slot;
        Set(replacement);
    }
    ~ImportPatch() { Set(m_saved); }

private:
    void Set(F function)
    {
        DWORD protection = 0;
        VirtualProtect(&m_slot, sizeof(m_slot), PAGE_READWRITE, &protection);
        m_slot = function;
        VirtualProtect(&m_slot, sizeof(m_slot), protection, &protection);
    }
    F& m_slot;
    F m_saved;
};

extern "C" decltype(&CoUninitialize) __imp_CoUninitialize;
extern "C" decltype(&DragFinish) __imp_DragFinish;
extern "C" decltype(&FindFirstFileW) __imp_FindFirstFileW;
extern "C" decltype(&GetFileAttributesW) __imp_GetFileAttributesW;
extern "C" decltype(&HeapReAlloc) __imp_HeapReAlloc;
extern "C" decltype(&MessageBoxA) __imp_MessageBoxA;
extern "C" decltype(&MessageBoxW) __imp_MessageBoxW;
extern "C" decltype(&RegSetKeyValueW) __imp_RegSetKeyValueW;
extern "C" decltype(&RegSetValueExW) __imp_RegSetValueExW;
extern "C" decltype(&SHFileOperationW) __imp_SHFileOperationW;
extern "C" decltype(&SHGetSpecialFolderLocation) __imp_SHGetSpecialFolderLocation;
extern "C" decltype(&SHOpenFolderAndSelectItems) __imp_SHOpenFolderAndSelectItems;
extern "C" decltype(&ShellExecuteW) __imp_ShellExecuteW;
extern "C" decltype(&ShellExecuteExW) __imp_ShellExecuteExW;
extern "C" decltype(&ShowWindow) __imp_ShowWindow;
extern "C" decltype(&TrackPopupMenu) __imp_TrackPopupMenu;

// What the user would notice of a command, one record per kind: the files the shell changes and
// the windows it opens, as "verb: path" (a delete says "recycle" when it can be undone; the files of
// one operation, and a folder opened with its items selected, are joined by '|'), each menu
// shown as its items joined by '|' (a greyed command marked ":greyed"), and each message's text.
struct Noticed {
    Names files, windows, menus, messages;
};
inline Noticed g_noticed;
inline UINT g_menuChoice = 0;
inline decltype(&SHFileOperationW) g_fileOperation;

inline int WINAPI NoticeFileOperation(LPSHFILEOPSTRUCTW operation)
{
    const wchar_t* verb = operation->wFunc == FO_RENAME       ? L"rename: "
                          : operation->fFlags & FOF_ALLOWUNDO ? L"recycle: "
                                                              : L"delete: ";
    Text names;
    for (const wchar_t* name = operation->pFrom; *name; name += wcslen(name) + 1)
        names += (names.empty() ? L"" : L"|") + Text(name);
    g_noticed.files.push_back(verb + names);
    // The confirmation runs a message loop while it waits for the user, who says yes.
    PumpMessages();
    operation->fFlags |= FOF_NOCONFIRMATION;
    return g_fileOperation(operation);
}

inline BOOL WINAPI NoticeMenu(HMENU menu, UINT, int, int, int, HWND owner, const RECT*)
{
    Text items;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[100] = L"";
        GetMenuStringW(menu, i, text, 100, MF_BYPOSITION);
        UINT state = GetMenuState(menu, i, MF_BYPOSITION);
        items += (i ? L"|" : L"") + Text(text) + (state & MF_GRAYED && !(state & MF_SEPARATOR) ? L":greyed" : L"");
    }
    g_noticed.menus.push_back(items);
    return static_cast<BOOL>(g_menuChoice && PostMessageA(owner, WM_COMMAND, g_menuChoice, 0));
}

// Records into g_noticed, from empty, while alive. The shell's file operations still happen; its
// windows don't open; a message box says yes and a menu chooses g_menuChoice, as the user would.
struct NoticeRecorder {
    ImportPatch<decltype(&SHFileOperationW)> fileOperation{__imp_SHFileOperationW, NoticeFileOperation,
                                                           &g_fileOperation};
    ImportPatch<decltype(&ShellExecuteW)> execute{__imp_ShellExecuteW,
                                                  +[](HWND, LPCWSTR verb, LPCWSTR file, LPCWSTR, LPCWSTR, INT) {
                                                      g_noticed.windows.push_back(Text(verb) + L": " + file);
                                                      return reinterpret_cast<HINSTANCE>(42);  // above 32: done
                                                  }};
    ImportPatch<decltype(&ShellExecuteExW)> executeEx{
        __imp_ShellExecuteExW, +[](SHELLEXECUTEINFOW* info) {
            g_noticed.windows.push_back(Text(info->lpVerb) + L": " + info->lpFile
                                        + (info->lpParameters ? L" " + Text(info->lpParameters) : L""));
            return TRUE;
        }};
    ImportPatch<decltype(&SHOpenFolderAndSelectItems)> select{
        __imp_SHOpenFolderAndSelectItems,
        +[](PCIDLIST_ABSOLUTE folder, UINT count, PCUITEMID_CHILD_ARRAY items, DWORD) {
            wchar_t path[MAX_PATH] = L"";
            SHGetPathFromIDListW(folder, path);
            Text line = L"select: " + Text(path);
            for (UINT i = 0; i < count; ++i) {
                PIDLIST_ABSOLUTE item = ILCombine(folder, items[i]);
                line += (SHGetPathFromIDListW(item, path), L"|" + Text(path));
                ILFree(item);
            }
            return g_noticed.windows.push_back(line), S_OK;
        }};
    ImportPatch<decltype(&TrackPopupMenu)> menu{__imp_TrackPopupMenu, NoticeMenu};
    ImportPatch<decltype(&MessageBoxA)> message{__imp_MessageBoxA, +[](HWND, LPCSTR text, LPCSTR, UINT) {
                                                    wchar_t wide[512] = L"";
                                                    MultiByteToWideChar(CP_ACP, 0, text, -1, wide, 512);
                                                    return g_noticed.messages.push_back(wide), IDYES;
                                                }};
    ImportPatch<decltype(&MessageBoxW)> messageW{__imp_MessageBoxW, +[](HWND, LPCWSTR text, LPCWSTR, UINT) {
                                                     return g_noticed.messages.push_back(text), IDYES;
                                                 }};
    NoticeRecorder() { g_noticed = {}, g_menuChoice = 0; }
};

// A control of the main window by its id, found as any code outside the control's own files finds it.
inline HWND MainChild(int id)
{
    return GetDlgItem(FindWindowA(g_className, 0), id);
}

inline int RowCount()
{
    return static_cast<int>(SendMessageA(MainChild(CTRL_LIST), LVM_GETITEMCOUNT, 0, 0));
}

// What the row shows, read back whole through the wide message.
inline Text RowText(int row, int subItem)
{
    wchar_t text[INFOTIPSIZE] = L"";
    LVITEMW item = {0, 0, subItem, 0, 0, text, INFOTIPSIZE};
    SendMessageW(MainChild(CTRL_LIST), LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
    return text;
}

// Every row's name, in the order on show, joined by '|'.
inline Text RowNames()
{
    Text names;
    for (int row = 0; row < RowCount(); ++row)
        names += (row ? L"|" : L"") + RowText(row, 0);
    return names;
}

inline void SelectRows(const std::vector<int>& rows)
{
    ListView_SetItemState(MainChild(CTRL_LIST), -1, 0, LVIS_SELECTED);
    for (int row : rows)
        ListView_SetItemState(MainChild(CTRL_LIST), row, LVIS_SELECTED, LVIS_SELECTED);
    PumpMessages();
}

// The row whose name column reads name; -1 for none.
inline int RowNamed(const Text& name)
{
    LVFINDINFOW find = {LVFI_STRING, name.c_str()};
    return static_cast<int>(SendMessageW(MainChild(CTRL_LIST), LVM_FINDITEMW, -1, reinterpret_cast<LPARAM>(&find)));
}

// '+' where the toolbar's button can be pressed, '-' where it is greyed.
inline std::string Pressable(int command)
{
    return SendMessageA(g_toolBar.GetWindow(), TB_ISBUTTONENABLED, command, 0) ? "+" : "-";
}

// A click on the column's header, as the user sorts.
inline void SortBy(int column)
{
    RECT rect = {};
    HWND header = ListView_GetHeader(MainChild(CTRL_LIST));
    Header_GetItemRect(header, column, &rect);
    // Mid-column: near its left edge lies the divider of the column before, which resizes.
    const LPARAM middle = MAKELPARAM((rect.left + rect.right) / 2, rect.top + 5);
    SendMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, middle);
    SendMessageA(header, WM_LBUTTONUP, 0, middle);
}

// The file of the row's item, as every command finds it; empty when no command may act on it.
inline Text RowLinkPath(int row)
{
    const ShortcutItem* item = GetRowItem(row);
    return item && item->GetLinkPath() ? item->GetLinkPath() : L"";
}

// The row of each link, -1 for one no row names.
inline std::vector<int> RowsOf(const Names& linkPaths)
{
    std::vector<int> rows;
    for (const Text& link : linkPaths) {
        int row = RowCount() - 1;
        while (row >= 0 && CompareStringOrdinal(RowLinkPath(row).c_str(), -1, link.c_str(), -1, TRUE) != CSTR_EQUAL)
            --row;
        rows.push_back(row);
    }
    return rows;
}

// Wine's recycle bin, which lies on the host under XDG_DATA_HOME; empty when there is none.
inline Text TrashFolder()
{
    const wchar_t* data = _wgetenv(L"XDG_DATA_HOME");
    Text trash = data ? L"Z:" + Text(data) + L"/Trash" : L"";
    std::replace(trash.begin(), trash.end(), L'/', L'\\');
    return trash;
}

// A file in the program's folder under the local application data.
inline Text OwnFile(const Text& name)
{
    wchar_t local[MAX_PATH] = L"";
    SHGetFolderPathW(0, CSIDL_LOCAL_APPDATA, 0, SHGFP_TYPE_CURRENT, local);
    return Text(local) + L"\\Quiverdesk\\" + name;
}

// Empties Send To, Startup, the scratch tree, the test prefix's recycle bin and the program's memory
// around each test.
class ShellFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RefuseOutsideOwnPrefix();
        wchar_t sendTo[MAX_PATH] = L"", startup[MAX_PATH] = L"";
        ASSERT_TRUE(SHGetSpecialFolderPathW(0, sendTo, CSIDL_SENDTO, TRUE)
                    && SHGetSpecialFolderPathW(0, startup, CSIDL_STARTUP, TRUE));
        m_sendTo = sendTo;
        m_startup = startup;
        CreateDirectoryW(kScratchFolder.c_str(), 0);
        EmptyFolders();
    }
    void TearDown() override { EmptyFolders(); }
    void EmptyFolders() const
    {
        for (const Text& dir : {m_sendTo, m_startup, kScratchFolder}) {
            if (dir.size() < 4 || dir[1] != L':' || dir[2] != L'\\')  // a drive root, or Wine's Z:, the host's root
                std::abort();
            for (const auto& entry : std::filesystem::directory_iterator(dir))  // exactly, "Twin.lnk." too
                std::filesystem::remove_all(L"\\\\?\\" + entry.path().wstring());
        }
        RegDeleteKeyW(HKEY_CURRENT_USER, kSwitchKey);
        // What the last window remembered would mark this test's rows.
        for (const wchar_t* name : {L"Memory.txt", L"Memory.unreadable.txt"})
            DeleteFileW(OwnFile(name).c_str());
        // The bin names a file after those it already holds: each test starts with none.
        for (const wchar_t* part : {L"\\files", L"\\info"}) {
            std::error_code absent;
            if (std::getenv("QD_WINE_ENV") && !TrashFolder().empty())
                for (const auto& entry : std::filesystem::directory_iterator(TrashFolder() + part, absent))
                    std::filesystem::remove_all(entry.path());
        }
    }
    struct Com {
        Com() { CoInitialize(0); }
        ~Com() { CoUninitialize(); }
    } m_com;
    Text m_sendTo, m_startup;
};

inline bool g_laidOutAtShow = false;
inline decltype(&ShowWindow) g_showWindow;

// The real main window over the emptied folders, built in this process as WinMain builds it.
class MainWindowTest : public ShellFolderTest {
protected:
    void SetUp() override
    {
        ShellFolderTest::SetUp();
        // Whether the list view already lay on the tab's page when the window first showed.
        ImportPatch show(
            __imp_ShowWindow,
            +[](HWND window, int command) {
                RECT list, page;
                GetWindowRect(MainChild(CTRL_LIST), &list);
                GetClientRect(MainChild(CTRL_TABS), &page);
                SendMessageA(MainChild(CTRL_TABS), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&page));
                MapWindowPoints(MainChild(CTRL_TABS), 0, reinterpret_cast<POINT*>(&page), 2);
                g_laidOutAtShow = EqualRect(&list, &page);
                return g_showWindow(window, command);
            },
            &g_showWindow);
        m_window = StartMainWindow();
    }
    void TearDown() override
    {
        if (IsWindow(m_window))
            DestroyWindow(m_window);
        PumpMessages();
        // The window's quit has no loop to end here: left, it would end the next test's dialogs.
        MSG quit;
        PeekMessageA(&quit, 0, WM_QUIT, WM_QUIT, PM_REMOVE);
        ShellFolderTest::TearDown();
    }
    void ClickTab(int index) const { ::ClickTab(m_window, index); }
    void Command(int id) const
    {
        SendMessageA(m_window, WM_COMMAND, MAKEWPARAM(id, 0), 0);
        PumpMessages();
    }
    // Pumps as the program's own loop does until done() holds: long enough for a loaded machine,
    // since how soon a change shows is the benchmark's to measure.
    template <typename Done>
    bool Live(Done done, DWORD milliseconds = 5000) const
    {
        return PumpLiveUntil(m_window, done, milliseconds);
    }
    HWND m_window = 0;
};

// A file holding its own name, so every file's bytes differ.
inline Text ScratchFile(const Text& relative)
{
    Text path = kScratchFolder + L"\\" + relative;
    EXPECT_TRUE(WriteBytes(path, Ansi(relative))) << Ansi(path);
    return path;
}

inline Text ScratchFolder(const Text& relative)
{
    Text path = kScratchFolder + L"\\" + relative;
    EXPECT_TRUE(CreateDirectoryW(path.c_str(), 0)) << Ansi(path);
    return path;
}

// A copy at path of the library built beside the tests, whose version information names 矢筒工房.
inline Text CopyVersioned(const Text& path)
{
    wchar_t self[MAX_PATH] = L"";
    GetModuleFileNameW(0, self, MAX_PATH);
    const Text versioned = Text(self, wcsrchr(self, L'\\') + 1) + L"versioned.dll";
    EXPECT_TRUE(CopyFileW(versioned.c_str(), path.c_str(), FALSE)) << Ansi(path);
    return path;
}

inline bool AddSample(const Text& dir, const Text& sample, const Text& name = L"")
{
    Text to = dir + L"\\" + (name.empty() ? sample : name);
    return CopyFileW(TestDataPath(L"lnk\\" + sample).c_str(), to.c_str(), FALSE) != FALSE;
}

// A link made by the shell's own link object, as another program would make it.
inline Text MakeLink(const Text& folder, const Text& name, const Text& target, const Text& arguments = L"",
                     const Text& description = L"")
{
    Text path = folder + L"\\" + name;
    IShellLinkW* link = 0;
    IPersistFile* file = 0;
    CoCreateInstance(CLSID_ShellLink, 0, CLSCTX_INPROC_SERVER, IID_IShellLinkW, reinterpret_cast<void**>(&link));
    link->SetPath(target.c_str());
    link->SetArguments(arguments.c_str());
    link->SetDescription(description.c_str());
    link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
    EXPECT_EQ(S_OK, file->Save(path.c_str(), TRUE)) << Ansi(path);
    file->Release();
    link->Release();
    return path;
}

inline void SetSwitch(const Text& name, const std::string& bytes, DWORD type = REG_BINARY)
{
    RegSetKeyValueW(HKEY_CURRENT_USER, kSwitchKey, name.c_str(), type, bytes.data(), static_cast<DWORD>(bytes.size()));
}

inline std::string Bytes(char first, size_t size = 12)
{
    return first + std::string(size - 1, '\0');
}

// Types text into the row's name editor and presses Enter there.
inline void Rename(int row, const Text& text)
{
    SendMessageW(MainChild(CTRL_LIST), LVM_EDITLABELW, row, 0);
    SetWindowTextW(GetNameEditor(), text.c_str());
    SendMessageW(GetNameEditor(), WM_KEYDOWN, VK_RETURN, 0);
    PumpMessages();
}

inline Names LinkNames(const Text& folder)
{
    return FilesMatching(folder, L"*.lnk");
}

// "type:bytes" of a value, exactly as stored; empty when there is none.
inline std::string Raw(HKEY root, const Text& key, const Text& name)
{
    HKEY opened = 0;
    DWORD type = 0, size = 4096;
    std::string data(size, '\0');
    RegOpenKeyExW(root, key.c_str(), 0, KEY_QUERY_VALUE, &opened);
    LONG status = RegQueryValueExW(opened, name.c_str(), 0, &type, reinterpret_cast<BYTE*>(data.data()), &size);
    RegCloseKey(opened);
    return status ? "" : std::to_string(type) + ":" + data.substr(0, size);
}

// The switch's bytes, or "none".
inline std::string Switch(const Text& name)
{
    const std::string raw = Raw(HKEY_CURRENT_USER, kSwitchKey, name);
    return raw.empty() ? "none" : raw.substr(raw.find(':') + 1);
}

// The outermost key of path that does not exist, which the test makes and deletes; empty if none.
inline Text FirstMissing(HKEY root, const Text& path)
{
    for (size_t end = path.find(L'\\');; end = path.find(L'\\', end + 1)) {
        HKEY key;
        if (RegOpenKeyExW(root, path.substr(0, end).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return path.substr(0, end);
        RegCloseKey(key);
        if (end == Text::npos)
            return L"";
    }
}

// regedit merges the file silently, as a double-click and a yes would.
inline void Merge(const Text& file)
{
    Text line = L"regedit.exe /s \"" + file + L"\"";
    STARTUPINFOW startup = {sizeof(startup)};
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(CreateProcessW(0, line.data(), 0, 0, FALSE, 0, 0, 0, &startup, &process)) << Ansi(file);
    WaitForSingleObject(process.hProcess, 60000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

// Every place Windows starts programs from, in the order of the program's sources, spelt out
// rather than read from its table, so that a wrong key, view or place shows.
inline const Text kVersion = L"\\Microsoft\\Windows\\CurrentVersion\\";
inline const Text kUserApproved = L"Software" + kVersion + L"Explorer\\StartupApproved\\";
inline const Text kMachineApproved = L"SOFTWARE" + kVersion + L"Explorer\\StartupApproved\\";
const HKEY kUser = HKEY_CURRENT_USER, kMachine = HKEY_LOCAL_MACHINE;
inline const struct {
    HKEY root;
    Text key, switches;  // key empty: a folder source; switches empty: no switch
    Text place;
} kSources[] = {
    {kUser, L"", kUserApproved + L"StartupFolder", L"ユーザーのフォルダー"},
    {kMachine, L"", kMachineApproved + L"StartupFolder", L"全ユーザーのフォルダー"},
    {kUser, L"Software" + kVersion + L"Run", kUserApproved + L"Run", L"ユーザーのレジストリ"},
    {kMachine, L"SOFTWARE" + kVersion + L"Run", kMachineApproved + L"Run", L"全ユーザーのレジストリ"},
    {kMachine, L"SOFTWARE\\WOW6432Node" + kVersion + L"Run", kMachineApproved + L"Run32",
     L"全ユーザーのレジストリ (32 ビット)"},
    {kUser, L"Software" + kVersion + L"RunOnce", L"", L"一度だけ (ユーザー)"},
    {kMachine, L"SOFTWARE" + kVersion + L"RunOnce", L"", L"一度だけ (全ユーザー)"},
};

// What keeps a column of a main window's list out of sight, or cuts a word of the state or place
// columns short, each word measured with font plus the list's cell padding at dpi; with filled, the
// room the columns leave but a scroll bar's too. Empty: nothing.
inline std::string ColumnsMisfit(HWND mainWindow, HFONT font, int dpi, bool filled = false)
{
    HWND list = FindWindowExA(mainWindow, 0, WC_LISTVIEWA, 0);
    RECT client = {};
    GetClientRect(list, &client);
    int columns = Header_GetItemCount(ListView_GetHeader(list)), sum = 0;
    for (int column = 0; column < columns; ++column)
        sum += ListView_GetColumnWidth(list, column);
    std::string misfit = sum > client.right || GetWindowLongA(list, GWL_STYLE) & WS_HSCROLL
                             ? std::to_string(sum) + " > " + std::to_string(client.right)
                             : "";
    if (filled && sum + GetSystemMetrics(SM_CXVSCROLL) < client.right)
        misfit += "room left";
    HDC dc = GetDC(0);
    HGDIOBJ old = SelectObject(dc, font);
    Names words[] = {
        {L"無効", L"リンク先なし", L"確認できません", L"重複", L"読み込めません", L"非表示", L"重複、非表示"}, {}};
    for (const auto& source : kSources)
        words[1].push_back(source.place);
    for (int column : {kStateColumn, kPlaceColumn})
        for (const Text& word : words[column == kPlaceColumn])
            if (SIZE size = {}; column < columns && GetTextExtentPoint32W(dc, word.c_str(), int(word.size()), &size)
                                && ListView_GetColumnWidth(list, column) < size.cx + MulDiv(12, dpi, 96))
                misfit += " " + Ansi(word) + " cut";
    SelectObject(dc, old);
    ReleaseDC(0, dc);
    return misfit;
}

// Deletes the values named "qd..." that a test left in the Startup keys, the files it lists in
// m_files, and every key it made; never a key that was there before.
template <typename Base>
class StartupKeysTest : public Base {
protected:
    void SetUp() override
    {
        for (const auto& source : kSources)
            for (const Text& key : {source.key, source.switches})
                m_made.push_back({source.root, FirstMissing(source.root, key)});
        Base::SetUp();
    }
    void TearDown() override
    {
        Base::TearDown();
        for (const auto& source : kSources)
            for (const Text& key : {source.key, source.switches}) {
                HKEY opened;
                if (key.empty() || RegOpenKeyExW(source.root, key.c_str(), 0, KEY_READ | KEY_SET_VALUE, &opened))
                    continue;
                wchar_t name[16384];
                for (DWORD i = 0, size = 16384; !RegEnumValueW(opened, i, name, &size, 0, 0, 0, 0); size = 16384)
                    i += wcsncmp(name, L"qd", 2) || RegDeleteValueW(opened, name);
                RegCloseKey(opened);
            }
        for (const Text& file : m_files)
            DeleteFileW(file.c_str());
        for (const auto& [root, made] : m_made)
            if (!made.empty())
                RegDeleteTreeW(root, made.c_str());
    }
    std::vector<std::pair<HKEY, Text>> m_made;
    Names m_files;
};

#endif
