// What tells the program that another program changed what it shows: a change notification on
// the folder on show and a registry notification on each key the tab reads, as handles for the
// message loop to wait on. A notification says nothing of what changed; its owner lists again.
#ifndef QUIVERDESK_MODEL_CHANGE_WATCH_H
#define QUIVERDESK_MODEL_CHANGE_WATCH_H

#include <windows.h>

class ChangeWatch {
public:
    // The Startup tab's two folders, five Run keys and five switch keys.
    enum { kMaxWatches = 12 };

    ChangeWatch();
    ~ChangeWatch();

    // Closes every watch.
    void Stop();
    // Files added, removed, renamed, re-attributed or rewritten in folderPath itself.
    bool WatchFolder(const wchar_t* folderPath);
    // Values set or removed under root\subKey. Until the key exists, its nearest existing parent
    // is watched, with its subkeys, so that the key's creation is seen too.
    bool WatchKey(HKEY root, const wchar_t* subKey);

    // The handles to wait on, kMaxWatches at most; valid until the next change of the watches.
    int GetCount() const { return m_count; }
    const HANDLE* GetHandles() const { return m_handles; }
    // After the handle at index was signalled: waits for the next change. False when the watch
    // could not be made again (its folder went): its handle stays signalled, and must be closed.
    bool Rearm(int index);

private:
    ChangeWatch(const ChangeWatch&);
    ChangeWatch& operator=(const ChangeWatch&);
    bool ArmKey(int index);

    struct KeyWatch {
        HKEY root;        // a predefined key, never closed
        wchar_t* subKey;  // owned, new[]; null for a folder watch
        HKEY key;         // owned; the key or its nearest existing parent
        bool exact;       // key is the key itself
    };
    HANDLE m_handles[kMaxWatches];  // owned: change notifications (FindCloseChangeNotification) or events
    KeyWatch m_keys[kMaxWatches];
    int m_count;
};

#endif
