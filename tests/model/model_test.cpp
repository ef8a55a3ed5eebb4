// The model without a window: the containers' ownership across reallocation and growth, and
// shortcut items over damaged, over-long and pathless files.
#include "model/link_name.h"
#include "model/shell_file_operation.h"
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
    ImportPatch moving(
        __imp_HeapReAlloc, +[](HANDLE heap, DWORD flags, LPVOID block, SIZE_T size) {
            void* moved = HeapAlloc(heap, flags, size);
            CopyMemory(moved, block, HeapSize(heap, 0, block));
            FillMemory(block, HeapSize(heap, 0, block), '#');
            HeapFree(heap, 0, block);
            return moved;
        });
    HeapString text(L"abc");
    text.Append(text.GetBuffer()).Append(text.GetBuffer() + 4);
    EXPECT_STREQ(L"abcabcbc", text.GetBuffer());
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

// Enter on an unchanged name renames nothing, whatever the case of its ".LNK" (Wine hands over no
// text then). A wildcard, which the shell would take for every file it matches, is refused.
TEST_F(ShellFolderTest, RenamesAndDeletesReachOnlyTheFileNamed)
{
    wchar_t newPath[MAX_PATH];
    EXPECT_EQ(kNameUnchanged, JudgeNewLinkName(L"C:\\qd\\One.LNK", L"One", newPath));
    EXPECT_EQ(kNameAccepted, JudgeNewLinkName(L"C:\\qd\\One.LNK", L"one", newPath));
    EXPECT_STREQ(L"C:\\qd\\one.LNK", newPath);
    MakeLink(kScratchFolder, L"a.lnk", ScratchFile(L"a.txt"));
    EXPECT_FALSE(RunShellFileOperation(0, FO_DELETE, L"C:\\qdtest\\*.lnk", 0, FOF_NOCONFIRMATION | FOF_SILENT));
    EXPECT_EQ(Names({L"a.lnk"}), LinkNames(kScratchFolder));
}

// Each loads as nothing, and a target buffer handed in stale comes back empty.
TEST_F(ShellFolderTest, DamagedShortcutsLoadAsNothing)
{
    const std::string sample = ReadBytes(TestDataPath(L"lnk\\06-ansi-stringdata-desc-args.lnk"));
    const struct {
        const wchar_t* name;
        std::string bytes;
    } rows[] = {
        {L"empty.lnk", ""},
        {L"header.lnk", sample.substr(0, 76)},
        {L"cut.lnk", sample.substr(0, 120)},
        {L"text.lnk", "not a shell link at all"},
        {L"clsid.lnk", sample.substr(0, 4) + std::string(72, '\xff')},
    };
    for (const auto& row : rows) {
        Text path = kScratchFolder + L"\\" + row.name;
        ASSERT_TRUE(WriteBytes(path, row.bytes)) << Ansi(path);
        ShortcutItem item;
        wchar_t target[MAX_PATH] = L"stale";
        EXPECT_FALSE(item.Load(path.c_str())) << Ansi(path);
        EXPECT_FALSE(item.GetTargetPath(target, MAX_PATH)) << Ansi(path);
        EXPECT_STREQ(L"", target) << Ansi(path);
    }
}

// Wine answers an installer-advertised link's GetPath with S_FALSE and leaves the buffer as it
// was: read right after a link with a path, it must still read as no target.
TEST_F(ShellFolderTest, ALinkWithoutAPathReadsNoTargetAfterOneWithAPath)
{
    ShortcutItem withPath, without;
    ASSERT_TRUE(AddSample(kScratchFolder, L"01-format-doc-example-local-file.lnk", L"a.lnk"));
    ASSERT_TRUE(AddSample(kScratchFolder, L"08-msi-advertised-darwin.lnk", L"b.lnk"));
    ASSERT_TRUE(withPath.Load(L"C:\\qdtest\\a.lnk"));
    // The stack below here holds text, as a buffer the link leaves untouched would.
    [] {
        volatile wchar_t text[8 * MAX_PATH];
        for (volatile wchar_t& c : text)
            c = L'x';
    }();
    without.Load(L"C:\\qdtest\\b.lnk");
    wchar_t target[MAX_PATH] = L"stale";
    without.GetTargetPath(target, MAX_PATH);
    EXPECT_STREQ(L"", target);
}
