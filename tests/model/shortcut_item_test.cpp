// Shortcut items, new shortcut files, the shortcut list and the folder lookup, against files
// made in a scratch folder of the test's own Wine prefix.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstring>
#include <string>

#include "model/folder_path.h"
#include "model/shortcut_file.h"
#include "model/shortcut_item.h"
#include "model/shortcut_list.h"
#include "support/test_support.h"
#include "guarded_text.h"

namespace {

std::wstring Wide(const std::string& ansi)
{
    std::wstring wide(MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, 0, 0), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, &wide[0], static_cast<int>(wide.size()));
    wide.resize(wide.size() - 1);
    return wide;
}

// The show command as the file's header holds it (offset 0x3C): a loaded link reports every
// value but 1, 3 and 7 as 1, so only the file tells whether 5 was written.
int ShowCommandInFile(const std::string& path)
{
    std::string bytes = ReadFileBytes(path);
    DWORD show = 0;
    if (bytes.size() >= 0x40)
        CopyMemory(&show, bytes.data() + 0x3C, sizeof(show));
    return static_cast<int>(show);
}

int CountEntries(const std::string& dir)
{
    int count = 0;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((dir + "\\*").c_str(), &found);
    for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found))
        count += std::strcmp(found.cFileName, ".") != 0 && std::strcmp(found.cFileName, "..") != 0;
    if (search != INVALID_HANDLE_VALUE)
        FindClose(search);
    return count;
}

const char kNotALink[] = "This is a text file that only carries the .lnk extension.";

// Every test starts from an empty scratch folder inside the prefix and with COM up.
class ShortcutModel : public ::testing::Test {
protected:
    static void SetUpTestCase() { RequireSafeShellFolders(); }
    void SetUp() override
    {
        ASSERT_TRUE(m_com.Ok());
        char temp[MAX_PATH] = "";
        ASSERT_NE(0u, GetTempPathA(MAX_PATH, temp));
        m_dir = std::string(temp) + "qd-model";
        CreateDirectoryA(m_dir.c_str(), 0);
        EmptyFolder(m_dir);
        ASSERT_EQ(0, CountEntries(m_dir));
    }
    void TearDown() override { EmptyFolder(m_dir); }

    std::string MakeFile(const std::string& name, const char* text = "text") const
    {
        std::string path = m_dir + "\\" + name;
        EXPECT_TRUE(WriteBytes(path, text, std::strlen(text))) << path;
        return path;
    }
    std::string MakeLink(const std::string& name, const std::string& target) const
    {
        std::string path = m_dir + "\\" + name;
        EXPECT_TRUE(CreateShortcutFile(target.c_str(), "", "", SW_SHOW, path.c_str())) << path;
        return path;
    }

    ComScope m_com;
    std::string m_dir;
};

}  // namespace

TEST_F(ShortcutModel, FolderPathIsStartupForTabOneAndSendToOtherwise)
{
    const struct { int tab, folder; } rows[] = {{1, CSIDL_STARTUP}, {0, CSIDL_SENDTO}, {-1, CSIDL_SENDTO}, {2, CSIDL_SENDTO}};
    for (const auto& row : rows) {
        std::string expected = ShellFolderPath(row.folder);  // also creates the folder
        ASSERT_FALSE(expected.empty()) << "tab " << row.tab;
        HeapString path = GetFolderPath(0, row.tab);
        EXPECT_STREQ(expected.c_str(), path.GetBuffer()) << "tab " << row.tab;
        EXPECT_EQ(static_cast<int>(expected.size()), path.GetLength()) << "tab " << row.tab;
    }
    EXPECT_NE(ShellFolderPath(CSIDL_STARTUP), ShellFolderPath(CSIDL_SENDTO));
}

