// HeapString, ObjectArray and the path scans that must not mistake a Shift JIS trail byte for
// a backslash.
#include <gtest/gtest.h>

#include <windows.h>

#include <climits>
#include <cstring>
#include <new>

#include "model/heap_string.h"
#include "model/object_array.h"
#include "model/path_text.h"

namespace {

// An element that carries a value and counts how often its kind is cloned and destroyed.
class Counted : public Cloneable {
public:
    explicit Counted(int value) : m_value(value) {}
    virtual ~Counted() { ++s_destroyed; }
    virtual Cloneable* Clone() const
    {
        ++s_cloned;
        return new (std::nothrow) Counted(m_value);
    }
    int Value() const { return m_value; }

    static void ResetCounts() { s_cloned = s_destroyed = 0; }
    static int s_cloned;
    static int s_destroyed;

private:
    int m_value;
};

int Counted::s_cloned = 0;
int Counted::s_destroyed = 0;

int ValueAt(const ObjectArray& array, int index)
{
    const Counted* element = static_cast<const Counted*>(array.GetAt(index));
    return element ? element->Value() : -1;
}

void Fill(ObjectArray& array, int count, int firstValue = 0)
{
    for (int i = 0; i < count; ++i)
        array.Add(Counted(firstValue + i));
}

}  // namespace

TEST(HeapString, NewStringIsNullAndAssignedEmptyTextIsNot)
{
    HeapString text;
    EXPECT_EQ(nullptr, text.GetBuffer());
    EXPECT_EQ(0, text.GetLength());

    const char* empties[] = {"", nullptr};
    for (const char* empty : empties) {
        HeapString assigned;
        assigned.Assign(empty);
        ASSERT_NE(nullptr, assigned.GetBuffer()) << (empty ? "\"\"" : "null");
        EXPECT_STREQ("", assigned.GetBuffer());
        EXPECT_EQ(0, assigned.GetLength());
    }

    HeapString cleared("C:\\x");
    cleared.Clear();
    EXPECT_EQ(nullptr, cleared.GetBuffer());
    EXPECT_EQ(0, cleared.GetLength());
}

TEST(HeapString, FolderBackslashAndNameJoinWithSummedByteLengths)
{
    struct Row {
        const char* folder;
        const char* name;
        const char* joined;
    };
    const Row rows[] = {
        {"C:\\Users\\u\\SendTo", "Notepad.lnk", "C:\\Users\\u\\SendTo\\Notepad.lnk"},
        // 表 and ソ end in 0x5C; メモ is two double-byte characters.
        {"C:\\\x95\x5c\\\x83\x5c\x83\x74\x83\x67", "\x83\x81\x83\x82.lnk",
         "C:\\\x95\x5c\\\x83\x5c\x83\x74\x83\x67\\\x83\x81\x83\x82.lnk"},
        {"", "a.lnk", "\\a.lnk"},
    };
    for (const Row& row : rows) {
        HeapString path(row.folder);
        path += "\\";
        path.Append(row.name);
        EXPECT_STREQ(row.joined, path.GetBuffer()) << row.joined;
        EXPECT_EQ(static_cast<int>(std::strlen(row.folder) + 1 + std::strlen(row.name)), path.GetLength())
            << row.joined;
    }

    HeapString fromNothing;  // appending to a string that never held text
    fromNothing.Append("\x95\x5c.txt");
    EXPECT_STREQ("\x95\x5c.txt", fromNothing.GetBuffer());
    EXPECT_EQ(6, fromNothing.GetLength());
}

TEST(HeapString, CopiesOwnTheirTextAndSelfAssignmentChangesNothing)
{
    HeapString original("C:\\\x95\x5c");
    HeapString copy(original);
    HeapString assigned;
    assigned = original;
    original.Append("\\more");
    EXPECT_STREQ("C:\\\x95\x5c", copy.GetBuffer());
    EXPECT_STREQ("C:\\\x95\x5c", assigned.GetBuffer());
    EXPECT_EQ(5, assigned.GetLength());

    const char* before = original.GetBuffer();
    original.Assign(original);
    original = original;
    EXPECT_EQ(before, original.GetBuffer());
    EXPECT_STREQ("C:\\\x95\x5c\\more", original.GetBuffer());
    EXPECT_EQ(10, original.GetLength());
}

TEST(ObjectArray, GrowsInStepsAndKeepsElementsAtTheirIndexes)
{
    ObjectArray array(256);
    EXPECT_EQ(0, array.GetCount());
    EXPECT_EQ(0, array.GetCapacity());
    EXPECT_EQ(nullptr, array.GetAt(0));

    Counted prototype(0);
    Cloneable* stored = array.Add(prototype);
    ASSERT_NE(nullptr, stored);
    EXPECT_NE(&prototype, stored) << "Add must store a clone, not the prototype";
    EXPECT_EQ(256, array.GetCapacity());

    Fill(array, 255, 1);
    EXPECT_EQ(256, array.GetCount());
    EXPECT_EQ(256, array.GetCapacity());
    array.Add(Counted(256));
    EXPECT_EQ(257, array.GetCount());
    EXPECT_EQ(512, array.GetCapacity());
    EXPECT_EQ(stored, array.GetAt(0)) << "growing must move pointers, not elements";
    for (int i = 0; i < array.GetCount(); ++i)
        ASSERT_EQ(i, ValueAt(array, i)) << "index " << i;
}

