// The model without a window: double-byte path scans, the containers' ownership, shortcut items
// over real and damaged files, and the naming rule for dropped items.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "commands/drop_shortcuts.h"
#include "model/heap_string.h"
#include "model/object_array.h"
#include "model/path_text.h"
#include "model/shortcut_item.h"
#include "model/shortcut_list.h"
#include "support/support.h"

// 表 (95 5C) and ソ (83 5C) end in the byte of a backslash.
TEST(PathText, ScansStepOverTrailBytesThatLookLikeBackslashes)
{
    const struct { const char* text; int backslash, period; } rows[] = {
        {"C:\\\x95\x5c\\a.b", 5, 7}, {"C:\\\x83\x5c.txt", 2, 5}, {"a.b\\c", 3, 1}, {"\x95\x5c", -1, -1}, {"", -1, -1},
    };
    for (const auto& row : rows) {
        const char* backslash = FindLastBackslash(row.text);
        const char* period = FindLastPeriod(row.text);
        EXPECT_EQ(row.backslash, backslash ? backslash - row.text : -1) << row.text;
        EXPECT_EQ(row.period, period ? period - row.text : -1) << row.text;
    }
}

namespace {

// Every growth moves the block and spoils the old one, as a busy heap may.
LPVOID WINAPI MovingReAlloc(HANDLE heap, DWORD flags, LPVOID block, SIZE_T size)
{
    void* moved = HeapAlloc(heap, flags, size);
    CopyMemory(moved, block, HeapSize(heap, 0, block));
    FillMemory(block, HeapSize(heap, 0, block), '#');
    HeapFree(heap, 0, block);
    return moved;
}

}  // namespace

TEST(HeapString, TakesItsOwnTextAcrossReallocation)
{
    ImportPatch moving("kernel32", "HeapReAlloc", reinterpret_cast<void*>(MovingReAlloc));
    HeapString text("abc");
    text.Append(text.GetBuffer()).Append(text.GetBuffer() + 4);
    EXPECT_STREQ("abcabcbc", text.GetBuffer());
    text.Assign(text.GetBuffer() + 5);
    EXPECT_STREQ("cbc", text.GetBuffer());
}

namespace {

struct Counted : Cloneable {
    static int live;
    int tag;
    explicit Counted(int t) : tag(t) { ++live; }
    ~Counted() { --live; }
    Cloneable* Clone() const { return new Counted(tag); }
};
int Counted::live = 0;

}  // namespace

TEST(ObjectArray, GrowingKeepsEveryElementAndRemoveAllDeletesEachOnce)
{
    ObjectArray array(256);
    for (int i = 0; i < 257; ++i)
        array.Add(Counted(i));
    ASSERT_EQ(257, array.GetCount());
    for (int i : {0, 255, 256})
        EXPECT_EQ(i, static_cast<Counted*>(array.GetAt(i))->tag);
    EXPECT_EQ(0, array.GetAt(257));
    EXPECT_EQ(257, Counted::live);
    array.RemoveAll();
    EXPECT_EQ(0, Counted::live);
}

// Every real sample reads as Wine's own shell-link object reported it; buffers start dirty, as
// the previous row leaves them, because the link answers some files without touching them.
TEST(ShortcutItem, ReadsRealSamplesAndClearsWhatTheLinkLeavesUntouched)
{
    CoInitialize(0);
    std::ifstream probe(TestDataPath("lnk/wine_probe_output.LC_ALL-ja_JP.tsv").c_str());
    std::string line;
    int rows = 0;
    while (std::getline(probe, line)) {
        std::vector<std::string> cell;
        std::istringstream fields(line);
        for (std::string field; std::getline(fields, field, '\t');)
            cell.push_back(field);
        if (cell.size() < 6 || cell[0].find(".lnk") == std::string::npos)
            continue;
        ShortcutItem item;
        EXPECT_EQ(cell[1] == "0x00000000", item.Load(TestDataPath("lnk/" + cell[0]).c_str())) << cell[0];
        char target[MAX_PATH] = "stale", description[MAX_PATH] = "stale";
        item.GetTargetPath(target, sizeof(target));
        item.GetDescription(description, sizeof(description));
        EXPECT_EQ(cell[2] == "0x00000000" ? Ansi(cell[3].c_str()) : "", target) << cell[0];
        EXPECT_EQ(cell[4] == "0x00000000" ? Ansi(cell[5].c_str()) : "", description) << cell[0];
        ++rows;
    }
    EXPECT_EQ(29, rows);
    CoUninitialize();
}

