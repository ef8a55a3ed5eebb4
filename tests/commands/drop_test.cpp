// Shortcuts made from files and folders dropped on the main window, through a real HDROP sent
// with WM_DROPFILES.
#include <windows.h>
#include <shlobj.h>

#include "model/shortcut_item.h"
#include "support/main_window_fixture.h"

namespace {

typedef ShellFolderTest DropTest;

std::string LinkTarget(const std::string& linkPath)
{
    ShortcutItem item;
    char target[MAX_PATH] = "";
    return item.Load(linkPath.c_str()) && item.GetTargetPath(target, sizeof(target)) ? target : "(unreadable)";
}

int g_searches = 0;
HANDLE(WINAPI* g_realFindFirst)(LPCSTR, LPWIN32_FIND_DATAA) = 0;

HANDLE WINAPI CountingFindFirst(LPCSTR pattern, LPWIN32_FIND_DATAA found)
{
    ++g_searches;
    return g_realFindFirst(pattern, found);
}

HRESULT WINAPI NoFolderLocation(HWND, int, LPITEMIDLIST* idList)
{
    *idList = 0;
    return E_FAIL;
}

}  // namespace

// The dropped items lie in the scratch tree. Each drop ends in one scan of the folder.
TEST_F(DropTest, EachItemGetsAShortcutNamedAfterItInTheTabsFolder)
{
    for (const char* folder : {"Tools", "Docs", "Notes", "Home", "Old.dir", "Data", "\x95\x5C"})
        ScratchFolder(folder);
    for (const char* file : {"Tools\\editor.exe", "Docs\\report.final.doc", "Notes\\readme", "Home\\.profile",
                             "Old.dir\\notes", "Docs\\\x95\x5C.txt", "\x95\x5C\\\x83\x5C", "one.txt", "three.txt",
                             "two.txt", "a.txt", "a.doc"})
        ScratchFile(file);
    const struct {
        int tab;
        Names dropped;
        Names links;    // sorted, in the tab's folder
        Names targets;  // of the links, when not the dropped items in order
    } cases[] = {
        {0, {"Tools\\editor.exe"}, {"editor.lnk"}, {}},
        {0, {"Docs\\report.final.doc"}, {"report.final.lnk"}, {}},
        {0, {"Data"}, {"Data.lnk"}, {}},
        {0, {"Notes\\readme"}, {"readme.lnk"}, {}},
        {0, {"Home\\.profile"}, {".lnk"}, {}},
        {0, {"Old.dir\\notes"}, {"notes.lnk"}, {}},
        // 表 and ソ end in the byte 0x5C; taken for a backslash, it would leave the name ".lnk".
        {0, {"Docs\\\x95\x5C.txt"}, {"\x95\x5C.lnk"}, {}},  // 表.txt
        {0, {"\x95\x5C\\\x83\x5C"}, {"\x83\x5C.lnk"}, {}},  // 表\ソ
        {0, {"one.txt", "three.txt", "two.txt"}, {"one.lnk", "three.lnk", "two.lnk"}, {}},
        {1, {"Tools\\editor.exe"}, {"editor.lnk"}, {}},
        {0, {"a.txt", "a.doc"}, {"a.lnk"}, {"a.doc"}},  // a same-named shortcut is overwritten
    };
    MainWindow window;
    ScopedImportPatch patch("kernel32.dll", "FindFirstFileA", reinterpret_cast<void*>(CountingFindFirst));
    g_realFindFirst = reinterpret_cast<HANDLE(WINAPI*)(LPCSTR, LPWIN32_FIND_DATAA)>(patch.Original());
    ASSERT_TRUE(g_realFindFirst != 0);
    const std::string folders[] = {m_sendTo, m_startup};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dropped.back());
        EmptyFolder(m_sendTo);
        EmptyFolder(m_startup);
        window.ClickTab(c.tab);
        Names dropped;
        for (const std::string& item : c.dropped)
            dropped.push_back(std::string(kScratchFolder) + "\\" + item);
        g_searches = 0;
        Drop(window, dropped);
        EXPECT_EQ(1, g_searches) << "folder scans during the drop";
        ASSERT_EQ(c.links, LinkNames(folders[c.tab]));
        EXPECT_TRUE(LinkNames(folders[1 - c.tab]).empty());
        ASSERT_EQ(static_cast<int>(c.links.size()), RowCount());
        for (size_t i = 0; i < c.links.size(); ++i) {
            std::string target = c.targets.empty() ? dropped[i] : std::string(kScratchFolder) + "\\" + c.targets[i];
            std::string link = folders[c.tab] + "\\" + c.links[i];
            EXPECT_TRUE(SamePath(target, LinkTarget(link))) << LinkTarget(link);
            EXPECT_TRUE(SamePath(target, RowText(RowOfLink(link), 1))) << c.links[i];
        }
    }
}

// Passed over, while the rest is made: a bare name, the shortcut itself (named in other case),
// a link path past 259 bytes, and a dropped path too long for the buffer, which cut would read
// ...\hhh...\cut-here.
TEST_F(DropTest, SkipsWhatItCannotNameSoundlyAndMakesTheRest)
{
    const size_t fitting = MAX_PATH - 1 - m_sendTo.size() - 1 - 4;
    ASSERT_LT(fitting + 1 + 4, 256u) << "the Send To path is too short for a 259-byte link";
    std::string own = MakeLink(m_sendTo, "x.lnk", ScratchFile("x.txt"));
    std::string bytes = ReadFileBytes(own), ownUpper = own;
    CharUpperA(&ownUpper[0]);
    MainWindow window;
    Drop(window, {"editor.exe", ownUpper, ScratchFile(std::string(fitting, 'f') + ".txt"),
                  ScratchFile(std::string(fitting + 1, 'g') + ".txt"),
                  std::string(kScratchFolder) + "\\" + std::string(240, 'h') + "\\cut-here-and-named.txt",
                  ScratchFile("short.txt")});
    EXPECT_EQ(Names({std::string(fitting, 'f') + ".lnk", "short.lnk", "x.lnk"}), LinkNames(m_sendTo));
    EXPECT_FALSE(bytes.empty());
    EXPECT_EQ(bytes, ReadFileBytes(own));
    EXPECT_EQ(3, RowCount());
}

TEST_F(DropTest, WithoutAFolderNothingIsMade)
{
    std::string program = ScratchFile("editor.exe");
    MainWindow window;
    // A folderless name would land in the root of the current drive.
    char saved[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof(saved), saved);
    SetCurrentDirectoryA(kScratchFolder);
    {
        ScopedImportPatch patch("shell32.dll", "SHGetSpecialFolderLocation", reinterpret_cast<void*>(NoFolderLocation));
        ASSERT_TRUE(patch.Original() != 0);
        Drop(window, Names(1, program));
    }
    SetCurrentDirectoryA(saved);
    EXPECT_FALSE(FileExists("C:\\editor.lnk"));
    EXPECT_TRUE(LinkNames(m_sendTo).empty());
    EXPECT_TRUE(LinkNames(kScratchFolder).empty());
    EXPECT_TRUE(window.Alive());
}
