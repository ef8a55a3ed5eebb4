// The whole program in one process under hostile folders: damaged and odd shortcuts, names at the
// limits, thousands of rows, a folder that vanishes, big drops and a long soak. Each case proves
// through TreeWatch that no file changed beyond what the user's actions named.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <psapi.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "app/quiverdesk.h"
#include "model/shortcut_list.h"
#include "support/main_window_fixture.h"
#include "support/test_support.h"
#include "stress_tree.h"

namespace {

// A fixed-seed generator, so every run damages the samples the same way.
class Lcg {
public:
    explicit Lcg(ULONGLONG seed) : m_state(seed) {}
    unsigned Next(unsigned bound)
    {
        m_state = m_state * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<unsigned>(m_state >> 33) % bound;
    }

private:
    ULONGLONG m_state;
};

struct NamedBytes {
    std::string name;
    std::string bytes;
};

std::vector<NamedBytes> Samples()
{
    std::vector<NamedBytes> samples;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(TestDataPath("lnk\\*.lnk").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return samples;
    do {
        NamedBytes sample = {found.cFileName, ReadFileBytes(TestDataPath(std::string("lnk\\") + found.cFileName))};
        samples.push_back(sample);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return samples;
}

// The smallest sample that loads as a shortcut: the copies the many-rows cases are made of.
std::string SmallLink()
{
    return ReadFileBytes(TestDataPath("lnk/01-format-doc-example-local-file.lnk"));
}

std::string BaseName(const std::string& path)
{
    const char* name = path.c_str();
    for (const char* p = name; *p; p = CharNextA(p)) {
        if (*p == '\\')
            name = p + 1;
    }
    return name;
}

// Rows must be one per expected file, each bound to its own item and image.
void ExpectRowsBound(const std::string& caseName, const std::vector<std::string>& paths)
{
    ASSERT_EQ(static_cast<int>(paths.size()), RowCount()) << caseName;
    EXPECT_EQ(RowCount(), ImageCount()) << caseName;
    std::set<std::string> wanted;
    for (size_t i = 0; i < paths.size(); ++i)
        wanted.insert(Utf8(Widen(paths[i])));
    std::set<std::string> seen;
    int unbound = 0;
    for (int row = 0; row < RowCount(); ++row) {
        std::string path = Utf8(Widen(RowLinkPath(row)));
        bool bound = RowParam(row) == row && RowImage(row) == row && wanted.count(path) && seen.insert(path).second;
        if (!bound && ++unbound <= 5)
            ADD_FAILURE() << caseName << ": row " << row << " param " << RowParam(row) << " image " << RowImage(row)
                          << " file " << path;
    }
    EXPECT_EQ(0, unbound) << caseName;
}

// --- the shell, recorded instead of launched ------------------------------------------------

struct ShellCall {
    std::string verb;
    std::string file;
};
std::vector<ShellCall> g_shellCalls;

HINSTANCE WINAPI RecordExecute(HWND, LPCSTR verb, LPCSTR file, LPCSTR, LPCSTR, INT)
{
    ShellCall call = {verb ? verb : "", file ? file : ""};
    g_shellCalls.push_back(call);
    return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(42));
}

BOOL WINAPI RecordExecuteEx(SHELLEXECUTEINFOA* info)
{
    ShellCall call = {info->lpVerb ? info->lpVerb : "", info->lpFile ? info->lpFile : ""};
    g_shellCalls.push_back(call);
    return TRUE;
}

class ShellRecorder {
public:
    ShellRecorder()
        : m_execute("shell32", "ShellExecuteA", reinterpret_cast<void*>(RecordExecute)),
          m_executeEx("shell32", "ShellExecuteExA", reinterpret_cast<void*>(RecordExecuteEx))
    {
        g_shellCalls.clear();
        EXPECT_TRUE(m_execute.Original() && m_executeEx.Original()) << "the program no longer imports the shell calls";
    }

private:
    ScopedImportPatch m_execute;
    ScopedImportPatch m_executeEx;
};

// A real HDROP as the shell hands it over: DROPFILES and a double-zero-terminated 8-bit list.
void DropFiles(HWND window, const std::vector<std::string>& paths)
{
    size_t bytes = sizeof(DROPFILES) + 1;
    for (size_t i = 0; i < paths.size(); ++i)
        bytes += paths[i].size() + 1;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
    ASSERT_TRUE(memory != 0);
    DROPFILES* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = FALSE;
    char* list = reinterpret_cast<char*>(drop) + sizeof(DROPFILES);
    for (size_t i = 0; i < paths.size(); ++i) {
        CopyMemory(list, paths[i].c_str(), paths[i].size());
        list += paths[i].size() + 1;
    }
    GlobalUnlock(memory);
    // The handler owns the handle from here and releases it.
    SendMessageA(window, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
    PumpMessages();
}

void DeleteSelection(const MainWindow& window)
{
    DialogAnswerer answerer(IDYES);
    window.Command(CMD_DELETE);
    PumpMessages(100);
}

class StressTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RequireSafeShellFolders();
        m_sendTo = ShellFolderPath(CSIDL_SENDTO);
        m_startup = ShellFolderPath(CSIDL_STARTUP);
        ASSERT_FALSE(m_sendTo.empty());
        ASSERT_FALSE(m_startup.empty());
        ClearTree(m_sendTo);
        ClearTree(m_startup);
        CreateDirectoryA(kScratch, 0);
        ClearTree(kScratch);
        std::string trash = TrashRoot();
        ASSERT_FALSE(trash.empty());
        CreateDirectoryA(trash.c_str(), 0);
        CreateDirectoryA((trash + "\\files").c_str(), 0);
        CreateDirectoryA((trash + "\\info").c_str(), 0);
        ClearTree(trash + "\\files");
        ClearTree(trash + "\\info");
    }

    void TearDown() override
    {
        ShellFolderPath(CSIDL_SENDTO);  // made again when a case took it away
        ClearTree(m_sendTo);
        ClearTree(m_startup);
        ClearTree(kScratch);
    }

    std::string InSendTo(const std::string& name) const { return m_sendTo + "\\" + name; }

    std::string Scratch(const std::string& relative, bool folder = false) const
    {
        std::string path = std::string(kScratch) + "\\" + relative;
        EXPECT_TRUE(folder ? CreateDirectoryA(path.c_str(), 0) != FALSE : WriteBytes(path, "x", 1)) << path;
        return path;
    }

    // count copies of the small shortcut named <prefix>NNNN.lnk, in Send To.
    std::vector<std::string> WriteCopies(const char* prefix, int count) const
    {
        std::string bytes = SmallLink();
        std::vector<std::string> paths;
        for (int i = 0; i < count; ++i) {
            char name[64];
            wsprintfA(name, "%s%04d.lnk", prefix, i);
            paths.push_back(InSendTo(name));
            EXPECT_TRUE(WriteBytes(paths.back(), bytes.data(), bytes.size())) << name;
        }
        return paths;
    }

    // Many rows: each bound, and the last row's properties and deletion reach the last row's file.
    void CheckManyRows(int count)
    {
        MainWindow window;
        std::vector<std::string> paths = WriteCopies("many", count);
        ASSERT_FALSE(HasFailure());
        std::string caseName = "many shortcuts: " + std::to_string(count);
        TreeWatch watch;
        window.Command(CMD_REFRESH);
        ExpectRowsBound(caseName, paths);
        ASSERT_FALSE(HasFailure());

        // The file the user sees on the last row is named by that row's text, not by its binding.
        int last = RowCount() - 1;
        std::string shown = RowText(last, 0);
        std::string file = InSendTo(shown);
        if (file.size() < 4 || lstrcmpiA(file.c_str() + file.size() - 4, ".lnk") != 0)
            file += ".lnk";
        ASSERT_TRUE(FileExists(file)) << caseName << ": row text " << shown;
        SelectRows(std::vector<int>(1, last));
        {
            ShellRecorder shell;
            window.Command(CMD_PROPERTIES);
            ASSERT_EQ(1u, g_shellCalls.size()) << caseName;
            EXPECT_EQ("properties", g_shellCalls[0].verb);
            EXPECT_EQ(0, lstrcmpiA(file.c_str(), g_shellCalls[0].file.c_str())) << caseName << ": " << g_shellCalls[0].file;
        }
        DeleteSelection(window);
        watch.Recycled(file);
        EXPECT_EQ(count - 1, RowCount()) << caseName;
        for (int row = 0; row < RowCount(); ++row)
            EXPECT_NE(file, RowLinkPath(row)) << caseName << ": the deleted file still has row " << row;
        watch.Check(caseName, window.Handle());
    }

    std::string m_sendTo;
    std::string m_startup;
};

}  // namespace

