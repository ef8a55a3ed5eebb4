// ItemIndex: the references sorted once, each lookup a binary search, so a listing of thousands
// of rows costs n log n comparisons, not n squared.
#include "model/item_index.h"

#include <new>
#include <stdlib.h>
#include <wchar.h>

#include "model/shortcut_list.h"

namespace {

// Unit for unit: two names the locale calls equal may name two files.
int CompareRefs(const RowRef& a, const RowRef& b)
{
    if (a.GetKind() != b.GetKind())
        return a.GetKind() - b.GetKind();
    if (a.GetSource() != b.GetSource())
        return a.GetSource() - b.GetSource();
    const wchar_t* left = a.GetKind() == kRowFile ? a.GetPath() : a.GetValueName();
    const wchar_t* right = b.GetKind() == kRowFile ? b.GetPath() : b.GetValueName();
    return wcscmp(left ? left : L"", right ? right : L"");
}

template <typename Entry>
int CompareEntries(const void* left, const void* right)
{
    return CompareRefs(static_cast<const Entry*>(left)->ref, static_cast<const Entry*>(right)->ref);
}

}  // namespace

ItemIndex::ItemIndex(const ShortcutList& list) : m_entries(0), m_count(0)
{
    int count = list.GetCount();
    m_entries = new (std::nothrow) Entry[count > 0 ? count : 1];
    if (!m_entries)
        return;
    for (int i = 0; i < count; ++i) {
        ShortcutItem* item = list.GetAt(i);
        if (!item || !item->IsUsable() || !item->IsFilled())
            continue;
        m_entries[m_count].ref = item->GetRef();
        m_entries[m_count].item = item;
        ++m_count;
    }
    qsort(m_entries, m_count, sizeof(Entry), CompareEntries<Entry>);
}

ItemIndex::~ItemIndex()
{
    delete[] m_entries;
}

ShortcutItem* ItemIndex::FindUnchanged(const RowRef& ref) const
{
    int low = 0;
    int high = m_count - 1;
    while (low <= high) {
        int middle = low + (high - low) / 2;
        int order = CompareRefs(ref, m_entries[middle].ref);
        if (order == 0)
            return SameStamp(m_entries[middle].ref.GetStamp(), ref.GetStamp()) ? m_entries[middle].item : 0;
        if (order < 0)
            high = middle - 1;
        else
            low = middle + 1;
    }
    return 0;
}
