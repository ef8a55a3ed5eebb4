// ItemIndex: the references sorted once, each lookup a binary search, so a listing of thousands
// of rows costs n log n comparisons, not n squared.
#include "model/item_index.h"

#include <new>
#include <stdlib.h>
#include <wchar.h>

#include "model/shortcut_list.h"

namespace {

// Unit for unit: two names the locale calls equal may name two files.
int Compare(RowKind kind, StartupSource source, const wchar_t* name, RowKind otherKind, StartupSource otherSource,
            const wchar_t* otherName)
{
    if (kind != otherKind)
        return kind - otherKind;
    if (source != otherSource)
        return source - otherSource;
    return wcscmp(name, otherName);
}

template <typename Entry>
int CompareEntries(const void* left, const void* right)
{
    const Entry* a = static_cast<const Entry*>(left);
    const Entry* b = static_cast<const Entry*>(right);
    return Compare(a->kind, a->source, a->name, b->kind, b->source, b->name);
}

}  // namespace

ItemIndex::ItemIndex(int capacity)
    : m_entries(new (std::nothrow) Entry[capacity > 0 ? capacity : 1]), m_count(0), m_capacity(m_entries ? capacity : 0)
{
}

ItemIndex::ItemIndex(const ShortcutList& list) : ItemIndex(list.GetCount())
{
    for (int i = 0; i < list.GetCount(); ++i)
        Add(list.GetAt(i), i);
    Sort();
}

void ItemIndex::Add(ShortcutItem* item, int place)
{
    if (!item || !item->IsUsable() || m_count == m_capacity)
        return;
    Entry& entry = m_entries[m_count++];
    entry.kind = item->GetValueName() ? kRowValue : kRowFile;
    entry.source = item->GetSource();
    entry.name = item->GetValueName() ? item->GetValueName() : item->GetLinkPath();
    entry.stamp = item->GetStamp();
    entry.item = item;
    entry.place = place;
}

void ItemIndex::Sort()
{
    qsort(m_entries, m_count, sizeof(Entry), CompareEntries<Entry>);
}

ItemIndex::~ItemIndex()
{
    delete[] m_entries;
}

ShortcutItem* ItemIndex::FindUnchanged(const RowRef& ref) const
{
    int found = Search(ref);
    return found >= 0 && SameStamp(m_entries[found].stamp, ref.GetStamp()) ? m_entries[found].item : 0;
}

int ItemIndex::Find(const RowRef& ref, bool* unchanged) const
{
    int found = Search(ref);
    *unchanged = found >= 0 && SameStamp(m_entries[found].stamp, ref.GetStamp());
    return found >= 0 ? m_entries[found].place : -1;
}

int ItemIndex::Search(const RowRef& ref) const
{
    int low = 0;
    int high = m_count - 1;
    const wchar_t* name = ref.GetKind() == kRowFile ? ref.GetPath() : ref.GetValueName();
    if (!name)
        return -1;
    while (low <= high) {
        int middle = low + (high - low) / 2;
        const Entry& entry = m_entries[middle];
        int order = Compare(ref.GetKind(), ref.GetSource(), name, entry.kind, entry.source, entry.name);
        if (order == 0)
            return middle;
        if (order < 0)
            high = middle - 1;
        else
            low = middle + 1;
    }
    return -1;
}
