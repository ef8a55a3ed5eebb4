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

    // An item that stands for a file or value; an unusable one, which stands for none, is left out.
    void Add(ShortcutItem* item);
    // After the last Add, before the first Find.
    void Sort();
    int GetCount() const { return m_count; }

    // The item that stands for the same file or value, exactly so named, with the same stamp;
    // null when there is none or it changed.
    ShortcutItem* FindUnchanged(const RowRef& ref) const;

private:
    ItemIndex(const ItemIndex&);
    ItemIndex& operator=(const ItemIndex&);

    struct Entry {
        RowKind kind;
        StartupSource source;
        const wchar_t* name;  // the item's path or value name, which it holds while it lives
        RowStamp stamp;
        ShortcutItem* item;  // the list's
    };
    Entry* m_entries;  // owned, new[]; sorted by kind, source and exact name
    int m_count;
    int m_capacity;
};

#endif
