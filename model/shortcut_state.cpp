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

// Null for an item with no file-system target: it has nothing to be a duplicate of.
char* MakeDuplicateKey(const ShortcutItem& item, const char* target)
{
    if (!target[0])
        return 0;
    // As long as the link may hold them: arguments that differ only past MAX_PATH still differ.
    char arguments[INFOTIPSIZE];
    item.GetArguments(arguments, sizeof(arguments));
    int targetLength = lstrlenA(target);
    int size = targetLength + 1 + lstrlenA(arguments) + 1;
    char* key = new (std::nothrow) char[size];
    if (!key)
        return 0;
    CopyMemory(key, target, targetLength);
    CharUpperBuffA(key, targetLength);
    key[targetLength] = '\n';
    lstrcpyA(key + targetLength + 1, arguments);
    return key;
}

int CompareKeys(const void* left, const void* right)
{
    return strcmp(static_cast<const DuplicateKey*>(left)->text, static_cast<const DuplicateKey*>(right)->text);
}

// Equal keys lie side by side once sorted: each one with a neighbour of the same key is a duplicate.
void MarkDuplicates(DuplicateKey* keys, int count)
{
    qsort(keys, count, sizeof(keys[0]), CompareKeys);
    for (int i = 0; i < count; ++i) {
        bool samePrevious = i > 0 && strcmp(keys[i - 1].text, keys[i].text) == 0;
        bool sameNext = i + 1 < count && strcmp(keys[i].text, keys[i + 1].text) == 0;
        if (samePrevious || sameNext)
            keys[i].item->AddStates(kStateDuplicate);
    }
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
    int count = list.GetCount();
    DuplicateKey* keys = new (std::nothrow) DuplicateKey[count > 0 ? count : 1];  // owned; freed below
    if (!keys)
        return;
    int keyed = 0;
    TargetChecker checker;
    for (int i = 0; i < count; ++i) {
        ShortcutItem* item = list.GetAt(i);
        // A row the program has no usable name for says so in its own words, not here.
        if (!item || !item->IsUsable())
            continue;
        if (!item->IsLoaded()) {
            item->AddStates(kStateUnreadable);
            continue;
        }
        // Asked once: the item reads its target at load.
        char target[MAX_PATH];
        item->GetTargetPath(target, sizeof(target));
        item->AddStates(checker.Check(target));
        keys[keyed].text = MakeDuplicateKey(*item, target);
        keys[keyed].item = item;
        if (keys[keyed].text)
            ++keyed;
    }
    MarkDuplicates(keys, keyed);
    for (int i = 0; i < keyed; ++i)
        delete[] keys[i].text;
    delete[] keys;
}
