// JudgeNewLinkName: the characters, the device names and the length Windows refuses, then
// whether another file holds the name.
#include "model/link_name.h"

#include <wchar.h>

#include "model/exact_path.h"
#include "model/path_text.h"

namespace {

const wchar_t kExtension[] = L".lnk";

bool IsForbidden(wchar_t c)
{
    static const wchar_t kForbidden[] = L"\\/:*?\"<>|";
    if (c < 0x20)
        return true;
    for (const wchar_t* f = kForbidden; *f; ++f) {
        if (c == *f)
            return true;
    }
    return false;
}

// Windows opens the device, not a file, for these names whatever extension follows them, and
// trailing spaces before the extension don't count.
bool IsDeviceName(const wchar_t* name)
{
    // Three letters each; the numbered ones take a digit from 1 to 9 after them, or one of the
    // superscripts one to three, which Windows reads as those digits.
    static const wchar_t kDevices[] = L"CONPRNAUXNULCOMLPT";
    const int kNumberedFrom = 12;
    int stem = 0;
    while (name[stem] && name[stem] != L'.')
        ++stem;
    while (stem > 0 && name[stem - 1] == L' ')
        --stem;
    wchar_t digit = stem == 4 ? name[3] : L'\0';
    bool numbered = (digit >= L'1' && digit <= L'9') || digit == 0x00B9 || digit == 0x00B2 || digit == 0x00B3;
    for (int i = numbered ? kNumberedFrom : 0; kDevices[i] && (stem == 3 || numbered); i += 3) {
        if (CompareStringOrdinal(name, 3, kDevices + i, 3, TRUE) == CSTR_EQUAL)
            return (i >= kNumberedFrom) == numbered;
    }
    return false;
}

}  // namespace

bool SameName(const wchar_t* left, const wchar_t* right)
{
    return CompareStringOrdinal(left, -1, right, -1, TRUE) == CSTR_EQUAL;
}

LinkNameVerdict JudgeNewLinkName(const wchar_t* linkPath, const wchar_t* name, wchar_t (&newPath)[MAX_PATH])
{
    newPath[0] = L'\0';
    bool blank = true;
    for (const wchar_t* p = name; *p; ++p) {
        if (IsForbidden(*p))
            return kNameBadCharacter;
        blank = blank && *p == L' ';
    }
    if (blank)
        return kNameEmpty;
    if (IsDeviceName(name))
        return kNameReserved;
    const wchar_t* lastBackslash = FindLastBackslash(linkPath);
    if (!lastBackslash)
        return kNameTooLong;
    // A shortcut's name is typed without its ".lnk", which it keeps, in its own case: Enter on an
    // unchanged name must not rename it. Any other file's name is typed whole.
    const wchar_t* extension = FindLastPeriod(lastBackslash);
    if (!extension || !SameName(extension, kExtension))
        extension = L"";
    int folderLength = static_cast<int>(lastBackslash - linkPath) + 1;
    int nameLength = lstrlenW(name);
    // Win32 would trim a last part's trailing dots and spaces, so the file would take another
    // name than the one judged: they go here, as Explorer drops them. A name that already ends so
    // and is kept as it is stays unchanged, not renamed to the name Win32 trims it to.
    bool kept = !extension[0] && wcscmp(name, lastBackslash + 1) == 0;
    if (!extension[0] && !kept) {
        while (nameLength > 0 && (name[nameLength - 1] == L'.' || name[nameLength - 1] == L' '))
            --nameLength;
        if (nameLength == 0)
            return kNameEmpty;
    }
    if (folderLength + nameLength + lstrlenW(extension) >= MAX_PATH)
        return kNameTooLong;
    lstrcpynW(newPath, linkPath, folderLength + 1);
    lstrcpynW(newPath + folderLength, name, nameLength + 1);
    lstrcpynW(newPath + folderLength + nameLength, extension, MAX_PATH - folderLength - nameLength);
    // Unit for unit: the locale's comparison may call different names equal.
    if (wcscmp(newPath, linkPath) == 0)
        return kNameUnchanged;
    HeapString exact = ExactPath(newPath);
    if (!SameName(newPath, linkPath) && GetFileAttributesW(exact.GetBuffer()) != INVALID_FILE_ATTRIBUTES)
        return kNameTaken;
    return kNameAccepted;
}