// Real samples and hundreds of damaged copies: one row each, each row bound, and the shell's view
// of them (explore, properties) asked of every row without harm.
TEST_F(StressTest, DamagedShortcuts)
{
    std::vector<NamedBytes> samples = Samples();
    ASSERT_GE(samples.size(), 29u);
    std::vector<std::string> files;
    for (size_t i = 0; i < samples.size(); ++i)
        files.push_back(samples[i].bytes);
    files.push_back("");
    files.push_back("L");
    files.push_back(std::string(1, '\0'));
    Lcg random(20240611);
    for (int i = 0; i < 330; ++i) {
        std::string bytes = samples[i % samples.size()].bytes;
        switch (i % 5) {
        case 0:  // cut anywhere
            bytes.resize(random.Next(static_cast<unsigned>(bytes.size())));
            break;
        case 1:  // cut inside or just past the 76-byte header
            bytes.resize(std::min<size_t>(bytes.size(), 60 + random.Next(40)));
            break;
        case 2:  // a few bytes flipped anywhere
            for (int n = 1 + static_cast<int>(random.Next(8)); n > 0; --n)
                bytes[random.Next(static_cast<unsigned>(bytes.size()))] ^= static_cast<char>(1 + random.Next(255));
            break;
        case 3:  // the header's times, size, icon index, show command and hot key scrambled
            // The flags and the ID list's size stay: scrambled, they made Wine spend up to a minute
            // and a half parsing a single file, which says nothing about this program.
            for (int n = 0; n < 6; ++n) {
                size_t at = 0x1C + random.Next(0x4C - 0x1C);
                if (at < bytes.size())
                    bytes[at] ^= static_cast<char>(0xFF);
            }
            break;
        default:  // flipped, then cut
            bytes[random.Next(static_cast<unsigned>(bytes.size()))] ^= 0x80;
            bytes.resize(bytes.size() / 2 + random.Next(static_cast<unsigned>(bytes.size() / 2)));
            break;
        }
        files.push_back(bytes);
    }

    MainWindow window;
    const size_t kBatch = 60;
    for (size_t first = 0; first < files.size(); first += kBatch) {
        ClearTree(m_sendTo);
        std::vector<std::string> paths;
        for (size_t i = first; i < files.size() && i < first + kBatch; ++i) {
            char name[32];
            wsprintfA(name, "d%03u.lnk", static_cast<unsigned>(i));
            paths.push_back(InSendTo(name));
            ASSERT_TRUE(WriteBytes(paths.back(), files[i].data(), files[i].size()));
        }
        std::string caseName = "damaged shortcuts from " + std::to_string(first);
        TreeWatch watch;
        window.Command(CMD_REFRESH);
        ExpectRowsBound(caseName, paths);
        std::vector<int> all;
        for (int row = 0; row < RowCount(); ++row)
            all.push_back(row);
        SelectRows(all);
        {
            ShellRecorder shell;
            window.Command(CMD_EXPLORE_TARGET);
            window.Command(CMD_PROPERTIES);
            EXPECT_LE(static_cast<int>(g_shellCalls.size()), 2 * RowCount()) << caseName;
        }
        watch.Check(caseName, window.Handle());
    }
}

