// HeapString, ObjectArray and the path scans that must not take a Shift JIS trail byte for a
// backslash.
#include <gtest/gtest.h>

#include <windows.h>

#include <climits>
#include <cstring>
#include <new>

#include "model/heap_string.h"
#include "model/object_array.h"
#include "model/path_text.h"

namespace {

// Counts the clones and deaths of its kind, so ownership faults show up as wrong counts.
struct Counted : Cloneable {
    explicit Counted(int value) : value(value) {}
    ~Counted() { ++destroyed; }
    Cloneable* Clone() const { ++cloned; return new (std::nothrow) Counted(value); }
    const int value;
    static int cloned, destroyed;
};
int Counted::cloned = 0, Counted::destroyed = 0;

void ResetCounts() { Counted::cloned = Counted::destroyed = 0; }

int ValueAt(const ObjectArray& array, int index)
{
    const Counted* element = static_cast<const Counted*>(array.GetAt(index));
    return element ? element->value : -1;
}

void Fill(ObjectArray& array, int count, int firstValue = 0)
{
    for (int i = 0; i < count; ++i)
        array.Add(Counted(firstValue + i));
}

int Offset(const char* text, const char* found) { return found ? static_cast<int>(found - text) : -1; }

}  // namespace

TEST(HeapString, NullUntilAssignedAndAfterClearButAssignedEmptyTextIsNot)
{
    HeapString fresh, cleared("C:\\x"), empty, fromNull;
    cleared.Clear();
    empty.Assign("");
    fromNull.Assign(static_cast<const char*>(0));
    const struct { const char* name; const HeapString* text; bool isNull; } rows[] = {
        {"new", &fresh, true}, {"cleared", &cleared, true}, {"\"\"", &empty, false}, {"null", &fromNull, false}};
    for (const auto& row : rows) {
        EXPECT_EQ(row.isNull, row.text->GetBuffer() == nullptr) << row.name;
        if (!row.isNull)
            EXPECT_STREQ("", row.text->GetBuffer()) << row.name;
        EXPECT_EQ(0, row.text->GetLength()) << row.name;
    }
}

TEST(HeapString, FolderBackslashAndNameJoinWithSummedByteLengths)
{
    const struct { const char* folder; const char* name; const char* joined; } rows[] = {
        {"C:\\Users\\u\\SendTo", "Notepad.lnk", "C:\\Users\\u\\SendTo\\Notepad.lnk"},
        // 表 and ソ end in 0x5C; メモ is two double-byte characters.
        {"C:\\\x95\x5c\\\x83\x5c\x83\x74\x83\x67", "\x83\x81\x83\x82.lnk",
         "C:\\\x95\x5c\\\x83\x5c\x83\x74\x83\x67\\\x83\x81\x83\x82.lnk"},
        {"", "a.lnk", "\\a.lnk"},
    };
    for (const auto& row : rows) {
        HeapString path(row.folder);
        path += "\\";
        path.Append(row.name);
        EXPECT_STREQ(row.joined, path.GetBuffer()) << row.joined;
        EXPECT_EQ(static_cast<int>(std::strlen(row.joined)), path.GetLength()) << row.joined;
    }
    HeapString fromNothing;  // never held text
    fromNothing.Append("\x95\x5c.txt");
    EXPECT_STREQ("\x95\x5c.txt", fromNothing.GetBuffer());
    EXPECT_EQ(6, fromNothing.GetLength());
}

