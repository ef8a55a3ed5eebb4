// The command tests' shared set-up: folders emptied before each test, scratch items, the
// recycle bin as Wine keeps it, and rows named by the shortcut files they stand for.
#include "command_fixture.h"

#include <shlobj.h>

#include <algorithm>
#include <cstdlib>

#include "model/shortcut_file.h"
#include "model/shortcut_item.h"
#include "model/shortcut_list.h"
#include "support/main_window_fixture.h"

const char kScratch[] = "C:\\qdtest";

void CommandTest::SetUp()
{
    RequireSafeShellFolders();
    ASSERT_TRUE(m_com.Ok());
    m_sendTo = ShellFolderPath(CSIDL_SENDTO);
    m_startup = ShellFolderPath(CSIDL_STARTUP);
    ASSERT_FALSE(m_sendTo.empty());
    ASSERT_FALSE(m_startup.empty());
    EmptyFolder(m_sendTo);
    EmptyFolder(m_startup);
    CreateDirectoryA(kScratch, 0);
    EmptyFolder(kScratch);
    std::string trash = TrashFolder();
    ASSERT_FALSE(trash.empty());
    EmptyFolder(trash);
    EmptyFolder(trash.substr(0, trash.size() - 5) + "info");
}

std::string MakeScratchFile(const std::string& relative)
{
    std::string path = std::string(kScratch) + "\\" + relative;
    EXPECT_TRUE(WriteBytes(path, "x", 1)) << path;
    return path;
}

std::string MakeScratchFolder(const std::string& relative)
{
    std::string path = std::string(kScratch) + "\\" + relative;
    EXPECT_TRUE(CreateDirectoryA(path.c_str(), 0)) << path;
    return path;
}

std::string MakeLink(const std::string& folder, const std::string& name, const std::string& target)
{
    std::string path = folder + "\\" + name;
    EXPECT_TRUE(CreateShortcutFile(target.c_str(), "", "", SW_SHOW, path.c_str())) << path;
    return path;
}

std::vector<std::string> LinkNames(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*.lnk").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do
        names.push_back(found.cFileName);
    while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

std::string LinkTarget(const std::string& linkPath)
{
    ShortcutItem item;
    char target[MAX_PATH] = "";
    if (!item.Load(linkPath.c_str()) || !item.GetTargetPath(target, sizeof(target)))
        return "(unreadable)";
    return target;
}

std::string TrashFolder()
{
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (!xdg || !*xdg)
        return std::string();
    std::string unixPath = std::string(xdg) + "/Trash/files";
    // Wine names the Unix root as a drive of its own; ask it which, when it can tell.
    typedef WCHAR*(CDECL * DosNameFunction)(const char*);
    DosNameFunction dosName = reinterpret_cast<DosNameFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_dos_file_name")));
    if (dosName) {
        WCHAR* wide = dosName(unixPath.c_str());
        if (wide) {
            char path[MAX_PATH] = "";
            WideCharToMultiByte(CP_ACP, 0, wide, -1, path, sizeof(path), 0, 0);
            HeapFree(GetProcessHeap(), 0, wide);
            return path;
        }
    }
    std::string path = "Z:" + unixPath;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

std::vector<std::string> TrashNames()
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((TrashFolder() + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        std::string name = found.cFileName;
        if (name != "." && name != "..")
            names.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

std::string RowLinkPath(int row)
{
    ShortcutItem* item = g_shortcutList.GetAt(static_cast<int>(RowParam(row)));
    return item && item->GetLinkPath() ? item->GetLinkPath() : "";
}

int RowOfLink(const std::string& linkPath)
{
    for (int row = 0; row < RowCount(); ++row) {
        if (lstrcmpiA(RowLinkPath(row).c_str(), linkPath.c_str()) == 0)
            return row;
    }
    return -1;
}

std::string BaseName(const std::string& path)
{
    // By characters: a trail byte of a double-byte name can equal '\\'.
    const char* name = path.c_str();
    for (const char* p = name; *p; p = CharNextA(p)) {
        if (*p == '\\')
            name = p + 1;
    }
    return name;
}

ShiftHeld::ShiftHeld()
{
    GetKeyboardState(m_saved);
    BYTE state[256];
    CopyMemory(state, m_saved, sizeof(state));
    state[VK_SHIFT] = state[VK_LSHIFT] = 0x80;
    SetKeyboardState(state);
}

ShiftHeld::~ShiftHeld()
{
    SetKeyboardState(m_saved);
}