// A folder named like a shortcut, and read-only, hidden and system shortcuts: all listed. Deleting
// the read-only one is the shell's call; the row must tell the truth about the file either way.
TEST_F(StressTest, OddEntries)
{
    std::string bytes = SmallLink();
    std::string folder = InSendTo("x.lnk");
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), 0));
    struct Odd {
        const char* name;
        DWORD attributes;
    } const odd[] = {
        {"plain.lnk", FILE_ATTRIBUTE_NORMAL},
        {"readonly.lnk", FILE_ATTRIBUTE_READONLY},
        {"hidden.lnk", FILE_ATTRIBUTE_HIDDEN},
        {"system.lnk", FILE_ATTRIBUTE_SYSTEM},
        {"all.lnk", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM},
    };
    std::vector<std::string> paths(1, folder);
    for (size_t i = 0; i < sizeof(odd) / sizeof(odd[0]); ++i) {
        paths.push_back(InSendTo(odd[i].name));
        ASSERT_TRUE(WriteBytes(paths.back(), bytes.data(), bytes.size())) << odd[i].name;
        SetFileAttributesA(paths.back().c_str(), odd[i].attributes);
    }

    TreeWatch watch;
    MainWindow window;
    ExpectRowsBound("odd entries", paths);
    std::string readOnly = InSendTo("readonly.lnk");
    int row = -1;
    for (int r = 0; r < RowCount(); ++r) {
        if (RowLinkPath(r) == readOnly)
            row = r;
    }
    ASSERT_GE(row, 0);
    SelectRows(std::vector<int>(1, row));
    DeleteSelection(window);
    watch.MayBeRecycled(readOnly);
    bool rowStays = false;
    for (int r = 0; r < RowCount(); ++r)
        rowStays = rowStays || RowLinkPath(r) == readOnly;
    EXPECT_EQ(FileExists(readOnly), rowStays) << "the row must stay exactly when the file does";
    std::printf("[ odd      ] the shell %s the read-only shortcut\n", FileExists(readOnly) ? "kept" : "recycled");
    watch.Check("odd entries", window.Handle());
}

