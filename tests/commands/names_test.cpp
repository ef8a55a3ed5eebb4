// One row, one file: names the ANSI code page can't hold reach the shell only by their short
// names (or not at all), a row's name and icon match the shell's by-path answers, and the edges
// of the commands (drive roots, a second Delete during the first).
#include <windows.h>
#include <shellapi.h>

#include <memory>

#include "app/quiverdesk.h"
#include "controls/shortcut_view.h"
#include "support/support.h"

namespace {

typedef ShellFolderTest NamesTest;

// A link to target under a name only the wide calls can write: made as tmp.lnk, then renamed.
std::wstring MakeWideLink(const std::string& folder, const std::wstring& name, const std::string& target)
{
    std::wstring path = Wide(folder) + L"\\" + name;
    EXPECT_TRUE(MoveFileW(Wide(MakeLink(folder, "tmp.lnk", target)).c_str(), path.c_str()));
    return path;
}

const wchar_t kFolderEmoji[] = L"\U0001F4C1";  // 📁, outside code page 932

// Every call that hands the shell a file name, as "verb: name"; deletions still happen.
Names g_calls;
int(WINAPI* g_fileOperation)(LPSHFILEOPSTRUCTA);
int WINAPI RecordFileOperation(LPSHFILEOPSTRUCTA operation)
{
    g_calls.push_back(std::string("delete: ") + operation->pFrom);
    return g_fileOperation(operation);
}
HINSTANCE WINAPI RecordExecute(HWND, LPCSTR verb, LPCSTR file, LPCSTR, LPCSTR, INT)
{
    g_calls.push_back(std::string(verb) + ": " + file);
    return reinterpret_cast<HINSTANCE>(42);
}
BOOL WINAPI RecordExecuteEx(SHELLEXECUTEINFOA* info)
{
    g_calls.push_back(std::string(info->lpVerb) + ": " + info->lpFile);
    return TRUE;
}
// The search as on a volume that keeps no short names.
HANDLE(WINAPI* g_findFirst)(LPCSTR, LPWIN32_FIND_DATAA);
BOOL(WINAPI* g_findNext)(HANDLE, LPWIN32_FIND_DATAA);
HANDLE WINAPI FindFirstNoShort(LPCSTR pattern, LPWIN32_FIND_DATAA found)
{
    HANDLE search = g_findFirst(pattern, found);
    found->cAlternateFileName[0] = '\0';
    return search;
}
BOOL WINAPI FindNextNoShort(HANDLE search, LPWIN32_FIND_DATAA found)
{
    BOOL more = g_findNext(search, found);
    found->cAlternateFileName[0] = '\0';
    return more;
}
struct NoShortNames {
    ScopedImportPatch first{"kernel32", "FindFirstFileA", reinterpret_cast<void*>(FindFirstNoShort)};
    ScopedImportPatch next{"kernel32", "FindNextFileA", reinterpret_cast<void*>(FindNextNoShort)};
    NoShortNames()
    {
        g_findFirst = reinterpret_cast<HANDLE(WINAPI*)(LPCSTR, LPWIN32_FIND_DATAA)>(first.Original());
        g_findNext = reinterpret_cast<BOOL(WINAPI*)(HANDLE, LPWIN32_FIND_DATAA)>(next.Original());
    }
};

struct ShellRecorder {
    ScopedImportPatch operation{"shell32", "SHFileOperationA", reinterpret_cast<void*>(RecordFileOperation)};
    ScopedImportPatch execute{"shell32", "ShellExecuteA", reinterpret_cast<void*>(RecordExecute)};
    ScopedImportPatch executeEx{"shell32", "ShellExecuteExA", reinterpret_cast<void*>(RecordExecuteEx)};
    ShellRecorder() { g_fileOperation = reinterpret_cast<int(WINAPI*)(LPSHFILEOPSTRUCTA)>(operation.Original()); }
};

}  // namespace

