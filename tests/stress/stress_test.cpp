// The whole program in one process under hostile folders: damaged and odd shortcuts, names at the
// limits, thousands of rows, a folder that vanishes, big drops and a soak. Around each case every
// file of the test tree is hashed, and any difference the case's user actions did not name fails it.
#include <windows.h>
#include <psapi.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>

#include "app/quiverdesk.h"
#include "support/main_window_fixture.h"

namespace {

const char kSmall[] = "01-format-doc-example-local-file.lnk";  // loads quickly: the bulk copies
int g_casesRun = 0;
long long g_filesChecked = 0;

std::wstring Wide(const std::string& ansi)
{
    std::wstring wide(MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, 0, 0), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, &wide[0], static_cast<int>(wide.size()));
    return wide.substr(0, wide.size() - 1);
}

std::wstring Upper(std::wstring text)
{
    CharUpperBuffW(&text[0], static_cast<DWORD>(text.size()));
    return text;
}

bool StartsWith(const std::wstring& text, const std::wstring& prefix) { return text.compare(0, prefix.size(), prefix) == 0; }
std::wstring BaseOf(const std::wstring& path) { return path.substr(path.rfind(L'\\') + 1); }

// The recycle bin as Wine keeps it: $XDG_DATA_HOME/Trash, seen through the drive of the Unix root.
std::string TrashRoot()
{
    const char* xdg = std::getenv("XDG_DATA_HOME");
    std::string path = xdg && *xdg ? "Z:" + std::string(xdg) + "/Trash" : "";
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

// A file's size and FNV-1a hash; folders, and links out of the tree (not followed), are kFolder.
typedef std::pair<ULONGLONG, ULONGLONG> Bytes;
const Bytes kFolder(~0ULL, 0);
typedef std::map<std::wstring, Bytes> Tree;  // keyed by the upper-case path: names ignore case

Bytes BytesOf(const std::wstring& path)
{
    Bytes bytes(0, 14695981039346656037ULL);
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, 0,
                              OPEN_EXISTING, 0, 0);
    unsigned char chunk[65536];
    DWORD read = 0;
    while (file != INVALID_HANDLE_VALUE && ReadFile(file, chunk, sizeof(chunk), &read, 0) && read > 0) {
        for (DWORD i = 0; i < read; ++i)
            bytes.second = (bytes.second ^ chunk[i]) * 1099511628211ULL;
        bytes.first += read;
    }
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
    return bytes;
}

