// ShortcutList: the items of the folder on show, kept in an ObjectArray of ShortcutItems.
#include "model/shortcut_list.h"

ShortcutList::ShortcutList() : m_items(256) {}

ShortcutItem* ShortcutList::GetAt(int index) const
{
    // Every element was cloned from a ShortcutItem prototype.
    return static_cast<ShortcutItem*>(m_items.GetAt(index));
}

ShortcutItem* ShortcutList::AddShortcut(const wchar_t* path)
{
    ShortcutItem* item = Add();
    if (item)
        item->Load(path);
    return item;
}

ShortcutItem* AddNew(ObjectArray& array)
{
    ShortcutItem prototype;
    return static_cast<ShortcutItem*>(array.Add(prototype));
}