// 📁Docs.lnk comes back from the 8-bit search as ??Docs.lnk, a wildcard that matches MyDocs.lnk
// and XYDocs.lnk too. Each command on its row must reach that one file.
TEST_F(NamesTest, ARowWhoseNameTheCodePageLacksReachesOnlyItsOwnFile)
{
    const std::string docs = ScratchFolder("docs");
    const std::string others[] = {MakeLink(m_startup, "MyDocs.lnk", ScratchFile("my.txt")),
                                  MakeLink(m_startup, "XYDocs.lnk", ScratchFile("xy.txt"))};
    const struct {
        const char* name;
        std::wstring file;
        bool shortNames;  // false: as on a volume without 8.3 names
    } cases[] = {
        {"emoji and letters", std::wstring(kFolderEmoji) + L"Docs.lnk", true},
        {"emoji only", std::wstring(kFolderEmoji) + kFolderEmoji + L".lnk", true},
        {"no short name", std::wstring(kFolderEmoji) + L"Docs.lnk", false},
    };
    ShellRecorder recorder;
    MainWindow window;
    window.ClickTab(1);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::wstring path = MakeWideLink(m_startup, c.file, ScratchFile("docs\\a.txt"));
        const std::string bytes[] = {ReadFileBytes(others[0]), ReadFileBytes(others[1])};
        for (bool shift : {false, true}) {
            SCOPED_TRACE(shift ? "with Shift" : "without Shift");
            std::unique_ptr<NoShortNames> noShortNames(c.shortNames ? 0 : new NoShortNames);
            window.Command(CMD_REFRESH);
            ASSERT_EQ(3, RowCount());
            int row = 0;
            while (row < 3 && (RowOfLink(others[0]) == row || RowOfLink(others[1]) == row))
                ++row;
            const std::string link = RowLinkPath(row);
            // The short name stands for this long name and no other.
            WCHAR longName[MAX_PATH] = L"";
            GetLongPathNameW(Wide(link).c_str(), longName, MAX_PATH);
            EXPECT_EQ(c.shortNames ? path : L"", longName) << link;
            EXPECT_EQ(std::string::npos, RowText(row, 0).find_first_not_of("?Docs")) << RowText(row, 0);
            SelectRows({row});
            g_calls.clear();
            window.Command(CMD_PROPERTIES);
            window.Command(CMD_EXPLORE_TARGET);
            {
                DialogAnswerer yes(IDYES);
                HoldKeys({shift ? VK_SHIFT : 0});
                window.Command(CMD_DELETE);
                HoldKeys({});
            }
            if (!c.shortNames) {
                EXPECT_EQ(Names(), g_calls) << "an unusable row calls nothing";
                EXPECT_EQ("", link);
                EXPECT_NE("", RowText(row, 2)) << "the row says why";
                EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(path.c_str()));
                continue;
            }
            EXPECT_EQ(Names({"properties: " + link, "explore: " + docs, "delete: " + link}), g_calls);
            EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(path.c_str()));
            EXPECT_EQ(2, RowCount());
            for (int i = 0; i < 2; ++i)
                EXPECT_EQ(bytes[i], ReadFileBytes(others[i])) << others[i];
            if (!shift)
                MakeWideLink(m_startup, c.file, ScratchFile("docs\\a.txt"));
        }
        DeleteFileW(path.c_str());
    }
}

// Send To itself under a name the code page lacks: the window reaches it by its short path,
// and a drop makes its shortcut there.
TEST_F(NamesTest, ADropReachesAFolderWhosePathTheCodePageLacks)
{
    const char key[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
    std::wstring folder = Wide(kScratchFolder) + L"\\" + kFolderEmoji + L"SendTo";
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), 0));
    HKEY shellFolders = 0;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CURRENT_USER, Wide(key).c_str(), 0, 0, 0, KEY_ALL_ACCESS, 0,
                                             &shellFolders, 0));
    WCHAR original[MAX_PATH] = L"";
    DWORD type = REG_EXPAND_SZ, size = sizeof(original);
    bool had = RegQueryValueExW(shellFolders, L"SendTo", 0, &type, reinterpret_cast<BYTE*>(original), &size) == 0;
    RegSetValueExW(shellFolders, L"SendTo", 0, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                   static_cast<DWORD>((folder.size() + 1) * sizeof(WCHAR)));
    {
        MainWindow window;
        std::string status = StatusText();
        EXPECT_EQ(std::string::npos, status.find('?')) << status;
        Drop(window, {ScratchFile("note.txt")});
        ASSERT_EQ(1, RowCount());
        EXPECT_TRUE(FileExists(RowLinkPath(0)));
        EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW((folder + L"\\note.lnk").c_str()));
        EXPECT_EQ(Names(), LinkNames(m_sendTo)) << "nothing lands in the usual folder";
    }
    if (had)
        RegSetValueExW(shellFolders, L"SendTo", 0, type, reinterpret_cast<const BYTE*>(original), size);
    else
        RegDeleteValueW(shellFolders, L"SendTo");
    RegCloseKey(shellFolders);
    DeleteFileW((folder + L"\\note.lnk").c_str());
    RemoveDirectoryW(folder.c_str());
}