// Through the \\?\ form, which reaches names past 260 bytes.
void Walk(const std::wstring& dir, Tree& tree)
{
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((L"\\\\?\\" + dir + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        std::wstring name = found.cFileName, path = dir + L"\\" + name;
        // Wine links the profile's Desktop, Documents... to the Unix home: outside the tree.
        DWORD kind = found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT);
        if (name == L"." || name == L"..")
            continue;
        if (kind == FILE_ATTRIBUTE_DIRECTORY)
            Walk(path, tree);
        tree[Upper(path)] = kind ? kFolder : BytesOf(L"\\\\?\\" + path);
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

// One case's witness: the profile (Send To and Startup live there), the recycle bin and the scratch
// tree when it is made, against the same at Check.
class TreeWatch {
public:
    // kAdded: must appear, as a file. kRecycled: must go, its bytes kept in the recycle bin.
    // kMayReappearEmpty: a folder the shell may make again, provided it stays empty.
    enum Allowed { kNothing, kAdded, kRecycled, kMayReappearEmpty };

    TreeWatch() : m_bin(Upper(Wide(TrashRoot()))), m_before(Take()) {}

    TreeWatch& Allow(const std::string& path, Allowed how)
    {
        m_allowed[Upper(Wide(path))] = how;
        return *this;
    }

    // Expects exactly the allowed differences, and the window still answering.
    void Check(const std::string& caseName, const MainWindow& window)
    {
        Tree after = Take();
        std::vector<std::wstring> problems;
        for (Tree::const_iterator it = after.begin(); it != after.end(); ++it) {
            g_filesChecked += it->second != kFolder;
            Tree::const_iterator old = m_before.find(it->first);
            if (old == m_before.end() ? !MayAppear(after, it->first, it->second) : old->second != it->second)
                problems.push_back((old == m_before.end() ? L"appeared: " : L"bytes changed: ") + it->first);
        }
        for (Tree::const_iterator it = m_before.begin(); it != m_before.end(); ++it) {
            bool gone = !after.count(it->first);
            if (gone != (AllowedFor(it->first) == kRecycled) || (gone && !HasBinCopy(after, it->first, it->second)))
                problems.push_back((gone ? L"gone, and not to the recycle bin: " : L"was not deleted: ") + it->first);
        }
        ::testing::Message list;
        for (size_t i = 0; i < problems.size() && i < 20; ++i)
            list << "\n  " << problems[i];
        EXPECT_TRUE(problems.empty()) << caseName << ": " << problems.size() << " unasked-for differences" << list;
        DWORD_PTR answer = 0;
        EXPECT_TRUE(window.Alive() && SendMessageTimeoutA(window.Handle(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer))
            << caseName << ": the window no longer answers";
        ++g_casesRun;
    }

private:
    Tree Take() const
    {
        Tree tree;
        for (const std::string& root : {ShellFolderPath(CSIDL_PROFILE), TrashRoot(), std::string(kScratchFolder)})
            Walk(Wide(root), tree);
        return tree;
    }

    Allowed AllowedFor(const std::wstring& path) const
    {
        std::map<std::wstring, Allowed>::const_iterator it = m_allowed.find(path);
        return it == m_allowed.end() ? kNothing : it->second;
    }

    bool MayAppear(const Tree& after, const std::wstring& path, const Bytes& bytes) const
    {
        Tree::const_iterator child = after.lower_bound(path + L"\\");
        if (AllowedFor(path) == kAdded)
            return bytes != kFolder;
        if (AllowedFor(path) == kMayReappearEmpty)
            return bytes == kFolder && (child == after.end() || !StartsWith(child->first, path + L"\\"));
        // The bin names its files and info entries after the item they keep.
        if (!StartsWith(path, m_bin + L"\\FILES\\") && !StartsWith(path, m_bin + L"\\INFO\\"))
            return false;
        for (std::map<std::wstring, Allowed>::const_iterator it = m_allowed.begin(); it != m_allowed.end(); ++it) {
            if (it->second == kRecycled && StartsWith(BaseOf(path), BaseOf(it->first)))
                return true;
        }
        return false;
    }

    bool HasBinCopy(const Tree& after, const std::wstring& original, const Bytes& bytes) const
    {
        std::wstring prefix = m_bin + L"\\FILES\\" + BaseOf(original);
        Tree::const_iterator it = after.lower_bound(prefix);
        while (it != after.end() && StartsWith(it->first, prefix) && it->second != bytes)
            ++it;
        return it != after.end() && StartsWith(it->first, prefix);
    }

    const std::wstring m_bin;
    const Tree m_before;
    std::map<std::wstring, Allowed> m_allowed;
};

// One row per expected file, each bound to its own item and its own image.
void ExpectRowsBound(const std::string& caseName, const Names& paths)
{
    ASSERT_EQ(static_cast<int>(paths.size()), RowCount()) << caseName;
    EXPECT_EQ(RowCount(), ImageCount()) << caseName;
    std::set<std::string> unseen(paths.begin(), paths.end());
    for (int row = 0, failures = 0; row < RowCount() && failures < 5; ++row) {
        if (RowParam(row) != row || RowImage(row) != row || !unseen.erase(RowLinkPath(row)))
            ADD_FAILURE() << caseName << ": row " << row << " (" << ++failures << ") param " << RowParam(row)
                          << " image " << RowImage(row) << " file " << Wide(RowLinkPath(row));
    }
}

// The shell's verbs as "verb file", recorded instead of carried out.
Names g_shellCalls;

HINSTANCE WINAPI RecordExecute(HWND, LPCSTR verb, LPCSTR file, LPCSTR, LPCSTR, INT)
{
    g_shellCalls.push_back(std::string(verb ? verb : "") + " " + (file ? file : ""));
    return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(42));
}

BOOL WINAPI RecordExecuteEx(SHELLEXECUTEINFOA* info)
{
    g_shellCalls.push_back(std::string(info->lpVerb ? info->lpVerb : "") + " " + (info->lpFile ? info->lpFile : ""));
    return TRUE;
}

struct ShellRecorder {
    ShellRecorder()
        : execute("shell32", "ShellExecuteA", reinterpret_cast<void*>(RecordExecute)),
          executeEx("shell32", "ShellExecuteExA", reinterpret_cast<void*>(RecordExecuteEx))
    {
        g_shellCalls.clear();
        EXPECT_TRUE(execute.Original() && executeEx.Original()) << "the program no longer imports the shell calls";
    }
    ScopedImportPatch execute, executeEx;
};

// Selects the rows (all when none are named) and carries out the command, answering Yes to any question.
void OnRows(const MainWindow& window, int command, std::vector<int> rows = std::vector<int>())
{
    for (int row = 0; rows.empty() && row < RowCount(); ++row)
        rows.push_back(row);
    SelectRows(rows);
    DialogAnswerer yes(IDYES);
    window.Command(command);
    PumpMessages(100);
}

// The shared folders, plus an emptied recycle bin inside the build tree.
class StressTest : public ShellFolderTest {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(ShellFolderTest::SetUp());
        const std::string bin = TrashRoot();
        ASSERT_FALSE(bin.empty()) << "XDG_DATA_HOME must keep the recycle bin in the build tree";
        for (const char* part : {"", "\\files", "\\info"})
            CreateDirectoryA((bin + part).c_str(), 0);
        EmptyFolder(bin + "\\files");
        EmptyFolder(bin + "\\info");
    }

    std::string InSendTo(const std::string& name) const { return m_sendTo + "\\" + name; }
    // A copy of a sample in Send To; any length of name.
    std::string Link(const std::string& name, const char* sample = kSmall) const
    {
        EXPECT_TRUE(AddSample(m_sendTo, sample, name)) << name;
        return InSendTo(name);
    }
};

}  // namespace

