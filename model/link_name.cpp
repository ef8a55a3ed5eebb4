// JudgeNewLinkName: scanned by characters, so a double-byte name whose trail byte is 0x5C ('\')
// or 0x7C ('|') is a name like any other.
#include "model/link_name.h"

#include <string.h>

#include "model/path_text.h"

namespace {

const char kExtension[] = ".lnk";

// Called on the first byte of each character only: no lead byte of the code page is one of these.
bool IsForbidden(char c)
{
    static const char kForbidden[] = "\\/:*?\"<>|";
    if (static_cast<unsigned char>(c) < 0x20)
        return true;
    for (const char* f = kForbidden; *f; ++f) {
        if (c == *f)
            return true;
    }
    return false;
}

// Byte for byte once both are in upper case, as the file system matches names; not by the locale's
// rules, which may call different names equal.
bool SameButForCase(const char* left, const char* right)
{
    char upperLeft[MAX_PATH];
    char upperRight[MAX_PATH];
    lstrcpynA(upperLeft, left, MAX_PATH);
    lstrcpynA(upperRight, right, MAX_PATH);
    CharUpperBuffA(upperLeft, lstrlenA(upperLeft));
    CharUpperBuffA(upperRight, lstrlenA(upperRight));
    return strcmp(upperLeft, upperRight) == 0;
}

}  // namespace

LinkNameVerdict JudgeNewLinkName(const char* linkPath, const char* name, char (&newPath)[MAX_PATH])
{
    newPath[0] = '\0';
    bool blank = true;
    for (const char* p = name; *p; p = CharNextA(p)) {
        if (IsForbidden(*p))
            return kNameBadCharacter;
        blank = blank && *p == ' ';
    }
    if (blank)
        return kNameEmpty;
    const char* lastBackslash = FindLastBackslash(linkPath);
    if (!lastBackslash)
        return kNameTooLong;
    int folderLength = static_cast<int>(lastBackslash - linkPath) + 1;
    if (folderLength + lstrlenA(name) + lstrlenA(kExtension) >= MAX_PATH)
        return kNameTooLong;
    lstrcpynA(newPath, linkPath, folderLength + 1);
    lstrcatA(newPath, name);
    lstrcatA(newPath, kExtension);
    if (strcmp(newPath, linkPath) == 0)
        return kNameUnchanged;
    if (!SameButForCase(newPath, linkPath) && GetFileAttributesA(newPath) != INVALID_FILE_ATTRIBUTES)
        return kNameTaken;
    return kNameAccepted;
}
