// The shortcuts of the folder on show. An item's index is its identity until the next refresh.
#ifndef QUIVERDESK_MODEL_SHORTCUT_LIST_H
#define QUIVERDESK_MODEL_SHORTCUT_LIST_H

#include "model/object_array.h"
#include "model/shortcut_item.h"

// Adds one fresh item to an array of shortcut items; null when memory ran out.
ShortcutItem* AddNew(ObjectArray& array);

class ShortcutList {
public:
    ShortcutList();

    int GetCount() const { return m_items.GetCount(); }
    ShortcutItem* GetAt(int index) const;
    void RemoveAll() { m_items.RemoveAll(); }

    // Adds an item bound to path; it stays even when the file is no readable shortcut.
    // Null when memory ran out.
    ShortcutItem* AddShortcut(const wchar_t* path);
    // Adds an unbound item for the caller to bind; null as above.
    ShortcutItem* Add() { return AddNew(m_items); }
    // Trades items with other: a listing keeps the last one's items to take their details from.
    void Swap(ShortcutList& other) { m_items.Swap(other.m_items); }

private:
    ShortcutList(const ShortcutList&);
    ShortcutList& operator=(const ShortcutList&);

    ObjectArray m_items;  // every element is a ShortcutItem
};

// Defined beside the two bars in controls/globals.cpp, the one file that fixes the order the
// three globals are constructed in. Model code can't use it: the model layer links without controls.
extern ShortcutList g_shortcutList;

#endif