// Every sample and 330 damaged copies (the same ones every run): one bound row each, and explore and properties
// asked of all rows at once without harm.
TEST_F(StressTest, DamagedShortcuts)
{
    Names files, samples = LinkNames(TestDataPath("lnk"));
    ASSERT_GE(samples.size(), 29u);
    for (const std::string& name : samples)
        files.push_back(ReadFileBytes(TestDataPath("lnk/" + name)));
    files.insert(files.end(), {"", "L", std::string(1, '\0')});
    ULONGLONG state = 20240611;
    auto next = [&state](size_t bound) {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<unsigned>(state >> 33) % static_cast<unsigned>(bound);
    };
    for (size_t i = 0; i < 330; ++i) {
        std::string bytes = files[i % samples.size()];
        switch (i % 5) {
        case 0: bytes.resize(next(bytes.size())); break;                             // cut anywhere
        case 1: bytes.resize(std::min<size_t>(bytes.size(), 60 + next(40))); break;  // about the 76-byte header
        case 2:  // a few bytes flipped anywhere
            for (unsigned n = 1 + next(8); n > 0; --n)
                bytes[next(bytes.size())] ^= static_cast<char>(1 + next(255));
            break;
        case 3:  // the header's times, size, icon, show command and hot key scrambled; scrambled flags
                 // and ID-list sizes only make Wine's own parser take minutes over one file
            for (int n = 0; n < 6; ++n) {
                size_t at = 0x1C + next(0x4C - 0x1C);
                if (at < bytes.size())
                    bytes[at] ^= static_cast<char>(0xFF);
            }
            break;
        default:  // flipped, then cut
            bytes[next(bytes.size())] ^= static_cast<char>(0x80);
            bytes.resize(bytes.size() / 2 + next(bytes.size() / 2));
        }
        files.push_back(bytes);
    }

    MainWindow window;
    Names paths;
    for (size_t i = 0; i < files.size(); ++i) {
        paths.push_back(InSendTo("d" + std::to_string(i) + ".lnk"));
        ASSERT_TRUE(WriteBytes(paths.back(), files[i].data(), files[i].size())) << i;
    }
    TreeWatch watch;
    window.Command(CMD_REFRESH);
    ExpectRowsBound("damaged shortcuts", paths);
    ShellRecorder shell;
    OnRows(window, CMD_EXPLORE_TARGET);
    OnRows(window, CMD_PROPERTIES);
    EXPECT_LE(g_shellCalls.size(), 2 * paths.size());
    watch.Check("damaged shortcuts", window);
}

