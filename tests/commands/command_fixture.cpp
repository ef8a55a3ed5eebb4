// The command tests' shared set-up: folders emptied before each test, scratch items, the
// recycle bin as Wine keeps it, and rows named by the shortcut files they stand for.
#include "command_fixture.h"

#include <shlobj.h>

#include <algorithm>
#include <cstdlib>

#include "model/shortcut_file.h"
#include "model/shortcut_item.h"
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
    ASSERT_FALSE(TrashFolder().empty());
    EmptyTrash();
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

Names FileNames(const std::string& folder, const char* pattern)
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
    typedef WCHAR*(CDECL * DosNameFunction)(const char*);
    DosNameFunction dosName = reinterpret_cast<DosNameFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_dos_file_name")));
    WCHAR* wide = xdg && dosName ? dosName((std::string(xdg) + "/Trash/files").c_str()) : 0;
    if (!wide)
        return std::string();
    char path[MAX_PATH] = "";
    WideCharToMultiByte(CP_ACP, 0, wide, -1, path, sizeof(path), 0, 0);
    HeapFree(GetProcessHeap(), 0, wide);
    return path;
}

// The info records go too: a name still recorded there makes the next file of that name
// land under a new one.
void EmptyTrash()
{
    std::string files = TrashFolder();
    EmptyFolder(files);
    EmptyFolder(files.substr(0, files.size() - 5) + "info");
}

bool SamePath(const std::string& a, const std::string& b)
{
    return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

int RowOfLink(const std::string& linkPath)
{
    for (int row = 0; row < RowCount(); ++row) {
        if (SamePath(RowLinkPath(row), linkPath))
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