TEST(HeapString, CopiesOwnTheirTextAndSelfAssignmentChangesNothing)
{
    HeapString original("C:\\\x95\x5c");
    HeapString copy(original), assigned;
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

TEST(ObjectArray, GrowsInStepsKeepsIndexesAndRemoveAllDeletesEachElementOnce)
{
    Counted prototype(0);
    {
        ObjectArray array(256);
        EXPECT_EQ(0, array.GetCapacity());
        Cloneable* stored = array.Add(prototype);
        ASSERT_NE(nullptr, stored);
        EXPECT_NE(&prototype, stored) << "Add must store a clone, not the prototype";
        EXPECT_EQ(256, array.GetCapacity());
        Fill(array, 255, 1);
        EXPECT_EQ(256, array.GetCapacity()) << "full, not yet grown";
        array.Add(Counted(256));
        EXPECT_EQ(257, array.GetCount());
        EXPECT_EQ(512, array.GetCapacity());
        EXPECT_EQ(stored, array.GetAt(0)) << "growing must move pointers, not elements";
        for (int i = 0; i < array.GetCount(); ++i)
            ASSERT_EQ(i, ValueAt(array, i)) << "index " << i;
        // 257 to 511 are slots the array has but does not fill.
        for (int index : {-1, 257, 511, 512, INT_MAX, INT_MIN})
            EXPECT_EQ(nullptr, array.GetAt(index)) << "index " << index;

        ResetCounts();
        array.RemoveAll();
        EXPECT_EQ(257, Counted::destroyed);
        EXPECT_EQ(0, array.GetCount());
        EXPECT_EQ(nullptr, array.GetAt(0));
        EXPECT_EQ(256, array.GetGrowBy());
        Fill(array, 2, 40);
        EXPECT_EQ(2, array.GetCount());
        EXPECT_EQ(41, ValueAt(array, 1));
        ResetCounts();
    }
    EXPECT_EQ(2, Counted::destroyed) << "the destructor deletes what is left";
}

TEST(ObjectArray, AssignAndCloneCopyThroughCloneAndTakeTheSourcesStep)
{
    ObjectArray source(7), assigned(256);
    Fill(source, 10, 100);
    Fill(assigned, 3);
    ResetCounts();
    assigned.Assign(source);
    EXPECT_EQ(3, Counted::destroyed) << "the old elements go";
    ObjectArray* clone = static_cast<ObjectArray*>(source.Clone());
    ASSERT_NE(nullptr, clone);
    EXPECT_EQ(20, Counted::cloned);
    const struct { const char* name; const ObjectArray* copy; } rows[] = {{"Assign", &assigned}, {"Clone", clone}};
    for (const auto& row : rows) {
        ASSERT_EQ(10, row.copy->GetCount()) << row.name;
        EXPECT_EQ(7, row.copy->GetGrowBy()) << row.name;
        EXPECT_EQ(14, row.copy->GetCapacity()) << row.name;
        for (int i = 0; i < 10; ++i) {
            EXPECT_NE(source.GetAt(i), row.copy->GetAt(i)) << row.name << " index " << i;
            EXPECT_EQ(100 + i, ValueAt(*row.copy, i)) << row.name << " index " << i;
        }
    }
    ResetCounts();
    delete clone;
    EXPECT_EQ(10, Counted::destroyed) << "the clone owns its own elements only";
    EXPECT_EQ(100, ValueAt(source, 0));

    Cloneable* first = assigned.GetAt(0);
    ResetCounts();
    assigned.Assign(assigned);
    EXPECT_EQ(0, Counted::cloned + Counted::destroyed);
    EXPECT_EQ(10, assigned.GetCount());
    EXPECT_EQ(first, assigned.GetAt(0));
}

TEST(PathText, ScansStepOverTrailBytesThatLookLikeSeparators)
{
    ASSERT_EQ(932u, GetACP()) << "these cases need ANSI code page 932: run with LC_ALL=ja_JP.UTF-8";
    // Offsets of the last real '\\' and '.', -1 for none.
    const struct { const char* text; int backslash, period; } rows[] = {
        {"C:\\dir\\file.txt", 6, 11},
        {"C:\\dir.d\\file", 8, 6},
        {"C:\\\x95\x5c", 2, -1},                         // 表 ends the folder part
        {"C:\\\x83\x5c\x83\x74\x83\x67\\a.lnk", 9, 11},  // ソフト in the folder part
        {"C:\\a\\\x95\x5c.lnk", 4, 7},                   // 表 in the file part
        {"C:\\a\\\x83\x5c\x94\x5c", 4, -1},              // ソ能: nothing after the folder
        {"\x83\x5c", -1, -1},
        {"a.b.c", -1, 3},
        {"", -1, -1},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(row.backslash, Offset(row.text, FindLastBackslash(row.text))) << row.text;
        EXPECT_EQ(row.period, Offset(row.text, FindLastPeriod(row.text))) << row.text;
        char writable[64];
        std::strcpy(writable, row.text);
        EXPECT_EQ(row.backslash, Offset(writable, FindLastBackslash(writable))) << row.text;
        EXPECT_EQ(row.period, Offset(writable, FindLastPeriod(writable))) << row.text;
    }
    EXPECT_EQ(nullptr, FindLastBackslash(static_cast<const char*>(nullptr)));
    EXPECT_EQ(nullptr, FindLastPeriod(static_cast<const char*>(nullptr)));
}