// A folder named like a shortcut, and read-only, hidden and system shortcuts: all listed, and the
// read-only one goes to the recycle bin like any other once the user says yes.
TEST_F(StressTest, OddEntries)
{
    Names paths(1, InSendTo("x.lnk"));
    ASSERT_TRUE(CreateDirectoryA(paths[0].c_str(), 0));
    const struct { const char* name; DWORD attributes; } odd[] = {
        {"plain.lnk", FILE_ATTRIBUTE_NORMAL}, {"readonly.lnk", FILE_ATTRIBUTE_READONLY},
        {"hidden.lnk", FILE_ATTRIBUTE_HIDDEN}, {"system.lnk", FILE_ATTRIBUTE_SYSTEM},
        {"all.lnk", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM}};
    for (const auto& entry : odd) {
        paths.push_back(Link(entry.name));
        SetFileAttributesA(paths.back().c_str(), entry.attributes);
    }
    TreeWatch watch;
    MainWindow window;
    ExpectRowsBound("odd entries", paths);
    const std::string readOnly = InSendTo("readonly.lnk");
    ASSERT_GE(RowOfLink(readOnly), 0);
    OnRows(window, CMD_DELETE, {RowOfLink(readOnly)});
    watch.Allow(readOnly, TreeWatch::kRecycled);
    EXPECT_EQ(-1, RowOfLink(readOnly));
    watch.Check("odd entries", window);
}

// Paths of 259 bytes are listed and longer ones left out; double-byte names whose trail byte is
// 0x5C, in the folder part and the name part, survive refresh, drop and explore.
TEST_F(StressTest, TrickyNames)
{
    const size_t room = MAX_PATH - 1 - m_sendTo.size() - 1;  // for a name in Send To
    ASSERT_GT(room, 10u);
    // 表 ソ 予 能: each one's trail byte is the backslash's.
    const std::string hyo = "\x95\x5c", so = "\x83\x5c", yo = "\x97\x5c", nou = "\x94\x5c", stem(room - 4, 'c');
    Names paths = {Link(std::string(room - 4, 'a') + ".lnk"), Link(hyo + so + ".lnk")};
    for (size_t past : {1, 11})
        Link(std::string(room - 4 + past, 'b') + ".lnk");
    const std::string folder = ScratchFolder(hyo + so), file = ScratchFile(hyo + so + "\\" + yo + nou + ".txt");
    const Names drop = {file, ScratchFolder(hyo + so + "\\" + nou), ScratchFile(stem + ".txt"), ScratchFile(stem + "d.txt")};

    MainWindow window;
    ExpectRowsBound("tricky names: refresh", paths);
    TreeWatch watch;
    Drop(window, drop);
    const std::string fileLink = InSendTo(yo + nou + ".lnk"), folderLink = InSendTo(nou + ".lnk");
    for (const std::string& link : {fileLink, folderLink, InSendTo(stem + ".lnk")}) {
        watch.Allow(link, TreeWatch::kAdded);
        paths.push_back(link);
    }
    ExpectRowsBound("tricky names: drop", paths);

    // The file's holding folder is cut at its real backslash; a folder target opens whole.
    const struct { std::string link, opened; } explore[] = {{fileLink, folder}, {folderLink, drop[1]}};
    for (const auto& row : explore) {
        ASSERT_GE(RowOfLink(row.link), 0) << Wide(row.link);
        ShellRecorder shell;
        OnRows(window, CMD_EXPLORE_TARGET, {RowOfLink(row.link)});
        EXPECT_EQ(Names(1, "explore " + row.opened), g_shellCalls) << Wide(row.link);
    }
    watch.Check("tricky names", window);
}