TEST_F(ShortcutModel, CreateShortcutFileWritesALinkAndReplacesOneOfTheSameName)
{
    const std::string link = m_dir + "\\Note.lnk";
    for (const std::string& target : {MakeFile("first.txt"), MakeFile("second.txt")}) {
        ASSERT_TRUE(CreateShortcutFile(target.c_str(), "", "", SW_SHOW, link.c_str())) << target;
        ShortcutItem written;  // the shell's link object, reading the file back
        ASSERT_TRUE(written.Load(link.c_str())) << target;
        EXPECT_STRCASEEQ(target.c_str(), ReadTexts(written).target.c_str());
        EXPECT_EQ(SW_SHOW, ShowCommandInFile(link)) << target;
    }
    EXPECT_EQ(3, CountEntries(m_dir)) << "two targets and one link";
}

TEST_F(ShortcutModel, PathsThatDoNotFitFailCleanly)
{
    const std::string target = MakeFile("target.txt"), lnk = ".lnk", realLink = MakeLink("real.lnk", target);
    // 表 (0x95 0x5C) is two bytes but one UTF-16 unit; a Unix file name takes 85 of them at most.
    std::string tables;
    for (int i = 0; i < 70; ++i)
        tables += "\x95\x5c";
    const std::string deep = m_dir + "\\" + tables;
    ASSERT_TRUE(CreateDirectoryA(deep.c_str(), 0)) << "can't make a folder with a Japanese name (error "
        << GetLastError() << "): Wine maps such names to Unix ones only when the host has the ja_JP.UTF-8 locale";
    // Long names go one level down, so no single name passes the 255-byte Unix limit.
    const std::string longFolder = m_dir + "\\" + std::string(100, 'd');
    ASSERT_TRUE(CreateDirectoryA(longFolder.c_str(), 0));
    const size_t room = MAX_PATH - m_dir.size() - 1 - lnk.size();
    const size_t longRoom = MAX_PATH - longFolder.size() - 1 - lnk.size();
    const size_t overBytes = (MAX_PATH - deep.size() + 24) / 2 * 2;  // whole characters, some 25 bytes over
    const struct { const char* what; std::string folder, name; bool fits; } rows[] = {
        {"259 bytes", m_dir, std::string(room - 1, 'a') + lnk, true},
        {"260 bytes", m_dir, std::string(room, 'b') + lnk, false},
        {"290 bytes", longFolder, std::string(longRoom + 30, 'c') + lnk, false},
        {"over 260 bytes, under 260 UTF-16 units", deep, tables.substr(0, overBytes) + lnk, false},
    };
    for (const auto& row : rows) {
        const std::string path = row.folder + "\\" + row.name;
        const int entries = CountEntries(row.folder);
        EXPECT_EQ(row.fits, CreateShortcutFile(target.c_str(), "", "", SW_SHOW, path.c_str())) << row.what;
        EXPECT_EQ(entries + (row.fits ? 1 : 0), CountEntries(row.folder)) << row.what << ": nothing may be written";
        const std::wstring widePath = Wide(path);
        if (!row.fits)  // a real link at that path must not load either
            EXPECT_TRUE(CopyFileW(Wide(realLink).c_str(), widePath.c_str(), FALSE)) << row.what;
        ShortcutItem item;
        EXPECT_EQ(row.fits, item.Load(path.c_str())) << row.what;
        const ShownTexts shown = ReadTexts(item);
        EXPECT_TRUE(shown.nameOk) << row.what;
        EXPECT_NE("<unterminated>", shown.name) << row.what;
        EXPECT_EQ(row.fits ? target : std::string(), shown.target) << row.what;
        EXPECT_EQ("", shown.description) << row.what;
        EXPECT_TRUE(shown.guardsIntact) << row.what;
        DeleteFileW(widePath.c_str());  // the 8-bit call can't reach it
    }
}

