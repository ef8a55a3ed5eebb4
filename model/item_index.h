// The items of the last listing, found by the file or value each stands for, so that the next
// listing reads again only what changed: an item whose file or value has the stamp it was listed
// with gives its name, icon, target and description to the new row as they are.
#ifndef QUIVERDESK_MODEL_ITEM_INDEX_H
#define QUIVERDESK_MODEL_ITEM_INDEX_H

#include "model/row_ref.h"

class ShortcutItem;
class ShortcutList;

class ItemIndex {
public:
    // Room for capacity items, added one by one; they must outlive the index unchanged.
    explicit ItemIndex(int capacity);
    // Over every item of list.
    explicit ItemIndex(const ShortcutList& list);
    ~ItemIndex();

    // An item that stands for a file or value, and its place in its list; an unusable one, which
    // stands for none, is left out.
    void Add(ShortcutItem* item, int place);
    // After the last Add, before the first Find.
    void Sort();
    int GetCount() const { return m_count; }

    // The item that stands for the same file or value, exactly so named, with the same stamp;
    // null when there is none or it changed.
    ShortcutItem* FindUnchanged(const RowRef& ref) const;
    // The place of the item that stands for the same file or value, whatever its stamp, and
    // whether it is unchanged; -1 when there is none.
    int Find(const RowRef& ref, bool* unchanged) const;

private:
    ItemIndex(const ItemIndex&);
    ItemIndex& operator=(const ItemIndex&);
    // The entry's position in m_entries, or -1.
    int Search(const RowRef& ref) const;

    struct Entry {
        RowKind kind;
        StartupSource source;
        const wchar_t* name;  // the item's path or value name, which it holds while it lives
        RowStamp stamp;
        ShortcutItem* item;  // the list's
        int place;
    };
    Entry* m_entries;  // owned, new[]; sorted by kind, source and exact name
    int m_count;
    int m_capacity;
};

#endif
