// Character scans of UTF-16 paths. A surrogate is never one of the characters looked for, so a
// character beyond the BMP can't be taken for a separator.
#include "model/path_text.h"

namespace {

const wchar_t* FindLastChar(const wchar_t* text, wchar_t wanted)
{
    const wchar_t* found = 0;
    if (!text)
        return 0;
    for (const wchar_t* p = text; *p; ++p) {
        if (*p == wanted)
            found = p;
    }
    return found;
}

}  // namespace

const wchar_t* FindLastBackslash(const wchar_t* text)
{
    return FindLastChar(text, L'\\');
}

wchar_t* FindLastBackslash(wchar_t* text)
{
    return const_cast<wchar_t*>(FindLastChar(text, L'\\'));
}

const wchar_t* FindLastPeriod(const wchar_t* text)
{
    return FindLastChar(text, L'.');
}

wchar_t* FindLastPeriod(wchar_t* text)
{
    return const_cast<wchar_t*>(FindLastChar(text, L'.'));
}

bool HoldsWildcard(const wchar_t* text)
{
    return FindLastChar(text, L'?') || FindLastChar(text, L'*');
}
