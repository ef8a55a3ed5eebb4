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
    // Over the filled items of list, which must outlive the index unchanged.
    explicit ItemIndex(const ShortcutList& list);
    ~ItemIndex();

    // The filled item that stood for the same file or value, exactly so named, with the same
    // stamp; null when there was none or it changed since.
    ShortcutItem* FindUnchanged(const RowRef& ref) const;

private:
    ItemIndex(const ItemIndex&);
    ItemIndex& operator=(const ItemIndex&);

    struct Entry {
        RowRef ref;
        ShortcutItem* item;  // the list's
    };
    Entry* m_entries;  // owned, new[]; sorted by kind, source and exact name
    int m_count;
};

#endif
