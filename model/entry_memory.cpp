// EntryMemory: a memory file is UTF-8 text, one record a line, its six fields parted by tabs and
// escaped by ListText, after a first line that names the format. A file that is not so, in any
// line, is not trusted at all: a half-trusted memory would mark the wrong rows.
#include "model/entry_memory.h"

#include <new>
#include <stdlib.h>

#include "model/heap_string.h"
#include "model/list_text.h"
#include "model/shortcut_state.h"

struct MemoryRecord {
    int slot;
    MemoryKind kind;
    bool shown;    // a removal whose entry was listed again in this run: its mark was seen
    bool dropped;  // a removal the user undid through the program
    HeapString when;
    HeapString name;
    HeapString target;
    HeapString arguments;
};

namespace {

const wchar_t kHeader[] = L"Quiverdesk memory 1";
const int kFieldCount = 6;  // source, kind, when, name, target, arguments
const wchar_t* const kSlotNames[kMemorySlotCount] = {
    L"SendTo", L"Startup", L"CommonStartup", L"Run", L"MachineRun", L"MachineRun32", L"RunOnce", L"MachineRunOnce",
};
// By MemoryKind; a source's "listed" line says it was listed, even when it held nothing.
const wchar_t* const kKindNames[] = {L"seen", L"deleted", L"off", L"listed"};
const int kListedKind = 3;

int FindName(const wchar_t* const* names, int count, const wchar_t* name)
{
    for (int i = 0; i < count; ++i)
        if (lstrcmpW(names[i], name) == 0)
            return i;
    return -1;
}

// Names of files and values alike compare as Windows compares them: case aside.
int CompareNames(const wchar_t* left, const wchar_t* right)
{
    return CompareStringOrdinal(left ? left : L"", -1, right ? right : L"", -1, TRUE) - CSTR_EQUAL;
}

int Compare(int slot, const wchar_t* name, const MemoryRecord* record)
{
    return slot != record->slot ? slot - record->slot : CompareNames(name, record->name.GetBuffer());
}

int CompareRecords(const void* left, const void* right)
{
    const MemoryRecord* record = *static_cast<MemoryRecord* const*>(left);
    return Compare(record->slot, record->name.GetBuffer(), *static_cast<MemoryRecord* const*>(right));
}

// ListText's escapes undone in place; false for one it never writes.
bool Unescape(wchar_t* text)
{
    wchar_t* out = text;
    for (const wchar_t* at = text; *at; ++at) {
        wchar_t unit = *at;
        if (unit == L'\\') {
            switch (*++at) {
            case L'\\': break;
            case L't': unit = L'\t'; break;
            case L'r': unit = L'\r'; break;
            case L'n': unit = L'\n'; break;
            case L'u':
                unit = 0;
                for (int i = 0; i < 4; ++i) {
                    wchar_t digit = *++at;
                    int value = digit >= L'0' && digit <= L'9'   ? digit - L'0'
                                : digit >= L'A' && digit <= L'F' ? digit - L'A' + 10
                                                                 : -1;
                    if (value < 0)
                        return false;
                    unit = static_cast<wchar_t>(unit * 16 + value);
                }
                break;
            default: return false;
            }
        }
        *out++ = unit;
    }
    *out = L'\0';
    return true;
}

void SetTexts(MemoryRecord* record, const wchar_t* name, const wchar_t* target, const wchar_t* arguments)
{
    record->name.Assign(name ? name : L"");
    record->target.Assign(target);
    record->arguments.Assign(arguments);
}

void WriteRecord(ListText& text, int slot, int kind, const MemoryRecord* record)
{
    text.AddCell(kSlotNames[slot]);
    text.AddCell(kKindNames[kind]);
    text.AddCell(record ? record->when.GetBuffer() : 0);
    text.AddCell(record ? record->name.GetBuffer() : 0);
    text.AddCell(record ? record->target.GetBuffer() : 0);
    text.AddCell(record ? record->arguments.GetBuffer() : 0);
    text.EndLine();
}

bool IsKept(const MemoryRecord* removal, int slot)
{
    return removal->slot == slot && !removal->shown && !removal->dropped;
}

}  // namespace

