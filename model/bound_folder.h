// One folder bound once through the shell, so each file's name and icon cost a parse of the file's
// own name instead of the whole path from the desktop.
#ifndef QUIVERDESK_MODEL_BOUND_FOLDER_H
#define QUIVERDESK_MODEL_BOUND_FOLDER_H

#include <windows.h>
#include <shlobj.h>

class BoundFolder {
public:
    BoundFolder();
    ~BoundFolder();

    // False when the shell can't bind path.
    bool Bind(const wchar_t* path);

    // What Describe asks for besides the name: the icon, unless a caller has no use for it.
    void SetIconsWanted(bool wanted) { m_iconsWanted = wanted; }
    // The shell's display name and system small-icon index of the file name in this folder
    // (-1 when icons are not wanted). False, with empty text and index -1, when the shell knows
    // no such file.
    bool Describe(const wchar_t* name, wchar_t* displayName, int capacity, int* iconIndex) const;

private:
    BoundFolder(const BoundFolder&);
    BoundFolder& operator=(const BoundFolder&);
    void Release();

    IShellFolder* m_folder;   // one reference, owned
    LPITEMIDLIST m_absolute;  // owned; the shell's task allocator
    bool m_iconsWanted;
};

#endif
