// The state checks: one drive-type question per drive, one attribute call per local target, and
// a sort of the folder's targets to find duplicates.
#include "model/shortcut_state.h"

#include <windows.h>

#include <new>
#include <stdlib.h>
#include <string.h>

#include "model/path_text.h"
#include "model/shortcut_list.h"

namespace {

bool IsDriveLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// An item's duplicate key: its target folded to upper case, a line break (no path holds one),
// then its arguments as they are. Equal keys mean the same target and arguments.
struct DuplicateKey {
    char* text;  // owned, new[]
    ShortcutItem* item;
};

char* MakeDuplicateKey(const ShortcutItem& item)
{
    char target[MAX_PATH];
    char arguments[MAX_PATH];
    if (!item.GetTargetPath(target, sizeof(target)) || !target[0])
        return 0;
    item.GetArguments(arguments, sizeof(arguments));
    int targetLength = lstrlenA(target);
    CharUpperBuffA(target, targetLength);
    int size = targetLength + 1 + lstrlenA(arguments) + 1;
    char* key = new (std::nothrow) char[size];
    if (!key)
        return 0;
    CopyMemory(key, target, targetLength);
    key[targetLength] = '\n';
    lstrcpyA(key + targetLength + 1, arguments);
    return key;
}

int CompareKeys(const void* left, const void* right)
{
    return strcmp(static_cast<const DuplicateKey*>(left)->text, static_cast<const DuplicateKey*>(right)->text);
}

void MarkDuplicates(const ShortcutList& list)
{
    int count = list.GetCount();
    DuplicateKey* keys = new (std::nothrow) DuplicateKey[count > 0 ? count : 1];
    if (!keys)
        return;
    int keyed = 0;
    for (int i = 0; i < count; ++i) {
        ShortcutItem* item = list.GetAt(i);
        char* text = item ? MakeDuplicateKey(*item) : 0;
        if (!text)
            continue;
        keys[keyed].text = text;
        keys[keyed].item = item;
        ++keyed;
    }
    qsort(keys, keyed, sizeof(keys[0]), CompareKeys);
    // Equal keys lie side by side now: each one with a neighbour of the same key is a duplicate.
    for (int i = 0; i < keyed; ++i) {
        bool samePrevious = i > 0 && strcmp(keys[i - 1].text, keys[i].text) == 0;
        bool sameNext = i + 1 < keyed && strcmp(keys[i].text, keys[i + 1].text) == 0;
        if (samePrevious || sameNext)
            keys[i].item->AddStates(kStateDuplicate);
    }
    for (int i = 0; i < keyed; ++i)
        delete[] keys[i].text;
    delete[] keys;
}

}  // namespace

TargetChecker::TargetChecker()
{
    ZeroMemory(m_driveTypes, sizeof(m_driveTypes));
}

unsigned TargetChecker::DriveType(char letter)
{
    unsigned& type = m_driveTypes[(letter | 0x20) - 'a'];
    if (!type) {
        char root[] = "?:\\";
        root[0] = letter;
        // DRIVE_UNKNOWN is 0 too: ask again next time rather than keep a wrong answer.
        type = GetDriveTypeA(root);
    }
    return type;
}

unsigned TargetChecker::Check(const char* target)
{
    if (!target || !target[0])
        return 0;
    if (target[0] == '\\' && target[1] == '\\')
        return kStateUnverifiable;
    if (!IsDriveLetter(target[0]) || target[1] != ':' || target[2] != '\\')
        return 0;
    unsigned type = DriveType(target[0]);
    if (type != DRIVE_FIXED && type != DRIVE_RAMDISK)
        return kStateUnverifiable;
    // A '?' stands for a character the code page lacks: that name can't be asked about.
    if (HoldsWildcard(target))
        return kStateUnverifiable;
    if (GetFileAttributesA(target) != INVALID_FILE_ATTRIBUTES)
        return 0;
    // Only "not there" means missing; a denied or otherwise failed question proves nothing.
    DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? kStateTargetMissing : 0;
}

void CheckShortcutStates(const ShortcutList& list)
{
    TargetChecker checker;
    for (int i = 0; i < list.GetCount(); ++i) {
        ShortcutItem* item = list.GetAt(i);
        // A row the program has no usable name for says so in its own words, not here.
        if (!item || !item->IsUsable())
            continue;
        if (!item->IsLoaded()) {
            item->AddStates(kStateUnreadable);
            continue;
        }
        char target[MAX_PATH];
        item->GetTargetPath(target, sizeof(target));
        item->AddStates(checker.Check(target));
    }
    MarkDuplicates(list);
}
