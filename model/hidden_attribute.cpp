// SetHiddenAttribute: one read of the attributes and, when the bit differs, one write of them all,
// both through the file's exact path.
#include "model/hidden_attribute.h"

#include <windows.h>

#include "model/exact_path.h"

namespace {

// What SetFileAttributes takes; the others (directory, compressed, encrypted, reparse point,
// sparse) are the file system's to keep and are left out of the write.
const DWORD kSettable = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE
                        | FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_OFFLINE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

}  // namespace

bool SetHiddenAttribute(const wchar_t* path, bool hidden)
{
    // Exactly this file: "Twin.lnk." must not hide "Twin.lnk".
    HeapString exact = ExactPath(path);
    DWORD attributes = path ? GetFileAttributesW(exact.GetBuffer()) : INVALID_FILE_ATTRIBUTES;
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return false;
    if (((attributes & FILE_ATTRIBUTE_HIDDEN) != 0) == hidden)
        return true;
    DWORD kept = attributes & kSettable & ~FILE_ATTRIBUTE_HIDDEN;
    DWORD wanted = hidden ? kept | FILE_ATTRIBUTE_HIDDEN : kept;
    return SetFileAttributesW(exact.GetBuffer(), wanted ? wanted : FILE_ATTRIBUTE_NORMAL) != FALSE;
}
