// Shortcut items, new shortcut files, the shortcut list and the folder lookup, against files
// made in a scratch folder of the test's own Wine prefix.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

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

// A shell-link object of the test's own, to read links back and to write links through a UTF-16
// path alone, which may be longer than the 8-bit calls allow.
class OwnLink {
public:
    OwnLink() : m_link(0), m_file(0)
    {
        if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, 0, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                       reinterpret_cast<void**>(&m_link))))
            m_link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&m_file));
    }
    ~OwnLink()
    {
        if (m_file)
            m_file->Release();
        if (m_link)
            m_link->Release();
    }
    bool Load(const std::wstring& path) { return m_file && SUCCEEDED(m_file->Load(path.c_str(), STGM_READ)); }
    bool Save(const std::string& target, const std::wstring& path)
    {
        return m_file && SUCCEEDED(m_link->SetPath(target.c_str())) && SUCCEEDED(m_file->Save(path.c_str(), TRUE));
    }
    std::string Target() const
    {
        char target[MAX_PATH] = "";
        m_link->GetPath(target, MAX_PATH, 0, 0);
        return target;
    }

private:
    OwnLink(const OwnLink&);
    OwnLink& operator=(const OwnLink&);
    IShellLinkA* m_link;
    IPersistFile* m_file;
};

// The show command as written in the file's header (32 bits at offset 0x3C). A loaded link
// reports every value but 1, 3 and 7 as 1, so only the file tells whether 5 was written.
int ShowCommandInFile(const std::string& path)
{
    std::string bytes = ReadFileBytes(path);
    DWORD show = 0;
    if (bytes.size() < 0x40)
        return -1;
    CopyMemory(&show, bytes.data() + 0x3C, sizeof(show));
    return static_cast<int>(show);
}