// Past the array's growth step every row is bound, and properties and delete on the last row reach
// that row's file. A refresh of 5,000 takes a minute or more under Wine: one per count.
TEST_F(StressTest, ManyShortcuts)
{
    for (int count : {300, 5000}) {
        const std::string caseName = "many shortcuts: " + std::to_string(count);
        EmptyFolder(m_sendTo);
        MainWindow window;
        Names paths;
        for (int i = 0; i < count; ++i)
            paths.push_back(Link("many" + std::to_string(i) + ".lnk"));
        TreeWatch watch;
        window.Command(CMD_REFRESH);
        ExpectRowsBound(caseName, paths);
        ASSERT_FALSE(HasFailure());

        // The file the user means is the one the last row's text names, whatever the row is bound to.
        const int last = RowCount() - 1;
        std::string file = InSendTo(RowText(last, 0));
        if (!FileExists(file))
            file += ".lnk";
        ASSERT_TRUE(FileExists(file)) << caseName << ": the last row shows " << RowText(last, 0);
        {
            ShellRecorder shell;
            OnRows(window, CMD_PROPERTIES, {last});
            EXPECT_EQ(Names(1, "properties " + file), g_shellCalls) << caseName;
        }
        OnRows(window, CMD_DELETE, {last});
        watch.Allow(file, TreeWatch::kRecycled);
        EXPECT_EQ(count - 1, RowCount()) << caseName;
        EXPECT_EQ(-1, RowOfLink(file)) << caseName << ": the deleted file still has a row";
        watch.Check(caseName, window);
    }
}

// Send To taken away under the window: delete, properties and explore on the rows still on show,
// then refresh, drop and open folder, make nothing and break nothing. The shell may make the
// folder again, empty, when asked where it is.
TEST_F(StressTest, MissingFolder)
{
    for (const char* name : {"a.lnk", "b.lnk", "c.lnk"})
        Link(name);
    const std::string item = ScratchFile("item.txt");
    MainWindow window;
    ASSERT_EQ(3, RowCount());
    EmptyFolder(m_sendTo);
    ASSERT_TRUE(RemoveDirectoryA(m_sendTo.c_str()));

    TreeWatch watch;
    watch.Allow(m_sendTo, TreeWatch::kMayReappearEmpty);
    ShellRecorder shell;
    for (int command : {CMD_DELETE, CMD_PROPERTIES, CMD_EXPLORE_TARGET, CMD_REFRESH, CMD_OPEN_FOLDER})
        OnRows(window, command);
    Drop(window, Names(1, item));
    window.Command(CMD_REFRESH);
    for (const std::string& call : g_shellCalls)
        EXPECT_NE(0u, call.find("open ")) << "without a folder nothing opens: " << call;
    watch.Check("missing folder", window);
}