// Paths at 259 bytes are listed and those past it left out; double-byte names whose trail byte is
// 0x5C, in the folder part and the name part, survive refresh, drop and explore.
TEST_F(StressTest, TrickyNames)
{
    std::string bytes = SmallLink();
    int room = MAX_PATH - 1 - static_cast<int>(m_sendTo.size()) - 1;  // bytes for name and extension
    ASSERT_GT(room, 10);
    std::string fits = InSendTo(std::string(room - 4, 'a') + ".lnk");
    ASSERT_EQ(static_cast<size_t>(MAX_PATH - 1), fits.size());
    ASSERT_TRUE(WriteBytes(fits, bytes.data(), bytes.size()));
    for (int extra = 1; extra <= 11; extra += 10) {
        std::wstring tooLong = LongForm(InSendTo(std::string(room - 4 + extra, 'b') + ".lnk"));
        HANDLE file = CreateFileW(tooLong.c_str(), GENERIC_WRITE, 0, 0, CREATE_ALWAYS, 0, 0);
        ASSERT_NE(INVALID_HANDLE_VALUE, file) << "a name " << extra << " past the limit";
        DWORD written = 0;
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, 0);
        CloseHandle(file);
    }
    // 表 ソ 予 能: each one's trail byte is the backslash's.
    const std::string hyo = "\x95\x5c", so = "\x83\x5c", yo = "\x97\x5c", nou = "\x94\x5c";
    std::string listed = InSendTo(hyo + so + ".lnk");
    ASSERT_TRUE(WriteBytes(listed, bytes.data(), bytes.size()));
    std::string folder = Scratch(hyo + so, true);
    std::string file = Scratch(hyo + so + "\\" + yo + nou + ".txt");
    std::string subfolder = Scratch(hyo + so + "\\" + nou, true);
    std::string stemFits(MAX_PATH - 1 - m_sendTo.size() - 1 - 4, 'c');
    std::string dropFits = Scratch(stemFits + ".txt");
    std::string dropTooLong = Scratch(stemFits + "d.txt");

    MainWindow window;
    std::vector<std::string> paths;
    paths.push_back(fits);
    paths.push_back(listed);
    ExpectRowsBound("tricky names: refresh", paths);

    TreeWatch watch;
    std::vector<std::string> drop;
    drop.push_back(file);
    drop.push_back(subfolder);
    drop.push_back(dropFits);
    drop.push_back(dropTooLong);
    DropFiles(window.Handle(), drop);
    std::string fileLink = InSendTo(yo + nou + ".lnk"), folderLink = InSendTo(nou + ".lnk");
    watch.Added(fileLink).Added(folderLink).Added(InSendTo(stemFits + ".lnk"));
    paths.push_back(fileLink);
    paths.push_back(folderLink);
    paths.push_back(InSendTo(stemFits + ".lnk"));
    ExpectRowsBound("tricky names: drop", paths);

    // The file's holding folder is cut at the real backslash; the folder target goes whole.
    struct {
        std::string link;
        std::string opened;
    } const explore[] = {{fileLink, folder}, {folderLink, subfolder}};
    for (size_t i = 0; i < 2; ++i) {
        int row = -1;
        for (int r = 0; r < RowCount(); ++r) {
            if (RowLinkPath(r) == explore[i].link)
                row = r;
        }
        ASSERT_GE(row, 0) << Utf8(Widen(explore[i].link));
        SelectRows(std::vector<int>(1, row));
        ShellRecorder shell;
        window.Command(CMD_EXPLORE_TARGET);
        ASSERT_EQ(1u, g_shellCalls.size());
        EXPECT_EQ("explore", g_shellCalls[0].verb);
        EXPECT_EQ(Utf8(Widen(explore[i].opened)), Utf8(Widen(g_shellCalls[0].file)));
    }
    watch.Check("tricky names", window.Handle());
}