int CountEntries(const std::string& dir)
{
    int count = 0;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((dir + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    do {
        std::string name = found.cFileName;
        count += name != "." && name != "..";
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return count;
}

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

    std::string Path(const std::string& name) const { return m_dir + "\\" + name; }
    std::string MakeFile(const std::string& name) const
    {
        std::string path = Path(name);
        WriteBytes(path, "text", 4);
        return path;
    }
    std::string MakeLink(const std::string& name, const std::string& target) const
    {
        std::string path = Path(name);
        EXPECT_TRUE(CreateShortcutFile(target.c_str(), "", "", SW_SHOW, path.c_str())) << path;
        return path;
    }

    ComScope m_com;
    std::string m_dir;
};

const char kNotALink[] = "This is a text file that only carries the .lnk extension.";

}  // namespace

TEST_F(ShortcutModel, FolderPathIsStartupForTabOneAndSendToOtherwise)
{
    struct Row {
        int tab;
        int folder;
    };
    const Row rows[] = {{1, CSIDL_STARTUP}, {0, CSIDL_SENDTO}, {-1, CSIDL_SENDTO}, {2, CSIDL_SENDTO}};
    for (const Row& row : rows) {
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
    const std::string link = Path("Note.lnk");
    // The second call writes over the first link.
    const std::string targets[] = {MakeFile("first.txt"), MakeFile("second.txt")};
    for (const std::string& target : targets) {
        ASSERT_TRUE(CreateShortcutFile(target.c_str(), "", "", SW_SHOW, link.c_str())) << target;
        OwnLink written;
        ASSERT_TRUE(written.Load(Wide(link))) << target;
        EXPECT_STRCASEEQ(target.c_str(), written.Target().c_str());
        EXPECT_EQ(SW_SHOW, ShowCommandInFile(link)) << target;
    }
    EXPECT_EQ(3, CountEntries(m_dir)) << "two targets and one link";
}

TEST_F(ShortcutModel, PathsThatDoNotFitFailCleanly)
{
    std::string target = MakeFile("target.txt");
    const std::string extension = ".lnk";
    // 表 (0x95 0x5C) is two bytes but one UTF-16 unit; a Unix file name takes 85 of them at most.
    std::string tables;
    for (int i = 0; i < 70; ++i)
        tables += "\x95\x5c";
    const std::string deep = m_dir + "\\" + tables;
    const bool deepMade = CreateDirectoryA(deep.c_str(), 0) != FALSE;
    if (!deepMade)
        ADD_FAILURE() << "can't make a folder with a Japanese name (error " << GetLastError()
                      << "): Wine maps such names to Unix ones only when the host has the ja_JP.UTF-8 locale";
    struct Row {
        const char* what;
        std::string folder;
        std::string name;
        bool fits;
    };
    // Long names go one level down, so no single name passes the 255-byte Unix limit.
    const std::string longFolder = m_dir + "\\" + std::string(100, 'd');
    ASSERT_TRUE(CreateDirectoryA(longFolder.c_str(), 0));
    const size_t room = MAX_PATH - m_dir.size() - 1 - extension.size();
    const size_t longRoom = MAX_PATH - longFolder.size() - 1 - extension.size();
    const size_t overBytes = (MAX_PATH - deep.size() + 24) / 2 * 2;  // whole characters, some 25 bytes over
    const Row rows[] = {
        {"259 bytes", m_dir, std::string(room - 1, 'a') + extension, true},
        {"260 bytes", m_dir, std::string(room, 'b') + extension, false},
        {"290 bytes", longFolder, std::string(longRoom + 30, 'c') + extension, false},
        {"over 260 bytes, under 260 UTF-16 units", deep, tables.substr(0, overBytes) + extension, false},
    };
    for (const Row& row : rows) {
        if (row.folder == deep && !deepMade)
            continue;
        const std::string path = row.folder + "\\" + row.name;
        const int entries = CountEntries(row.folder);
        EXPECT_EQ(row.fits, CreateShortcutFile(target.c_str(), "", "", SW_SHOW, path.c_str())) << row.what;
        EXPECT_EQ(entries + (row.fits ? 1 : 0), CountEntries(row.folder)) << row.what << ": nothing may be written";
        // A real link at that path must not load either.
        const std::wstring widePath = Wide(path);
        if (!row.fits) {
            OwnLink real;
            EXPECT_TRUE(real.Save(target, widePath)) << row.what;
        }

        ShortcutItem item;
        EXPECT_EQ(row.fits, item.Load(path.c_str())) << row.what;
        GuardedText linkTarget, description, name;
        item.GetTargetPath(linkTarget.Data(), linkTarget.Capacity());
        item.GetDescription(description.Data(), description.Capacity());
        EXPECT_TRUE(item.GetDisplayName(name.Data(), name.Capacity())) << row.what;
        EXPECT_EQ(row.fits ? target : std::string(), linkTarget.Text()) << row.what;
        EXPECT_EQ("", description.Text()) << row.what;
        EXPECT_NE("<unterminated>", name.Text()) << row.what;
        EXPECT_TRUE(linkTarget.GuardIntact() && description.GuardIntact() && name.GuardIntact()) << row.what;
        DeleteFileW(widePath.c_str());  // the 8-bit call can't reach it
    }
}

TEST_F(ShortcutModel, CloneOfABoundItemIsFreshAndUnbound)
{
    std::string target = MakeFile("target.txt");
    std::string link = MakeLink("Bound.lnk", target);
    ShortcutItem item;
    ASSERT_TRUE(item.Load(link.c_str()));

    Cloneable* clone = item.Clone();
    ASSERT_NE(nullptr, clone);
    const ShortcutItem* fresh = static_cast<const ShortcutItem*>(clone);
    EXPECT_EQ(nullptr, fresh->GetLinkPath());
    EXPECT_TRUE(fresh->HasLink());
    GuardedText cloneTarget, cloneDescription;
    fresh->GetTargetPath(cloneTarget.Data(), cloneTarget.Capacity());
    fresh->GetDescription(cloneDescription.Data(), cloneDescription.Capacity());
    EXPECT_EQ("", cloneTarget.Text());
    EXPECT_EQ("", cloneDescription.Text());
    delete clone;

    GuardedText original;  // the source keeps its own link
    item.GetTargetPath(original.Data(), original.Capacity());
    EXPECT_STRCASEEQ(target.c_str(), original.Text().c_str());
}

TEST_F(ShortcutModel, DisplayNameIsCutToTheCapacity)
{
    std::string link = MakeLink("abcdefgh.lnk", MakeFile("target.txt"));
    ShortcutItem item;
    ASSERT_TRUE(item.Load(link.c_str()));
    GuardedText whole;
    ASSERT_TRUE(item.GetDisplayName(whole.Data(), whole.Capacity()));
    ASSERT_EQ(0u, whole.Text().find("abcdefgh")) << whole.Text();

    const int capacities[] = {5, 2, 1};
    for (int capacity : capacities) {
        GuardedText name(capacity);
        EXPECT_TRUE(item.GetDisplayName(name.Data(), capacity)) << "capacity " << capacity;
        EXPECT_EQ(whole.Text().substr(0, capacity - 1), name.Text()) << "capacity " << capacity;
        EXPECT_TRUE(name.GuardIntact()) << "capacity " << capacity;
    }
}

TEST_F(ShortcutModel, ItemWhoseLoadFailedStillHasTheShellsNameAndIcon)
{
    std::string path = Path("x.lnk");
    ASSERT_TRUE(WriteBytes(path, kNotALink, sizeof(kNotALink) - 1));
    ShortcutItem item;
    EXPECT_FALSE(item.Load(path.c_str()));
    EXPECT_STREQ(path.c_str(), item.GetLinkPath());

    SHFILEINFOA shell;
    ZeroMemory(&shell, sizeof(shell));
    ASSERT_NE(0u, SHGetFileInfoA(path.c_str(), 0, &shell, sizeof(shell), SHGFI_DISPLAYNAME));
    GuardedText name, target, description;
    EXPECT_TRUE(item.GetDisplayName(name.Data(), name.Capacity()));
    EXPECT_EQ(std::string(shell.szDisplayName), name.Text());
    EXPECT_FALSE(name.Text().empty());
    item.GetTargetPath(target.Data(), target.Capacity());
    item.GetDescription(description.Data(), description.Capacity());
    EXPECT_EQ("", target.Text());
    EXPECT_EQ("", description.Text());

    HICON icon = item.GetSmallIcon();
    EXPECT_NE(nullptr, icon);
    if (icon) {
        EXPECT_TRUE(DestroyIcon(icon));
    }

    ShortcutItem unbound;  // never loaded: nothing for the shell to name
    GuardedText noName;
    EXPECT_TRUE(unbound.GetDisplayName(noName.Data(), noName.Capacity()));
    EXPECT_EQ("", noName.Text());
    EXPECT_EQ(nullptr, unbound.GetSmallIcon());
}

TEST_F(ShortcutModel, ListKeepsUnreadableFilesInTheirPlace)
{
    std::string broken = Path("x.lnk");
    ASSERT_TRUE(WriteBytes(broken, kNotALink, sizeof(kNotALink) - 1));
    std::string target = MakeFile("target.txt");
    std::string good = MakeLink("good.lnk", target);

    ShortcutList list;
    EXPECT_EQ(0, list.GetCount());
    ShortcutItem* first = list.AddShortcut(broken.c_str());
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(1, list.GetCount());
    ShortcutItem* second = list.AddShortcut(good.c_str());
    ASSERT_NE(nullptr, second);
    ASSERT_EQ(2, list.GetCount());

    EXPECT_EQ(first, list.GetAt(0));
    EXPECT_EQ(second, list.GetAt(1));
    EXPECT_EQ(nullptr, list.GetAt(2));
    EXPECT_EQ(nullptr, list.GetAt(-1));
    EXPECT_STREQ(broken.c_str(), first->GetLinkPath());

    GuardedText firstTarget, firstDescription, secondTarget;
    first->GetTargetPath(firstTarget.Data(), firstTarget.Capacity());
    first->GetDescription(firstDescription.Data(), firstDescription.Capacity());
    second->GetTargetPath(secondTarget.Data(), secondTarget.Capacity());
    EXPECT_EQ("", firstTarget.Text());
    EXPECT_EQ("", firstDescription.Text());
    EXPECT_STRCASEEQ(target.c_str(), secondTarget.Text().c_str());

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