// 500 items in one drop become 500 shortcuts, each to its own item; a mixed drop makes shortcuts of
// exactly its good items and leaves the shortcuts it names untouched.
TEST_F(StressTest, BigDrops)
{
    MainWindow window;
    ScratchFolder("big");
    Names items, links;
    for (int i = 100; i < 600; ++i) {
        items.push_back(ScratchFile("big\\b" + std::to_string(i) + ".txt"));
        links.push_back(InSendTo("b" + std::to_string(i) + ".lnk"));
    }
    TreeWatch bigWatch;
    Drop(window, items);
    for (const std::string& link : links)
        bigWatch.Allow(link, TreeWatch::kAdded);
    ExpectRowsBound("drop of 500", links);
    for (int row = 0; row < RowCount(); ++row) {
        const std::string stem = RowLinkPath(row).substr(m_sendTo.size() + 1, 4);
        EXPECT_TRUE(SamePath(std::string(kScratchFolder) + "\\big\\" + stem + ".txt", RowText(row, 1)))
            << "row " << row << " " << stem << " leads to " << RowText(row, 1);
    }
    bigWatch.Check("drop of 500", window);

    EmptyFolder(m_sendTo);
    ScratchFolder("mix");
    const std::string own = Link("own.lnk"), doubled = Link("twice.lnk.lnk");
    std::string upperOwn = own;
    CharUpperA(&upperOwn[0]);
    const struct { std::string path; const char* link; } mix[] = {  // the item, the shortcut it must make
        {ScratchFile("mix\\good.txt"), "good.lnk"},
        {ScratchFile("mix\\report.final.doc"), "report.final.lnk"},
        {ScratchFolder("mix\\folder"), "folder.lnk"},
        {ScratchFile("mix\\" + std::string(MAX_PATH - m_sendTo.size(), 'e') + ".txt"), 0},  // link path past 259
        {std::string(kScratchFolder) + "\\" + std::string(300, 'f'), 0},                  // dropped path past it
        {own, 0},                                                                         // a shortcut onto itself
        {upperOwn, 0},                                                                    // the same, in other case
        {doubled, 0},                                                                     // its stem names itself
        {"relative.txt", 0},                                                              // no folder part
    };
    Names drop, rows = {own, doubled};
    TreeWatch watch;
    for (const auto& item : mix) {
        drop.push_back(item.path);
        if (item.link) {
            watch.Allow(InSendTo(item.link), TreeWatch::kAdded);
            rows.push_back(InSendTo(item.link));
        }
    }
    Drop(window, drop);
    ExpectRowsBound("mixed drop", rows);
    watch.Check("mixed drop", window);
}

namespace {

// Counted on their way through the program's imports: every icon handed out must be destroyed.
DWORD_PTR(WINAPI* g_getFileInfo)(LPCSTR, DWORD, SHFILEINFOA*, UINT, UINT) = 0;
BOOL(WINAPI* g_destroyIcon)(HICON) = 0;
long g_iconsHanded = 0, g_iconsDestroyed = 0;

DWORD_PTR WINAPI CountingGetFileInfo(LPCSTR path, DWORD attributes, SHFILEINFOA* info, UINT size, UINT flags)
{
    DWORD_PTR result = g_getFileInfo(path, attributes, info, size, flags);
    g_iconsHanded += (flags & SHGFI_ICON) && info && info->hIcon;
    return result;
}

BOOL WINAPI CountingDestroyIcon(HICON icon)
{
    ++g_iconsDestroyed;
    return g_destroyIcon(icon);
}

// GDI objects this process can still make before its table is full (Wine's GetGuiResources says 0):
// a leak shows as lost room. All are deleted again before this returns.
int GdiRoom()
{
    std::vector<HRGN> regions;
    regions.reserve(70000);
    for (HRGN region; regions.size() < 70000 && (region = CreateRectRgn(0, 0, 1, 1)) != 0;)
        regions.push_back(region);
    for (HRGN region : regions)
        DeleteObject(region);
    return static_cast<int>(regions.size());
}

SIZE_T PrivateBytes()
{
    PROCESS_MEMORY_COUNTERS counters = {sizeof(counters)};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    return counters.PagefileUsage;
}

}  // namespace

