// What the shell says of listed items, read a item at a time: each source folder bound once for
// all its files, each distinct command line looked up once for all the values that hold it, and
// each distinct program's publisher read once for all the rows that start it.
#ifndef QUIVERDESK_MODEL_ITEM_FILLER_H
#define QUIVERDESK_MODEL_ITEM_FILLER_H

#include "model/heap_string.h"

class BoundFolder;
class CommandLookups;
class LocalizedNames;
class PublisherLookups;
class ShortcutItem;

class ItemFiller {
public:
    // Without icons, for a list of text: the shell's icon lookup is the dearest part of a file's fill.
    explicit ItemFiller(bool icons = true);
    ~ItemFiller();
    // The user's folder and the all-users one (empty: none) of the items to fill from now on.
    void Start(const HeapString& userFolder, const HeapString& commonFolder);
    void Fill(ShortcutItem* item);
    // The bound folder and the tables go: before COM ends.
    void Release();

private:
    ItemFiller(const ItemFiller&);
    ItemFiller& operator=(const ItemFiller&);

    bool m_icons;
    HeapString m_folders[2];         // by source
    int m_boundSource;               // whose folder m_bound holds; -1 for none
    BoundFolder* m_bound;            // owned
    LocalizedNames* m_names;         // owned; the bound folder's
    CommandLookups* m_lookups;       // owned
    PublisherLookups* m_publishers;  // owned
};

#endif