TEST_F(StressTest, ThreeHundredShortcuts)
{
    CheckManyRows(300);
}

TEST_F(StressTest, FiveThousandShortcuts)
{
    CheckManyRows(5000);
}

// Send To taken away under the window: refresh, drop, open folder, properties and delete make
// nothing and break nothing. The shell may make the folder again when asked where it is.
TEST_F(StressTest, MissingFolder)
{
    WriteCopies("gone", 3);
    std::string item = Scratch("item.txt");
    MainWindow window;
    ASSERT_EQ(3, RowCount());
    ClearTree(m_sendTo);
    ASSERT_TRUE(RemoveDirectoryA(m_sendTo.c_str()));

    TreeWatch watch;
    watch.MayReappearEmpty(m_sendTo);
    ShellRecorder shell;
    window.Command(CMD_REFRESH);
    DropFiles(window.Handle(), std::vector<std::string>(1, item));
    window.Command(CMD_OPEN_FOLDER);
    std::vector<int> all;
    for (int row = 0; row < RowCount(); ++row)
        all.push_back(row);
    SelectRows(all);
    window.Command(CMD_PROPERTIES);
    window.Command(CMD_EXPLORE_TARGET);
    DeleteSelection(window);
    window.Command(CMD_REFRESH);
    for (size_t i = 0; i < g_shellCalls.size(); ++i)
        std::printf("[ missing  ] shell asked to %s \"%s\"\n", g_shellCalls[i].verb.c_str(), g_shellCalls[i].file.c_str());
    std::vector<std::string> back = watch.Check("missing folder", window.Handle());
    std::printf("[ missing  ] Send To %s; %d rows on show\n",
                back.empty() ? "stayed away" : "was made again, empty", RowCount());
}

// 500 items in one drop become 500 shortcuts, each to its own item; a mixed drop makes shortcuts
// of exactly its good items and leaves the shortcuts it names untouched.
TEST_F(StressTest, BigDrops)
{
    MainWindow window;
    Scratch("big", true);
    std::vector<std::string> items, links;
    for (int i = 0; i < 500; ++i) {
        char name[32];
        wsprintfA(name, "big\\b%03d.txt", i);
        items.push_back(Scratch(name));
        links.push_back(InSendTo(BaseName(items.back()).substr(0, 4) + ".lnk"));
    }
    {
        TreeWatch watch;
        DropFiles(window.Handle(), items);
        for (size_t i = 0; i < links.size(); ++i)
            watch.Added(links[i]);
        ExpectRowsBound("drop of 500", links);
        int wrong = 0;
        for (int row = 0; row < RowCount(); ++row) {
            std::string stem = BaseName(RowLinkPath(row));
            std::string expected = std::string(kScratch) + "\\big\\" + stem.substr(0, stem.size() - 4) + ".txt";
            if (lstrcmpiA(expected.c_str(), RowText(row, 1).c_str()) != 0 && ++wrong <= 3)
                ADD_FAILURE() << "row " << row << " " << stem << " leads to " << RowText(row, 1);
        }
        EXPECT_EQ(0, wrong);
        watch.Check("drop of 500", window.Handle());
    }

    ClearTree(m_sendTo);
    Scratch("mix", true);
    std::string own = InSendTo("own.lnk"), doubled = InSendTo("twice.lnk.lnk");
    std::string bytes = SmallLink();
    ASSERT_TRUE(WriteBytes(own, bytes.data(), bytes.size()));
    ASSERT_TRUE(WriteBytes(doubled, bytes.data(), bytes.size()));
    std::string upperOwn = own;
    CharUpperA(&upperOwn[0]);
    std::string longName(MAX_PATH - m_sendTo.size(), 'e');
    struct Dropped {
        std::string path;
        const char* link;  // the shortcut it must make, or null
    } const mix[] = {
        {Scratch("mix\\good.txt"), "good.lnk"},
        {Scratch("mix\\report.final.doc"), "report.final.lnk"},
        {Scratch("mix\\folder", true), "folder.lnk"},
        {Scratch("mix\\" + longName + ".txt"), 0},                  // the link path would pass 259 bytes
        {std::string(kScratch) + "\\" + std::string(300, 'f'), 0},  // the dropped path itself does
        {own, 0},                                                   // a shortcut onto itself
        {upperOwn, 0},                                              // the same, in other case
        {doubled, 0},                                               // its stem names itself too
        {"relative.txt", 0},                                        // no folder part at all
    };
    std::vector<std::string> drop;
    TreeWatch watch;
    std::vector<std::string> expectedRows;
    expectedRows.push_back(own);
    expectedRows.push_back(doubled);
    for (size_t i = 0; i < sizeof(mix) / sizeof(mix[0]); ++i) {
        drop.push_back(mix[i].path);
        if (mix[i].link) {
            watch.Added(InSendTo(mix[i].link));
            expectedRows.push_back(InSendTo(mix[i].link));
        }
    }
    DropFiles(window.Handle(), drop);
    ExpectRowsBound("mixed drop", expectedRows);
    watch.Check("mixed drop", window.Handle());
}