MemoryRecords::~MemoryRecords()
{
    RemoveSlot(-1);
    delete[] m_items;
}

MemoryRecord* MemoryRecords::Add(int slot, MemoryKind kind)
{
    if (m_count == m_capacity) {
        int capacity = m_capacity ? 2 * m_capacity : 64;
        MemoryRecord** items = new (std::nothrow) MemoryRecord*[capacity];
        if (!items)
            return 0;
        if (m_count)
            CopyMemory(items, m_items, m_count * sizeof(items[0]));
        delete[] m_items;
        m_items = items;
        m_capacity = capacity;
    }
    MemoryRecord* record = new (std::nothrow) MemoryRecord();
    if (!record)
        return 0;
    record->slot = slot;
    record->kind = kind;
    return m_items[m_count++] = record;
}

void MemoryRecords::RemoveSlot(int slot)
{
    int kept = 0;
    for (int i = 0; i < m_count; ++i) {
        if (slot < 0 || m_items[i]->slot == slot)
            delete m_items[i];
        else
            m_items[kept++] = m_items[i];
    }
    m_count = kept;
}

EntryMemory::EntryMemory()
{
    Clear();
}

void EntryMemory::Clear()
{
    m_before.RemoveSlot(-1);
    m_now.RemoveSlot(-1);
    m_removals.RemoveSlot(-1);
    m_accepted.RemoveSlot(-1);
    ZeroMemory(m_known, sizeof(m_known));
    ZeroMemory(m_listed, sizeof(m_listed));
}

bool EntryMemory::Read(const char* bytes, int size)
{
    int length = size > 0 ? MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes, size, 0, 0) : 0;
    wchar_t* text = new (std::nothrow) wchar_t[length + 1];  // owned; freed below
    bool sound =
        text && length && MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes, size, text, length) == length;
    if (sound) {
        text[length] = L'\0';
        // Every line, the last too, ends in CR LF: a file cut short is no memory.
        wchar_t* line = text;
        for (bool first = true; sound && *line; first = false) {
            wchar_t* end = wcschr(line, L'\n');
            sound = end && end > line && end[-1] == L'\r';
            if (!sound)
                break;
            end[-1] = L'\0';
            sound = first ? lstrcmpW(line, kHeader) == 0 : ReadLine(line);
            line = end + 1;
        }
        sound = sound && line > text;
    }
    delete[] text;
    if (!sound) {
        Clear();
        return false;
    }
    qsort(m_before.GetItems(), m_before.GetCount(), sizeof(MemoryRecord*), CompareRecords);
    return true;
}

bool EntryMemory::ReadLine(wchar_t* line)
{
    wchar_t* fields[kFieldCount];
    int count = 0;
    for (wchar_t* at = line; at; ++count) {
        if (count == kFieldCount)
            return false;
        fields[count] = at;
        at = wcschr(at, L'\t');
        if (at)
            *at++ = L'\0';
    }
    if (count != kFieldCount)
        return false;
    for (int i = 0; i < kFieldCount; ++i)
        if (!Unescape(fields[i]))
            return false;
    int slot = FindName(kSlotNames, kMemorySlotCount, fields[0]);
    int kind = FindName(kKindNames, kListedKind + 1, fields[1]);
    if (slot < 0 || kind < 0)
        return false;
    if (kind == kListedKind) {
        m_known[slot] = true;
        return true;
    }
    MemoryRecord* record = (kind == kMemorySeen ? m_before : m_removals).Add(slot, static_cast<MemoryKind>(kind));
    if (!record)
        return false;
    record->when.Assign(fields[2]);
    SetTexts(record, fields[3], fields[4], fields[5]);
    return true;
}