TEST_F(ShellFolderTest, DamagedOrOverlongShortcutsLoadAsNothing)
{
    std::string sample = ReadFileBytes(TestDataPath("lnk/06-ansi-stringdata-desc-args.lnk"));
    // 263 bytes but 143 UTF-16 units, in a folder that fits: only the byte count can refuse it.
    std::string longDir = kScratchFolder + std::string("\\");
    for (int i = 0; i < 120; ++i)
        longDir += Ansi("\xe8\xa1\xa8");  // 表, two bytes in code page 932
    CreateDirectoryW(Wide(longDir).c_str(), 0);
    ASSERT_TRUE(AddSample(longDir, "06-ansi-stringdata-desc-args.lnk", "abcdefgh.lnk"));
    const struct { const char* name; std::string bytes; } rows[] = {
        {"empty.lnk", ""}, {"header.lnk", sample.substr(0, 76)}, {"cut.lnk", sample.substr(0, 120)},
        {"text.lnk", "not a shell link at all"}, {"clsid.lnk", sample.substr(0, 4) + std::string(72, '\xff')},
    };
    for (const auto& row : rows) {
        std::string path = std::string(kScratchFolder) + "\\" + row.name;
        ASSERT_TRUE(WriteBytes(path, row.bytes));
        ShortcutItem item;
        EXPECT_FALSE(item.Load(path.c_str())) << row.name;
        char target[MAX_PATH] = "stale";
        EXPECT_FALSE(item.GetTargetPath(target, sizeof(target)));
        EXPECT_STREQ("", target) << row.name;
    }
    ShortcutItem overlong;
    EXPECT_FALSE(overlong.Load((longDir + "\\abcdefgh.lnk").c_str()));
}

TEST(DropNaming, NameWithoutItsLastExtensionInTheFolderOnShow)
{
    const std::string huge(300, 'n');
    const struct { const char* folder; std::string dropped, link; } rows[] = {
        {"C:\\F", "C:\\Tools\\editor.exe", "C:\\F\\editor.lnk"},
        {"C:\\F", "C:\\Docs\\report.final.doc", "C:\\F\\report.final.lnk"},
        {"C:\\F", "C:\\Data", "C:\\F\\Data.lnk"},
        {"C:\\F", "C:\\Home\\.profile", "C:\\F\\.lnk"},
        {"C:\\F", "C:\\Old.dir\\notes", "C:\\F\\notes.lnk"},
        {"C:\\F", "C:\\\x95\x5c\\\x83\x5c.txt", "C:\\F\\\x83\x5c.lnk"},
        {"C:\\F", "no-backslash.txt", ""},
        {"C:\\F", "C:\\F\\a.lnk", ""},  // a shortcut dropped on its own folder
        {"C:\\F", "C:\\" + huge, ""},
        {"", "C:\\Tools\\editor.exe", ""},
    };
    for (const auto& row : rows) {
        HeapString link;
        bool made = MakeDropLinkPath(HeapString(row.folder), row.dropped.c_str(), link);
        EXPECT_EQ(!row.link.empty(), made) << row.dropped;
        if (made)
            EXPECT_STREQ(row.link.c_str(), link.GetBuffer()) << row.dropped;
    }
}
