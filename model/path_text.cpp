// Character-wise scans of ANSI paths, so a double-byte character's trail byte is never taken
// for a separator.
#include "model/path_text.h"

#include <windows.h>

namespace {

const char* FindLastChar(const char* text, char wanted)
{
    const char* found = 0;
    if (!text)
        return 0;
    for (const char* p = text; *p; p = CharNextA(p)) {
        if (*p == wanted)
            found = p;
    }
    return found;
}

}  // namespace

const char* FindLastBackslash(const char* text)
{
    return FindLastChar(text, '\\');
}

char* FindLastBackslash(char* text)
{
    return const_cast<char*>(FindLastChar(text, '\\'));
}

const char* FindLastPeriod(const char* text)
{
    return FindLastChar(text, '.');
}

char* FindLastPeriod(char* text)
{
    return const_cast<char*>(FindLastChar(text, '.'));
}

bool HoldsWildcard(const char* text)
{
    return FindLastChar(text, '?') || FindLastChar(text, '*');
}
