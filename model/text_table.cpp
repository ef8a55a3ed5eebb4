#include "model/text_table.h"

#include <windows.h>

#include <new>
#include <wchar.h>

#include "model/heap_string.h"
#include "model/source_fingerprint.h"

TextTable::TextTable()
{
    ZeroMemory(m_buckets, sizeof(m_buckets));
}

TextTable::~TextTable()
{
    for (Row* chain : m_buckets) {
        while (chain) {
            Row* next = chain->next;
            Delete(chain);
            chain = next;
        }
    }
}

TextTable::Row*& TextTable::ChainOf(const wchar_t* key) const
{
    return m_buckets[FingerprintBytes(key, lstrlenW(key) * sizeof(wchar_t)) % kBuckets];
}

void TextTable::Delete(Row* row)
{
    delete[] row->key;
    delete[] row->first;
    delete[] row->second;
    delete row;
}

const TextTable::Row* TextTable::Find(const wchar_t* key) const
{
    for (const Row* row = ChainOf(key); row; row = row->next) {
        if (wcscmp(row->key, key) == 0)
            return row;
    }
    return 0;
}

const TextTable::Row* TextTable::Add(const wchar_t* key, const wchar_t* first, const wchar_t* second, bool flag)
{
    Row* row = new (std::nothrow) Row;
    if (!row)
        return 0;
    row->key = CopyText(key);
    row->first = CopyText(first);
    row->second = CopyText(second);
    row->flag = flag;
    Row*& chain = ChainOf(key);
    row->next = chain;
    if (row->key && (row->first || !first) && (row->second || !second))
        return chain = row;
    Delete(row);
    return 0;
}
