// What tells the program that another program changed what it shows: change notifications on
// the folders on show and registry notifications on each key the tab reads, as handles for the
// message loop to wait on. A notification says nothing of what changed; its owner compares.
// Every watch outlives what it watches: a folder deleted, renamed away or replaced, and a key
// deleted and made again, are watched again where they are once they are back.
#ifndef QUIVERDESK_MODEL_CHANGE_WATCH_H
#define QUIVERDESK_MODEL_CHANGE_WATCH_H

#include <windows.h>

class ChangeWatch {
public:
    // Two each for the Startup tab's two folders, five Run keys, five switch keys and the shell's
    // folder key.
    enum { kMaxWatches = 26 };

    ChangeWatch();
    ~ChangeWatch();

    // Closes every watch.
    void Stop();
    // Files added, removed, renamed, re-attributed or rewritten in folderPath itself; and the
    // folders of its nearest existing parent, so that the folder's going, coming back, being
    // renamed away or replaced are seen too.
    bool WatchFolder(const wchar_t* folderPath);
    // Values set or removed under root\subKey, and the subkeys of its parent, so that the key's
    // deletion and creation are seen too. Until the key exists, its nearest existing parent is
    // watched with its subkeys.
    bool WatchKey(HKEY root, const wchar_t* subKey);

    // The handles to wait on, kMaxWatches at most; valid until the next change of the watches.
    int GetCount() const { return m_count; }
    const HANDLE* GetHandles() const { return m_handles; }
    // After the handle at index was signalled: waits for the next change, on whatever is now at
    // the watched path.
    void Rearm(int index);
    // Every watch whose folder or key is no longer the one at its path, or is back, is made again
    // on what is there now; after a burst of changes and on F5.
    void Revive();

private:
    ChangeWatch(const ChangeWatch&);
    ChangeWatch& operator=(const ChangeWatch&);

    enum Kind { kFolder, kFolderParent, kKey, kKeyParent };
    struct FolderId {
        DWORD volume;
        DWORD indexHigh;
        DWORD indexLow;
    };
    struct Watch {
        Kind kind;
        wchar_t* path;  // owned, new[]: the folder's path or the key's under root
        HKEY root;      // a predefined key, never closed
        HKEY key;       // owned; the key, its parent, or its nearest existing parent
        bool exact;     // key is the one watched, not a stand-in for it
        FolderId id;    // the folder watched; zeros while it is missing
    };
    static FolderId ReadFolderId(const wchar_t* path);
    static bool SameFolder(const FolderId& left, const FolderId& right);
    // A key watch that watches no longer what is at its path: its key deleted, or it stands in
    // for a key that is there now.
    bool KeyMoved(const Watch& watch) const;
    bool Add(Kind kind, HKEY root, const wchar_t* path);
    void Arm(int index);
    bool ArmKey(int index);
    void ArmFolder(int index);
    void Close(int index);

    HANDLE m_handles[kMaxWatches];  // owned: change notifications (FindCloseChangeNotification) or events
    Watch m_watches[kMaxWatches];
    int m_count;
};

#endif