TEST(ObjectArray, IndexOutOfRangeIsNull)
{
    ObjectArray array(4);
    Fill(array, 3);
    const int indexes[] = {-1, 3, 4, 5, INT_MAX, INT_MIN};
    for (int index : indexes)
        EXPECT_EQ(nullptr, array.GetAt(index)) << "index " << index;
}

TEST(ObjectArray, RemoveAllDeletesEachElementOnceAndTheArrayRefills)
{
    {
        ObjectArray array(256);
        Fill(array, 300);
        Counted::ResetCounts();
        array.RemoveAll();
        EXPECT_EQ(300, Counted::s_destroyed);
        EXPECT_EQ(0, array.GetCount());
        EXPECT_EQ(0, array.GetCapacity());
        EXPECT_EQ(nullptr, array.GetAt(0));
        EXPECT_EQ(256, array.GetGrowBy());

        Fill(array, 2, 40);
        EXPECT_EQ(2, array.GetCount());
        EXPECT_EQ(40, ValueAt(array, 0));
        EXPECT_EQ(41, ValueAt(array, 1));
        Counted::ResetCounts();
    }
    EXPECT_EQ(2, Counted::s_destroyed) << "the destructor deletes what is left";
}

TEST(ObjectArray, AssignCopiesThroughCloneAndTakesTheOthersStep)
{
    ObjectArray source(7);
    Fill(source, 10, 100);
    ObjectArray target(256);
    Fill(target, 3);

    Counted::ResetCounts();
    target.Assign(source);
    EXPECT_EQ(3, Counted::s_destroyed) << "the old elements go";
    EXPECT_EQ(10, Counted::s_cloned);
    EXPECT_EQ(10, target.GetCount());
    EXPECT_EQ(7, target.GetGrowBy());
    EXPECT_EQ(14, target.GetCapacity());
    for (int i = 0; i < 10; ++i) {
        EXPECT_NE(source.GetAt(i), target.GetAt(i)) << "index " << i;
        EXPECT_EQ(100 + i, ValueAt(target, i)) << "index " << i;
    }

    Cloneable* first = target.GetAt(0);
    Counted::ResetCounts();
    target.Assign(target);
    EXPECT_EQ(0, Counted::s_cloned + Counted::s_destroyed);
    EXPECT_EQ(10, target.GetCount());
    EXPECT_EQ(first, target.GetAt(0));
}

TEST(ObjectArray, CloneIsDeepAndKeepsTheGrowthStep)
{
    ObjectArray inner(3);
    Fill(inner, 2, 7);
    ObjectArray outer(5);
    outer.Add(inner);  // arrays hold arrays: the stored one is inner's clone
    outer.Add(Counted(9));

    Cloneable* copy = outer.Clone();
    ASSERT_NE(nullptr, copy);
    ObjectArray* outerCopy = static_cast<ObjectArray*>(copy);
    EXPECT_EQ(5, outerCopy->GetGrowBy());
    ASSERT_EQ(2, outerCopy->GetCount());
    const ObjectArray* innerCopy = static_cast<const ObjectArray*>(outerCopy->GetAt(0));
    EXPECT_NE(outer.GetAt(0), innerCopy);
    EXPECT_EQ(3, innerCopy->GetGrowBy());
    EXPECT_EQ(8, ValueAt(*innerCopy, 1));
    EXPECT_EQ(9, ValueAt(*outerCopy, 1));

    Counted::ResetCounts();
    delete copy;
    EXPECT_EQ(3, Counted::s_destroyed) << "the clone owns its own elements only";
    EXPECT_EQ(7, ValueAt(*static_cast<const ObjectArray*>(outer.GetAt(0)), 0));
}

TEST(PathText, ScansStepOverTrailBytesThatLookLikeSeparators)
{
    ASSERT_EQ(932u, GetACP()) << "these cases need ANSI code page 932: run with LC_ALL=ja_JP.UTF-8";
    struct Row {
        const char* text;
        int backslash;  // offset of the last real '\\', -1 for none
        int period;     // offset of the last real '.', -1 for none
    };
    const Row rows[] = {
        {"C:\\dir\\file.txt", 6, 11},
        {"C:\\dir.d\\file", 8, 6},
        {"C:\\\x95\x5c", 2, -1},                      // 表 ends the folder part
        {"C:\\\x83\x5c\x83\x74\x83\x67\\a.lnk", 9, 11},  // ソフト in the folder part
        {"C:\\a\\\x95\x5c.lnk", 4, 7},                // 表 in the file part
        {"C:\\a\\\x83\x5c\x94\x5c", 4, -1},           // ソ能: nothing after the folder
        {"\x83\x5c", -1, -1},
        {"a.b.c", -1, 3},
        {"", -1, -1},
    };
    for (const Row& row : rows) {
        const char* backslash = FindLastBackslash(row.text);
        const char* period = FindLastPeriod(row.text);
        EXPECT_EQ(row.backslash, backslash ? static_cast<int>(backslash - row.text) : -1) << row.text;
        EXPECT_EQ(row.period, period ? static_cast<int>(period - row.text) : -1) << row.text;

        char writable[64];
        std::strcpy(writable, row.text);
        char* mutableBackslash = FindLastBackslash(writable);
        EXPECT_EQ(row.backslash, mutableBackslash ? static_cast<int>(mutableBackslash - writable) : -1)
            << row.text;
    }
    EXPECT_EQ(nullptr, FindLastBackslash(static_cast<const char*>(nullptr)));
    EXPECT_EQ(nullptr, FindLastPeriod(static_cast<const char*>(nullptr)));
}
