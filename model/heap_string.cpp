// HeapString: exact-size blocks on the process heap; a failed allocation raises, it never returns null.
#include "model/heap_string.h"

#include <windows.h>

#include <new>

namespace {

const DWORD kHeapFlags = HEAP_ZERO_MEMORY | HEAP_GENERATE_EXCEPTIONS;

int MeasureText(const wchar_t* text)
{
    return text ? lstrlenW(text) : 0;
}

SIZE_T Bytes(int units)
{
    return static_cast<SIZE_T>(units) * sizeof(wchar_t);
}

}  // namespace

HeapString::HeapString() : m_buffer(0), m_length(0) {}

HeapString::HeapString(const wchar_t* text) : m_buffer(0), m_length(0)
{
    Assign(text);
}

HeapString::HeapString(const HeapString& other) : m_buffer(0), m_length(0)
{
    Assign(other);
}

HeapString::~HeapString()
{
    Clear();
}

HeapString& HeapString::Assign(const wchar_t* text)
{
    // Measure first: text may point into this string's own buffer.
    int length = MeasureText(text);
    wchar_t* block = static_cast<wchar_t*>(HeapAlloc(GetProcessHeap(), kHeapFlags, Bytes(length + 1)));
    if (length > 0)
        CopyMemory(block, text, Bytes(length));
    Clear();
    m_buffer = block;
    m_length = length;
    return *this;
}

HeapString& HeapString::Assign(const HeapString& other)
{
    if (&other == this)
        return *this;
    return Assign(other.m_buffer);
}

HeapString& HeapString::Append(const wchar_t* text)
{
    int added = MeasureText(text);
    void* block = m_buffer ? HeapReAlloc(GetProcessHeap(), kHeapFlags, m_buffer, Bytes(m_length + added + 1))
                           : HeapAlloc(GetProcessHeap(), kHeapFlags, Bytes(added + 1));
    // A text that points into the old block moved with it.
    if (text >= m_buffer && m_buffer && text <= m_buffer + m_length)
        text = static_cast<wchar_t*>(block) + (text - m_buffer);
    m_buffer = static_cast<wchar_t*>(block);
    if (added > 0)
        CopyMemory(m_buffer + m_length, text, Bytes(added));
    m_length += added;
    m_buffer[m_length] = L'\0';
    return *this;
}

wchar_t* CopyText(const wchar_t* text)
{
    if (!text)
        return 0;
    int size = lstrlenW(text) + 1;
    wchar_t* copy = new (std::nothrow) wchar_t[size];
    if (copy)
        CopyMemory(copy, text, Bytes(size));
    return copy;
}

void HeapString::Clear()
{
    if (m_buffer)
        HeapFree(GetProcessHeap(), 0, m_buffer);
    m_buffer = 0;
    m_length = 0;
}
