// Text buffers that start out holding a previous row's text, with guard bytes past their
// capacity, and an item's texts read through them: what a call left and whether it overran.
#ifndef QUIVERDESK_TESTS_MODEL_GUARDED_TEXT_H
#define QUIVERDESK_TESTS_MODEL_GUARDED_TEXT_H

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "model/shortcut_item.h"

struct GuardedText {
    enum { kGuard = 16 };
    explicit GuardedText(int capacity = MAX_PATH) : capacity(capacity), bytes(capacity + kGuard, 'G')
    {
        static const char stale[] = "C:\\stale\\previous row.exe";
        std::memcpy(&bytes[0], stale, std::min<size_t>(sizeof(stale), capacity));
    }
    char* Data() { return &bytes[0]; }
    bool GuardIntact() const { return std::count(bytes.begin() + capacity, bytes.end(), 'G') == kGuard; }
    std::string Text() const  // up to the terminator inside the capacity
    {
        const char* end = static_cast<const char*>(std::memchr(&bytes[0], 0, capacity));
        return end ? std::string(&bytes[0], end) : std::string("<unterminated>");
    }
    const int capacity;
    std::vector<char> bytes;
};

struct ShownTexts {
    std::string name, target, description;
    bool nameOk;        // what GetDisplayName answered
    bool guardsIntact;  // no call wrote past its capacity
};

inline ShownTexts ReadTexts(const ShortcutItem& item, int nameCapacity = MAX_PATH)
{
    GuardedText name(nameCapacity), target, description;
    ShownTexts shown;
    shown.nameOk = item.GetDisplayName(name.Data(), name.capacity);
    item.GetTargetPath(target.Data(), target.capacity);
    item.GetDescription(description.Data(), description.capacity);
    shown.name = name.Text();
    shown.target = target.Text();
    shown.description = description.Text();
    shown.guardsIntact = name.GuardIntact() && target.GuardIntact() && description.GuardIntact();
    return shown;
}

#endif