TEST_F(ShortcutModel, BoundItemClonesUnboundAndCutsItsNameToTheCapacity)
{
    const std::string target = MakeFile("target.txt");
    ShortcutItem item;
    ASSERT_TRUE(item.Load(MakeLink("abcdefgh.lnk", target).c_str()));

    ShortcutItem* fresh = static_cast<ShortcutItem*>(item.Clone());
    ASSERT_NE(nullptr, fresh);
    EXPECT_EQ(nullptr, fresh->GetLinkPath());
    EXPECT_TRUE(fresh->HasLink());
    const ShownTexts cloneShows = ReadTexts(*fresh);
    EXPECT_EQ("", cloneShows.target);
    EXPECT_EQ("", cloneShows.description);
    delete fresh;

    const ShownTexts whole = ReadTexts(item);  // the source keeps its own link
    EXPECT_STRCASEEQ(target.c_str(), whole.target.c_str());
    ASSERT_EQ(0u, whole.name.find("abcdefgh")) << whole.name;
    for (int capacity : {5, 2, 1}) {
        const ShownTexts cut = ReadTexts(item, capacity);
        EXPECT_TRUE(cut.nameOk) << "capacity " << capacity;
        EXPECT_EQ(whole.name.substr(0, capacity - 1), cut.name) << "capacity " << capacity;
        EXPECT_TRUE(cut.guardsIntact) << "capacity " << capacity;
    }
}

TEST_F(ShortcutModel, ItemWhoseLoadFailedStillHasTheShellsNameAndIcon)
{
    const std::string path = MakeFile("x.lnk", kNotALink);
    ShortcutItem item;
    EXPECT_FALSE(item.Load(path.c_str()));
    EXPECT_STREQ(path.c_str(), item.GetLinkPath());
    SHFILEINFOA shell;
    ZeroMemory(&shell, sizeof(shell));
    ASSERT_NE(0u, SHGetFileInfoA(path.c_str(), 0, &shell, sizeof(shell), SHGFI_DISPLAYNAME));
    const ShownTexts shown = ReadTexts(item);
    EXPECT_TRUE(shown.nameOk);
    EXPECT_FALSE(shown.name.empty());
    EXPECT_EQ(std::string(shell.szDisplayName), shown.name);
    EXPECT_EQ("", shown.target);
    EXPECT_EQ("", shown.description);
    EXPECT_GE(item.GetIconIndex(), 0);

    ShortcutItem unbound;  // never loaded: nothing for the shell to name
    EXPECT_EQ("", ReadTexts(unbound).name);
    EXPECT_EQ(-1, unbound.GetIconIndex());
}

TEST_F(ShortcutModel, ListKeepsUnreadableFilesInTheirPlace)
{
    const std::string broken = MakeFile("x.lnk", kNotALink), target = MakeFile("target.txt");
    ShortcutList list;
    EXPECT_EQ(0, list.GetCount());
    ShortcutItem* first = list.AddShortcut(broken.c_str());
    ShortcutItem* second = list.AddShortcut(MakeLink("good.lnk", target).c_str());
    ASSERT_TRUE(first && second);
    ASSERT_EQ(2, list.GetCount());
    EXPECT_EQ(first, list.GetAt(0));
    EXPECT_EQ(second, list.GetAt(1));
    EXPECT_EQ(nullptr, list.GetAt(2));
    EXPECT_STREQ(broken.c_str(), first->GetLinkPath());
    EXPECT_EQ("", ReadTexts(*first).target);
    EXPECT_STRCASEEQ(target.c_str(), ReadTexts(*second).target.c_str());
    list.RemoveAll();
    EXPECT_EQ(0, list.GetCount());
    EXPECT_EQ(nullptr, list.GetAt(0));

    ObjectArray array(256);
    ShortcutItem* added = AddNew(array);
    ASSERT_NE(nullptr, added);
    EXPECT_EQ(1, array.GetCount());
    EXPECT_EQ(added, array.GetAt(0));
    EXPECT_TRUE(added->HasLink());
    EXPECT_EQ(nullptr, added->GetLinkPath());
}