// 2,000 refreshes and 500 tab clicks: every icon handed back, GDI room and memory level after a
// warm-up, and every row still showing its own icon.
TEST_F(StressTest, Soak)
{
    // Two local rows keep 2,000 refreshes affordable.
    const Names sendTo = {Link(kSmall), Link("06-ansi-stringdata-desc-args.lnk", "06-ansi-stringdata-desc-args.lnk")};
    ASSERT_TRUE(AddSample(m_startup, "25-local-desc-quoted-args-space.lnk"));
    MainWindow window;
    ScopedImportPatch info("shell32", "SHGetFileInfoA", reinterpret_cast<void*>(CountingGetFileInfo));
    ScopedImportPatch destroy("user32", "DestroyIcon", reinterpret_cast<void*>(CountingDestroyIcon));
    g_getFileInfo = reinterpret_cast<decltype(g_getFileInfo)>(info.Original());
    g_destroyIcon = reinterpret_cast<decltype(g_destroyIcon)>(destroy.Original());
    ASSERT_TRUE(g_getFileInfo && g_destroyIcon);

    TreeWatch watch;
    const int kRefreshes = 2000, kWarmUp = 200, kTabClicks = 500;
    SIZE_T memoryAtWarmUp = 0;
    int gdiAtWarmUp = 0;
    for (int i = 1; i <= kRefreshes; ++i) {
        window.Command(CMD_REFRESH);
        if (i == kWarmUp) {
            gdiAtWarmUp = GdiRoom();  // first: filling the GDI table grows the heap once
            memoryAtWarmUp = PrivateBytes();
        }
    }
    const SIZE_T memoryAtEnd = PrivateBytes();
    const int gdiAtEnd = GdiRoom();
    ExpectRowsBound("soak: refreshes", sendTo);
    for (int i = 1; i <= kTabClicks; ++i)
        window.ClickTab(i % 2);
    ExpectRowsBound("soak: tab clicks", sendTo);
    window.ClickTab(1);
    ExpectRowsBound("soak: Startup", Names(1, m_startup + "\\25-local-desc-quoted-args-space.lnk"));
    const int gdiAfterTabs = GdiRoom();

    EXPECT_GT(g_iconsHanded, kRefreshes * static_cast<long>(sendTo.size()));
    EXPECT_EQ(g_iconsHanded, g_iconsDestroyed) << "icons the shell handed out and the program never destroyed";
    EXPECT_GT(gdiAtWarmUp, 1000) << "no room for GDI objects even early on";
    EXPECT_LT(gdiAtWarmUp - gdiAtEnd, 100) << "GDI objects piled up over the refreshes";
    EXPECT_LT(gdiAtWarmUp - gdiAfterTabs, 100) << "GDI objects piled up over the tab clicks";
    // A folder search left open keeps 8 KB under Wine, a shortcut object more: 4 MB is generous.
    EXPECT_LT(memoryAtEnd, memoryAtWarmUp + 4 * 1024 * 1024) << "private bytes from " << memoryAtWarmUp;
    std::printf("[ soak     ] icons %ld/%ld, GDI room %d -> %d -> %d, private bytes %lu -> %lu\n",
                g_iconsHanded, g_iconsDestroyed, gdiAtWarmUp, gdiAtEnd, gdiAfterTabs,
                static_cast<unsigned long>(memoryAtWarmUp), static_cast<unsigned long>(memoryAtEnd));
    watch.Check("soak", window);
}

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    int result = RUN_ALL_TESTS();
    std::printf("stress: %d cases ran, %lld files checked\n", g_casesRun, g_filesChecked);
    std::fflush(stdout);
    return result;
}
