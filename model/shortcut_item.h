// One shortcut (.lnk) file of the folder on show, with the shell-link object bound to it.
#ifndef QUIVERDESK_MODEL_SHORTCUT_ITEM_H
#define QUIVERDESK_MODEL_SHORTCUT_ITEM_H

#include <windows.h>
#include <shlobj.h>

#include "model/cloneable.h"

class ShortcutItem : public Cloneable {
public:
    ShortcutItem();
    virtual ~ShortcutItem();

    // A fresh, unbound item with its own link object: nothing of this item is copied.
    virtual Cloneable* Clone() const;

    // Binds the item to a .lnk file; true when the link now reflects the file.
    // The path is kept even when loading fails, so the shell can still name the file.
    bool Load(const char* path);

    // Null before Load.
    const char* GetLinkPath() const { return m_path; }
    bool HasLink() const { return m_link != 0; }

    // These always leave a terminated text in the buffer, empty when nothing could be had.
    bool GetDisplayName(char* buffer, int capacity) const;
    bool GetTargetPath(char* buffer, int capacity) const;
    bool GetDescription(char* buffer, int capacity) const;

    // The shell's small icon for the .lnk file, or null. The caller owns the icon and
    // must destroy it with DestroyIcon.
    HICON GetSmallIcon() const;

private:
    ShortcutItem(const ShortcutItem&);
    ShortcutItem& operator=(const ShortcutItem&);

    char* m_path;                 // owned
    IShellLinkA* m_link;          // one reference, owned
    IPersistFile* m_persistFile;  // one reference, owned; only after a successful Load
};

#endif
