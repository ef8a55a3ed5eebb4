// The state checks: one drive-type question per drive, one attribute call per local target, and
// a sort of the folder's targets to find duplicates.
#include "model/shortcut_state.h"

#include <windows.h>

#include <new>
#include <stdlib.h>
#include <wchar.h>

#include "model/heap_string.h"
#include "model/native_view.h"
#include "model/shortcut_list.h"

namespace {

bool IsDriveLetter(wchar_t c)
{
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
}

// An item's duplicate key: its target and its arguments, kept apart. Targets are the same when
// the file system would take them for one name (ordinal, case ignored), arguments only when
// they are the same text, since a program may read them by case.
struct DuplicateKey {
    const wchar_t* target;  // the item's own, which outlives the key
    wchar_t* arguments;     // owned, new[]
    ShortcutItem* item;
};

// False for an item with no file-system target: it has nothing to be a duplicate of.
bool MakeDuplicateKey(ShortcutItem* item, DuplicateKey* key)
{
    if (!item->GetTarget()[0])
        return false;
    // As long as the link may hold them: arguments that differ only past MAX_PATH still differ.
    wchar_t arguments[INFOTIPSIZE];
    item->GetArguments(arguments, INFOTIPSIZE);
    key->item = item;
    key->target = item->GetTarget();
    key->arguments = CopyText(arguments);
    return key->arguments != 0;
}

int CompareKeys(const void* left, const void* right)
{
    const DuplicateKey* a = static_cast<const DuplicateKey*>(left);
    const DuplicateKey* b = static_cast<const DuplicateKey*>(right);
    int order = CompareStringOrdinal(a->target, -1, b->target, -1, TRUE) - CSTR_EQUAL;
    return order ? order : wcscmp(a->arguments, b->arguments);
}

// Equal keys lie side by side once sorted: each one with a neighbour of the same key is a duplicate.
void MarkDuplicates(DuplicateKey* keys, int count)
{
    qsort(keys, count, sizeof(keys[0]), CompareKeys);
    for (int i = 0; i < count; ++i) {
        bool samePrevious = i > 0 && CompareKeys(&keys[i - 1], &keys[i]) == 0;
        bool sameNext = i + 1 < count && CompareKeys(&keys[i], &keys[i + 1]) == 0;
        if (samePrevious || sameNext)
            keys[i].item->AddStates(kStateDuplicate);
    }
}

}  // namespace

TargetChecker::TargetChecker()
{
    ZeroMemory(m_driveTypes, sizeof(m_driveTypes));
}

unsigned TargetChecker::DriveType(wchar_t letter)
{
    unsigned& type = m_driveTypes[(letter | 0x20) - L'a'];
    if (!type) {
        wchar_t root[] = L"?:\\";
        root[0] = letter;
        // DRIVE_UNKNOWN is 0 too: ask again next time rather than keep a wrong answer.
        type = GetDriveTypeW(root);
    }
    return type;
}

unsigned TargetChecker::Check(const wchar_t* target)
{
    if (!target || !target[0])
        return 0;
    if (target[0] == L'\\' && target[1] == L'\\')
        return kStateUnverifiable;
    if (!IsDriveLetter(target[0]) || target[1] != L':' || target[2] != L'\\')
        return 0;
    unsigned type = DriveType(target[0]);
    if (type != DRIVE_FIXED && type != DRIVE_RAMDISK)
        return kStateUnverifiable;
    DWORD attributes;
    DWORD error;
    {
        NativeFileSystemView native;
        attributes = GetFileAttributesW(target);
        error = GetLastError();
    }
    if (attributes != INVALID_FILE_ATTRIBUTES)
        return 0;
    // Only "not there" means missing; a denied or otherwise failed question proves nothing.
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? kStateTargetMissing : 0;
}

StateCheck::StateCheck(const ShortcutList& list)
    : m_list(list), m_found(new (std::nothrow) unsigned[list.GetCount() > 0 ? 2 * list.GetCount() : 1]),
      m_count(list.GetCount()), m_next(0)
{
}

StateCheck::~StateCheck()
{
    delete[] m_found;
}

bool StateCheck::CheckNext()
{
    if (!m_found || m_next >= m_count)
        return false;
    const ShortcutItem* item = m_list.GetAt(m_next);
    unsigned& found = m_found[m_next++];
    found = 0;
    // A row the shell can't act on says so in its own words, not here.
    // A Run value's program stands for a target: the checks and duplicates span both kinds.
    if (!item || !item->IsUsable() || !(item->IsShortcut() || item->GetValueName()))
        return true;
    if (item->IsShortcut() && !item->IsLoaded())
        found = kStateUnreadable;
    // Asked once: the item reads its target at load. A Run value already known not to start
    // is not asked again: on a share its target would say "unverifiable" as well.
    else if (!(item->GetKnownStates() & kStateTargetMissing))
        found = m_checker.Check(item->GetTarget());
    return true;
}

bool StateCheck::Apply()
{
    if (!m_found)
        return false;
    DuplicateKey* keys = new (std::nothrow) DuplicateKey[m_count > 0 ? m_count : 1];  // owned; freed below
    int keyed = 0;
    for (int i = 0; i < m_count; ++i) {
        ShortcutItem* item = m_list.GetAt(i);
        m_found[m_count + i] = item->GetStates();
        item->ForgetCheckedStates();
        item->AddStates(m_found[i]);
        if (keys && item->IsUsable() && (item->IsShortcut() || item->GetValueName()) && !(m_found[i] & kStateUnreadable)
            && MakeDuplicateKey(item, &keys[keyed]))
            ++keyed;
    }
    MarkDuplicates(keys, keyed);
    for (int i = 0; i < keyed; ++i)
        delete[] keys[i].arguments;
    delete[] keys;
    bool changed = false;
    for (int i = 0; i < m_count; ++i)
        changed = changed || m_found[m_count + i] != m_list.GetAt(i)->GetStates();
    return changed;
}

void CheckShortcutStates(const ShortcutList& list)
{
    StateCheck check(list);
    while (check.CheckNext()) {
    }
    check.Apply();
}
