// A text buffer that starts out holding a previous row's text and garbage, with guard bytes
// past its capacity: shows what a call left in it and whether it wrote past the end.
#ifndef QUIVERDESK_TESTS_MODEL_GUARDED_TEXT_H
#define QUIVERDESK_TESTS_MODEL_GUARDED_TEXT_H

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

class GuardedText {
public:
    explicit GuardedText(int capacity = MAX_PATH) : m_capacity(capacity), m_bytes(capacity + kGuard, 'G')
    {
        static const char stale[] = "C:\\stale\\previous row.exe";
        std::memcpy(&m_bytes[0], stale, std::min<size_t>(sizeof(stale), capacity));
    }

    char* Data() { return &m_bytes[0]; }
    int Capacity() const { return m_capacity; }
    bool GuardIntact() const { return std::count(m_bytes.begin() + m_capacity, m_bytes.end(), 'G') == kGuard; }
    // The text up to its terminator inside the capacity.
    std::string Text() const
    {
        const char* end = static_cast<const char*>(std::memchr(&m_bytes[0], 0, m_capacity));
        return end ? std::string(&m_bytes[0], end) : std::string("<unterminated>");
    }

private:
    enum { kGuard = 16 };
    int m_capacity;
    std::vector<char> m_bytes;
};

#endif