void EntryMemory::WriteSlot(ListText& text, int slot, const MemoryRecords& records) const
{
    WriteRecord(text, slot, kListedKind, 0);
    for (int i = 0; i < records.GetCount(); ++i)
        if (records.GetAt(i)->slot == slot)
            WriteRecord(text, slot, kMemorySeen, records.GetAt(i));
}

void EntryMemory::Write(ListText& text) const
{
    text.AddCell(kHeader);
    text.EndLine();
    for (int slot = 0; slot < kMemorySlotCount; ++slot) {
        if (m_listed[slot])
            WriteSlot(text, slot, m_now);
        else if (m_known[slot])
            WriteSlot(text, slot, m_before);
        int kept = 0;
        for (int i = 0; i < m_removals.GetCount(); ++i)
            kept += IsKept(m_removals.GetAt(i), slot);
        for (int i = 0; i < m_removals.GetCount(); ++i) {
            const MemoryRecord* removal = m_removals.GetAt(i);
            if (IsKept(removal, slot) && kept-- <= kRemovalsKept)
                WriteRecord(text, slot, removal->kind, removal);
        }
    }
}

bool EntryMemory::HasAny() const
{
    for (int slot = 0; slot < kMemorySlotCount; ++slot)
        if (m_known[slot] || m_listed[slot])
            return true;
    return m_removals.GetCount() > 0;
}

void EntryMemory::StartListing(int slot)
{
    m_listed[slot] = true;
    m_now.RemoveSlot(slot);
}

void EntryMemory::Listed(int slot, const wchar_t* name, const wchar_t* target, const wchar_t* arguments)
{
    MemoryRecord* record = m_now.Add(slot, kMemorySeen);
    if (record)
        SetTexts(record, name, target, arguments);
}

void EntryMemory::Removed(int slot, MemoryKind kind, const wchar_t* name, const wchar_t* target,
                          const wchar_t* arguments)
{
    MemoryRecord* record = m_removals.Add(slot, kind);
    if (!record)
        return;
    SYSTEMTIME now;
    GetSystemTime(&now);
    wchar_t when[24];
    wsprintfW(when, L"%04u-%02u-%02uT%02u:%02u:%02uZ", now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute,
              now.wSecond);
    record->when.Assign(when);
    SetTexts(record, name, target, arguments);
}

void EntryMemory::Accepted(int slot, const wchar_t* name)
{
    MemoryRecord* record = m_accepted.Add(slot, kMemorySeen);
    if (record)
        SetTexts(record, name, 0, 0);
    for (int i = 0; i < m_removals.GetCount(); ++i) {
        MemoryRecord* removal = m_removals.GetAt(i);
        removal->dropped = removal->dropped || Compare(slot, name, removal) == 0;
    }
}

unsigned EntryMemory::GetMarks(int slot, const wchar_t* name, bool off)
{
    bool back = false;
    for (int i = 0; i < m_removals.GetCount(); ++i) {
        MemoryRecord* removal = m_removals.GetAt(i);
        if (!removal->dropped && (removal->kind == kMemoryDeleted || !off) && Compare(slot, name, removal) == 0)
            back = removal->shown = true;
    }
    if (back)
        return kStateBack;
    if (!m_known[slot])
        return 0;
    for (int i = 0; i < m_accepted.GetCount(); ++i)
        if (Compare(slot, name, m_accepted.GetAt(i)) == 0)
            return 0;
    // The last close's entries are sorted: a search, for tabs of thousands.
    int low = 0;
    int high = m_before.GetCount();
    while (low < high) {
        int middle = (low + high) / 2;
        int order = Compare(slot, name, m_before.GetAt(middle));
        if (order == 0)
            return 0;
        if (order < 0)
            high = middle;
        else
            low = middle + 1;
    }
    return kStateNew;
}
