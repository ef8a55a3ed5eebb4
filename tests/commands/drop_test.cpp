// Shortcuts made from files and folders dropped on the main window, through a real HDROP sent
// with WM_DROPFILES, and the naming of the new shortcut on its own.
#include <windows.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "command_fixture.h"
#include "commands/drop_shortcuts.h"
#include "support/main_window_fixture.h"

namespace {

// A drop as the shell hands it over: DROPFILES and a double-zero-ended list of 8-bit paths.
// The window's handler owns the handle from then on.
void Drop(const MainWindow& window, const Names& paths)
{
    size_t size = sizeof(DROPFILES) + 1;
    for (size_t i = 0; i < paths.size(); ++i)
        size += paths[i].size() + 1;
    HGLOBAL memory = GlobalAlloc(GHND, size);
    ASSERT_TRUE(memory != 0);
    DROPFILES* header = static_cast<DROPFILES*>(GlobalLock(memory));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = FALSE;
    char* list = reinterpret_cast<char*>(header) + sizeof(DROPFILES);
    for (size_t i = 0; i < paths.size(); ++i) {
        CopyMemory(list, paths[i].c_str(), paths[i].size() + 1);
        list += paths[i].size() + 1;
    }
    GlobalUnlock(memory);
    SendMessageA(window.Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
    PumpMessages();
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

TEST(MakeDropLinkPath, NamesTheShortcutAfterTheItemWithoutItsLastExtension)
{
    const std::string fits(250, 'f');  // C:\F\ + 250 + .lnk is 259 bytes
    struct Case {
        const char* folder;
        std::string dropped;
        std::string expected;  // empty: no link path
    } cases[] = {
        {"C:\\F", "C:\\Tools\\editor.exe", "C:\\F\\editor.lnk"},
        {"C:\\F", "C:\\Docs\\report.final.doc", "C:\\F\\report.final.lnk"},
        {"C:\\F", "C:\\Data", "C:\\F\\Data.lnk"},
        {"C:\\F", "C:\\Notes\\readme", "C:\\F\\readme.lnk"},
        {"C:\\F", "C:\\Home\\.profile", "C:\\F\\.lnk"},
        {"C:\\F", "C:\\Old.dir\\notes", "C:\\F\\notes.lnk"},
        // 表 and ソ end in the byte 0x5C; only the real backslash ends the folder part.
        {"C:\\F", "C:\\Docs\\\x95\x5C.txt", "C:\\F\\\x95\x5C.lnk"},
        {"C:\\F", "C:\\\x95\x5C\\\x83\x5C", "C:\\F\\\x83\x5C.lnk"},
        {"C:\\F", "editor.exe", ""},
        {"", "C:\\Tools\\editor.exe", ""},
        {"C:\\F", "C:\\f\\X.LNK", ""},  // the shortcut itself, in other case
        {"C:\\F", "C:\\" + fits + ".txt", "C:\\F\\" + fits + ".lnk"},
        {"C:\\F", "C:\\" + fits + "g.txt", ""},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        const Case& c = cases[i];
        HeapString link;
        bool made = MakeDropLinkPath(HeapString(c.folder), c.dropped.c_str(), link);
        EXPECT_EQ(!c.expected.empty(), made) << c.dropped;
        if (made)
            EXPECT_EQ(c.expected, link.GetBuffer()) << c.dropped;
    }
}

TEST_F(CommandTest, DroppedItemGetsAShortcutNamedAfterIt)
{
    for (const char* folder : {"Tools", "Docs", "Notes", "Home", "Old.dir", "\x95\x5C"})
        MakeScratchFolder(folder);
    struct Case {
        std::string dropped;
        const char* link;
    } cases[] = {
        {MakeScratchFile("Tools\\editor.exe"), "editor.lnk"},
        {MakeScratchFile("Docs\\report.final.doc"), "report.final.lnk"},
        {MakeScratchFolder("Data"), "Data.lnk"},
        {MakeScratchFile("Notes\\readme"), "readme.lnk"},
        {MakeScratchFile("Home\\.profile"), ".lnk"},
        {MakeScratchFile("Old.dir\\notes"), "notes.lnk"},
        // 表 and ソ end in the byte 0x5C; taken for a backslash, it would leave the name ".lnk".
        {MakeScratchFile("Docs\\\x95\x5C.txt"), "\x95\x5C.lnk"},  // 表.txt
        {MakeScratchFile("\x95\x5C\\\x83\x5C"), "\x83\x5C.lnk"},  // 表\ソ
    };
    MainWindow window;
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(c.dropped);
        EmptyFolder(m_sendTo);
        Drop(window, Names(1, c.dropped));
        ASSERT_EQ(Names(1, c.link), LinkNames(m_sendTo));
        EXPECT_TRUE(SamePath(c.dropped, LinkTarget(m_sendTo + "\\" + c.link)));
        // The refresh at the end shows it at once.
        ASSERT_EQ(1, RowCount());
        EXPECT_TRUE(SamePath(c.dropped, RowText(0, 1))) << RowText(0, 1);
    }
}

TEST_F(CommandTest, ThreeDroppedFilesRefreshOnce)
{
    Names dropped = {MakeScratchFile("one.txt"), MakeScratchFile("two.txt"), MakeScratchFile("three.txt")};
    MainWindow window;
    ASSERT_EQ(0, RowCount());
    g_searches = 0;
    {
        ScopedImportPatch patch("kernel32.dll", "FindFirstFileA", reinterpret_cast<void*>(CountingFindFirst));
        g_realFindFirst = reinterpret_cast<HANDLE(WINAPI*)(LPCSTR, LPWIN32_FIND_DATAA)>(patch.Original());
        ASSERT_TRUE(g_realFindFirst != 0);
        Drop(window, dropped);
    }
    EXPECT_EQ(1, g_searches) << "folder scans during the drop";
    EXPECT_EQ(Names({"one.lnk", "three.lnk", "two.lnk"}), LinkNames(m_sendTo));
    EXPECT_EQ(3, RowCount());
}

TEST_F(CommandTest, DropOnTheStartupTabMakesAStartupShortcut)
{
    std::string program = MakeScratchFile("editor.exe");
    MainWindow window;
    window.ClickTab(1);
    Drop(window, Names(1, program));
    EXPECT_EQ(Names(1, "editor.lnk"), LinkNames(m_startup));
    EXPECT_TRUE(LinkNames(m_sendTo).empty());
    EXPECT_EQ(1, RowCount());
}

TEST_F(CommandTest, SameNameDroppedTwiceKeepsTheLaterItem)
{
    Names dropped = {MakeScratchFile("a.txt"), MakeScratchFile("a.doc")};
    MainWindow window;
    Drop(window, dropped);
    ASSERT_EQ(Names(1, "a.lnk"), LinkNames(m_sendTo));
    EXPECT_TRUE(SamePath(dropped[1], LinkTarget(m_sendTo + "\\a.lnk")));
    EXPECT_EQ(1, RowCount());
}

TEST_F(CommandTest, ShortcutDroppedOnItsOwnFolderStaysIntact)
{
    std::string own = MakeLink(m_sendTo, "x.lnk", MakeScratchFile("x.txt"));
    std::string bytes = ReadFileBytes(own);
    ASSERT_FALSE(bytes.empty());
    MainWindow window;
    Drop(window, {own, MakeScratchFile("editor.exe")});
    EXPECT_EQ(bytes, ReadFileBytes(own));
    EXPECT_EQ(Names({"editor.lnk", "x.lnk"}), LinkNames(m_sendTo));
}

TEST_F(CommandTest, DropWithoutAFolderCreatesNothing)
{
    std::string program = MakeScratchFile("editor.exe");
    MainWindow window;
    // The root of the current drive is where a folderless name would land.
    char saved[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof(saved), saved);
    SetCurrentDirectoryA(kScratch);
    {
        ScopedImportPatch patch("shell32.dll", "SHGetSpecialFolderLocation", reinterpret_cast<void*>(NoFolderLocation));
        ASSERT_TRUE(patch.Original() != 0);
        Drop(window, Names(1, program));
    }
    SetCurrentDirectoryA(saved);
    EXPECT_FALSE(FileExists("C:\\editor.lnk"));
    EXPECT_TRUE(LinkNames(m_sendTo).empty());
    EXPECT_TRUE(LinkNames(kScratch).empty());
    EXPECT_TRUE(window.Alive());
}

// A link path of 259 bytes still fits a MAX_PATH buffer; one byte more, and the item is passed
// over while the rest of the drop goes on. A dropped path too long for the buffer is not cut
// into a name of its own.
TEST_F(CommandTest, OverLongNamesAreSkippedAndTheRestMade)
{
    const size_t fitting = MAX_PATH - 1 - m_sendTo.size() - 1 - 4;
    ASSERT_LT(fitting + 1 + 4, 256u) << "Send To path too short for a 259-byte link";
    Names dropped = {
        MakeScratchFile(std::string(fitting, 'f') + ".txt"),
        MakeScratchFile(std::string(fitting + 1, 'g') + ".txt"),
        // Cut to 259 bytes, this one would read as ...\hhh...\cut-here.
        std::string(kScratch) + "\\" + std::string(240, 'h') + "\\cut-here-and-named.txt",
        MakeScratchFile("short.txt"),
    };
    MainWindow window;
    Drop(window, dropped);
    Names expected = {std::string(fitting, 'f') + ".lnk", "short.lnk"};
    EXPECT_EQ(expected, LinkNames(m_sendTo));
    EXPECT_EQ(MAX_PATH - 1, static_cast<int>((m_sendTo + "\\" + expected[0]).size()));
    EXPECT_TRUE(window.Alive());
}