namespace {

typedef DWORD_PTR(WINAPI* GetFileInfoFunction)(LPCSTR, DWORD, SHFILEINFOA*, UINT, UINT);
typedef BOOL(WINAPI* DestroyIconFunction)(HICON);
typedef HANDLE(WINAPI* FindFirstFunction)(LPCSTR, LPWIN32_FIND_DATAA);
typedef BOOL(WINAPI* FindCloseFunction)(HANDLE);
GetFileInfoFunction g_getFileInfo = 0;
DestroyIconFunction g_destroyIcon = 0;
FindFirstFunction g_findFirst = 0;
FindCloseFunction g_findClose = 0;
long g_iconsHanded = 0, g_iconsDestroyed = 0;
std::set<HANDLE> g_openSearches;  // the folder searches the program opened and has not closed
long g_searchesOpened = 0;

DWORD_PTR WINAPI CountingGetFileInfo(LPCSTR path, DWORD attributes, SHFILEINFOA* info, UINT size, UINT flags)
{
    DWORD_PTR result = g_getFileInfo(path, attributes, info, size, flags);
    if ((flags & SHGFI_ICON) && info && info->hIcon)
        ++g_iconsHanded;
    return result;
}

BOOL WINAPI CountingDestroyIcon(HICON icon)
{
    ++g_iconsDestroyed;
    return g_destroyIcon(icon);
}

HANDLE WINAPI CountingFindFirst(LPCSTR pattern, LPWIN32_FIND_DATAA found)
{
    HANDLE search = g_findFirst(pattern, found);
    if (search != INVALID_HANDLE_VALUE) {
        ++g_searchesOpened;
        g_openSearches.insert(search);
    }
    return search;
}

// The tree walk's own wide searches close through the same import: only the program's count.
BOOL WINAPI CountingFindClose(HANDLE search)
{
    g_openSearches.erase(search);
    return g_findClose(search);
}

// How many more GDI objects this process can make before the table is full: a leak of GDI
// objects shows as lost room. The regions are all deleted again before this returns.
int GdiRoom()
{
    std::vector<HRGN> regions;
    regions.reserve(70000);
    while (regions.size() < 70000) {
        HRGN region = CreateRectRgn(0, 0, 1, 1);
        if (!region)
            break;
        regions.push_back(region);
    }
    for (size_t i = 0; i < regions.size(); ++i)
        DeleteObject(regions[i]);
    return static_cast<int>(regions.size());
}

SIZE_T PrivateBytes()
{
    PROCESS_MEMORY_COUNTERS counters;
    ZeroMemory(&counters, sizeof(counters));
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    return counters.PagefileUsage;
}

}  // namespace