// A target in a drive root keeps the root's backslash: "C:" would be the drive's current folder.
TEST_F(NamesTest, ExploreOnADriveRootTargetOpensTheRoot)
{
    const std::string target = "C:\\qd-root-target.txt";
    ASSERT_TRUE(WriteBytes(target, "x"));
    MakeLink(m_sendTo, "root.lnk", target);
    ShellRecorder recorder;
    MainWindow window;
    SelectRows({0});
    g_calls.clear();
    window.Command(CMD_EXPLORE_TARGET);
    EXPECT_EQ(Names({"explore: C:\\"}), g_calls);
    DeleteFileA(target.c_str());
}

// A second Delete while the first one's confirmation is open is ignored, not run inside it.
TEST_F(NamesTest, ASecondDeleteDuringTheFirstIsIgnored)
{
    const std::string target = ScratchFile("t.txt");
    for (const char* name : {"a.lnk", "b.lnk", "c.lnk"})
        MakeLink(m_sendTo, name, target);
    ShellRecorder recorder;
    MainWindow window;
    const int row = RowOfLink(m_sendTo + "\\b.lnk");
    Names left = {RowText(row == 0 ? 1 : 0, 0), RowText(row == 2 ? 1 : 2, 0)};
    SelectRows({row});
    g_calls.clear();
    DialogAnswerer yes(IDYES);
    PostMessageA(window.Handle(), WM_COMMAND, CMD_DELETE, 0);
    PostMessageA(window.Handle(), WM_COMMAND, CMD_DELETE, 0);
    PumpMessages(500);
    EXPECT_EQ(Names({"delete: " + m_sendTo + "\\b.lnk"}), g_calls);
    ASSERT_EQ(2, RowCount());
    EXPECT_EQ(left, Names({RowText(0, 0), RowText(1, 0)}));
}

// Binding the folder once must show what the shell shows for each file by its path.
TEST_F(NamesTest, NamesAndIconsMatchTheShellsByPathAnswersOverTheSamples)
{
    for (const std::string& sample : LinkNames(TestDataPath("lnk")))
        AddSample(m_sendTo, sample);
    MainWindow window;
    ASSERT_EQ(static_cast<int>(LinkNames(m_sendTo).size()), RowCount());
    for (int row = 0; row < RowCount(); ++row) {
        SHFILEINFOA name = {}, icon = {};
        SHGetFileInfoA(RowLinkPath(row).c_str(), 0, &name, sizeof(name), SHGFI_DISPLAYNAME);
        SHGetFileInfoA(RowLinkPath(row).c_str(), 0, &icon, sizeof(icon), SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
        EXPECT_EQ(name.szDisplayName, RowText(row, 0)) << RowLinkPath(row);
        EXPECT_EQ(icon.iIcon, RowImage(row)) << RowLinkPath(row);
    }
    SHFILEINFOA any = {};
    EXPECT_EQ(SHGetFileInfoA(RowLinkPath(0).c_str(), 0, &any, sizeof(any), SHGFI_SYSICONINDEX | SHGFI_SMALLICON),
              static_cast<DWORD_PTR>(SendMessageA(g_hListView, LVM_GETIMAGELIST, LVSIL_SMALL, 0)))
        << "the rows' icons come from the shell's own list";
}
