// The model without a window: the containers' ownership across reallocation and growth, and
// shortcut items over damaged, over-long and pathless files.
#include "support/support.h"

namespace {

struct Counted : Cloneable {
    inline static int live = 0;
    int tag;
    explicit Counted(int t) : tag(t) { ++live; }
    ~Counted() { --live; }
    Cloneable* Clone() const { return new Counted(tag); }
};

}  // namespace

TEST(HeapString, TakesItsOwnTextAcrossReallocation)
{
    // Every growth moves the block and spoils the old one, as a busy heap may.
    ImportPatch moving(__imp_HeapReAlloc, +[](HANDLE heap, DWORD flags, LPVOID block, SIZE_T size) {
        void* moved = HeapAlloc(heap, flags, size);
        CopyMemory(moved, block, HeapSize(heap, 0, block));
        FillMemory(block, HeapSize(heap, 0, block), '#');
        HeapFree(heap, 0, block);
        return moved;
    });
    HeapString text("abc");
    text.Append(text.GetBuffer()).Append(text.GetBuffer() + 4);
    EXPECT_STREQ("abcabcbc", text.GetBuffer());
}

TEST(ObjectArray, GrowingKeepsEveryElementAndRemoveAllDeletesEachOnce)
{
    ObjectArray array(256);
    for (int i = 0; i < 257; ++i)
        array.Add(Counted(i));
    ASSERT_EQ(257, array.GetCount());
    for (int i : {0, 255, 256})
        EXPECT_EQ(i, static_cast<Counted*>(array.GetAt(i))->tag);
    EXPECT_EQ(257, Counted::live);
    array.RemoveAll();
    EXPECT_EQ(0, Counted::live);
}

// Each loads as nothing, and a target buffer handed in stale comes back empty. The last is 263
// bytes but 143 UTF-16 units long, in a folder that fits: only the byte count can refuse it.
TEST_F(ShellFolderTest, DamagedOrOverlongShortcutsLoadAsNothing)
{
    std::ifstream file(TestDataPath("lnk\\06-ansi-stringdata-desc-args.lnk"), std::ios::binary);
    const std::string sample((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    const std::string longFolder = Ansi(std::wstring(120, L'表'));  // 240 bytes in code page 932
    ScratchFolder(longFolder);
    const struct { std::string name, bytes; } rows[] = {
        {"empty.lnk", ""}, {"header.lnk", sample.substr(0, 76)}, {"cut.lnk", sample.substr(0, 120)},
        {"text.lnk", "not a shell link at all"}, {"clsid.lnk", sample.substr(0, 4) + std::string(72, '\xff')},
        {longFolder + "\\abcdefgh.lnk", sample},
    };
    for (const auto& row : rows) {
        std::string path = std::string(kScratchFolder) + "\\" + row.name;
        ASSERT_TRUE(WriteBytes(path, row.bytes)) << path;
        ShortcutItem item;
        char target[MAX_PATH] = "stale";
        EXPECT_FALSE(item.Load(path.c_str())) << path;
        EXPECT_FALSE(item.GetTargetPath(target, sizeof(target))) << path;
        EXPECT_STREQ("", target) << path;
    }
}

// Wine answers an installer-advertised link's GetPath with S_FALSE and leaves the buffer as it
// was: read right after a link with a path, it must still read as no target.
TEST_F(ShellFolderTest, ALinkWithoutAPathReadsNoTargetAfterOneWithAPath)
{
    ShortcutItem withPath, without;
    ASSERT_TRUE(AddSample(kScratchFolder, "01-format-doc-example-local-file.lnk", "a.lnk"));
    ASSERT_TRUE(AddSample(kScratchFolder, "08-msi-advertised-darwin.lnk", "b.lnk"));
    withPath.Load("C:\\qdtest\\a.lnk");
    without.Load("C:\\qdtest\\b.lnk");
    char target[MAX_PATH] = "stale";
    without.GetTargetPath(target, sizeof(target));
    EXPECT_STREQ("", target);
}