// 2,000 refreshes and 500 tab clicks: icons, searches, GDI room and memory come back level, and
// every row still shows its own icon.
TEST_F(StressTest, Soak)
{
    // A small folder keeps 2,000 refreshes affordable; local targets keep each one quick.
    const char* const sendToSamples[] = {"01-format-doc-example-local-file.lnk", "06-ansi-stringdata-desc-args.lnk"};
    std::vector<std::string> sendTo, startup;
    for (size_t i = 0; i < sizeof(sendToSamples) / sizeof(sendToSamples[0]); ++i) {
        sendTo.push_back(InSendTo(sendToSamples[i]));
        ASSERT_TRUE(CopyFileA(TestDataPath(std::string("lnk/") + sendToSamples[i]).c_str(), sendTo.back().c_str(), FALSE));
    }
    startup.push_back(m_startup + "\\25-local-desc-quoted-args-space.lnk");
    ASSERT_TRUE(CopyFileA(TestDataPath("lnk/25-local-desc-quoted-args-space.lnk").c_str(), startup.back().c_str(), FALSE));

    MainWindow window;
    ScopedImportPatch infoPatch("shell32", "SHGetFileInfoA", reinterpret_cast<void*>(CountingGetFileInfo));
    ScopedImportPatch destroyPatch("user32", "DestroyIcon", reinterpret_cast<void*>(CountingDestroyIcon));
    ScopedImportPatch findPatch("kernel32", "FindFirstFileA", reinterpret_cast<void*>(CountingFindFirst));
    ScopedImportPatch closePatch("kernel32", "FindClose", reinterpret_cast<void*>(CountingFindClose));
    g_getFileInfo = reinterpret_cast<GetFileInfoFunction>(infoPatch.Original());
    g_destroyIcon = reinterpret_cast<DestroyIconFunction>(destroyPatch.Original());
    g_findFirst = reinterpret_cast<FindFirstFunction>(findPatch.Original());
    g_findClose = reinterpret_cast<FindCloseFunction>(closePatch.Original());
    ASSERT_TRUE(g_getFileInfo && g_destroyIcon && g_findFirst && g_findClose);

    TreeWatch watch;
    const int kRefreshes = 2000, kWarmUp = 200, kTabClicks = 500;
    SIZE_T memoryAtWarmUp = 0;
    int gdiAtWarmUp = 0;
    for (int i = 1; i <= kRefreshes; ++i) {
        window.Command(CMD_REFRESH);
        if (i == kWarmUp) {
            // Room first: filling the GDI table grows the heap once, and that must not count as growth.
            gdiAtWarmUp = GdiRoom();
            memoryAtWarmUp = PrivateBytes();
        }
    }
    SIZE_T memoryAtEnd = PrivateBytes();
    int gdiAtEnd = GdiRoom();
    ExpectRowsBound("soak: refreshes", sendTo);
    for (int i = 0; i < kTabClicks; ++i)
        window.ClickTab((i + 1) % 2);
    ExpectRowsBound("soak: tab clicks", sendTo);
    window.ClickTab(1);
    ExpectRowsBound("soak: Startup", startup);
    int gdiAfterTabs = GdiRoom();

    EXPECT_GT(g_iconsHanded, kRefreshes * static_cast<long>(sendTo.size()));
    EXPECT_EQ(g_iconsHanded, g_iconsDestroyed) << "icons the shell handed out and the program never destroyed";
    EXPECT_GT(g_searchesOpened, kRefreshes);
    EXPECT_EQ(0u, g_openSearches.size()) << "folder searches left open";
    EXPECT_GT(gdiAtWarmUp, 1000) << "no room for GDI objects even early on";
    EXPECT_LT(gdiAtWarmUp - gdiAtEnd, 100) << "GDI objects piled up over the refreshes";
    EXPECT_LT(gdiAtWarmUp - gdiAfterTabs, 100) << "GDI objects piled up over the tab clicks";
    // Generous: a leak of one shortcut object per row and refresh would pass this many times over.
    const SIZE_T kSlack = 8 * 1024 * 1024;
    EXPECT_LT(memoryAtEnd, memoryAtWarmUp + kSlack) << "private bytes grew from " << memoryAtWarmUp << " to " << memoryAtEnd;
    std::printf("[ soak     ] icons %ld/%ld, searches %ld (%u open), GDI room %d -> %d -> %d, private bytes %lu -> %lu\n",
                g_iconsHanded, g_iconsDestroyed, g_searchesOpened, static_cast<unsigned>(g_openSearches.size()), gdiAtWarmUp, gdiAtEnd, gdiAfterTabs,
                static_cast<unsigned long>(memoryAtWarmUp), static_cast<unsigned long>(memoryAtEnd));
    watch.Check("soak", window.Handle());
}

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    int result = RUN_ALL_TESTS();
    std::printf("stress: %d cases ran, %lld files checked\n", g_casesRun, g_filesChecked);
    std::fflush(stdout);
    return result;
}
