// The model without a window: the containers' ownership across reallocation and growth, the shell's
// file operation, and a shortcut item over a pathless file and over an unchanged one.
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

// No name holds a wildcard, but should one come, the shell's file operation would take it for
// every file it matches: it is refused.
TEST_F(ShellFolderTest, TheShellsFileOperationRefusesAWildcard)
{
    MakeLink(kScratchFolder, L"a.lnk", ScratchFile(L"a.txt"));
    EXPECT_FALSE(RunShellFileOperation(0, FO_DELETE, L"C:\\qdtest\\*.lnk", 0, FOF_NOCONFIRMATION | FOF_SILENT));
    EXPECT_EQ(Names({L"a.lnk"}), LinkNames(kScratchFolder));
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

// An entry unchanged since the last listing takes what was read of it there, its publisher too.
TEST_F(ShellFolderTest, AnUnchangedEntryTakesItsPublisherFromTheLastListing)
{
    MakeLink(kScratchFolder, L"a.lnk", CopyVersioned(kScratchFolder + L"\\app.exe"));
    ShortcutItem listed, again;
    ASSERT_TRUE(listed.Load(L"C:\\qdtest\\a.lnk"));
    ASSERT_TRUE(again.SetFile(kScratchFolder.c_str(), L"a.lnk", FILE_ATTRIBUTE_NORMAL));
    again.TakeDetails(listed);
    EXPECT_STREQ(L"矢筒工房", again.GetPublisher());
}
