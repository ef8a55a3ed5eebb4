// Scans of UTF-16 paths: the separator and the extension's period, and the shell's wildcards.
#ifndef QUIVERDESK_MODEL_PATH_TEXT_H
#define QUIVERDESK_MODEL_PATH_TEXT_H

#include <wchar.h>

// The last backslash in text, or null.
const wchar_t* FindLastBackslash(const wchar_t* text);
wchar_t* FindLastBackslash(wchar_t* text);

// The last period in text, or null.
const wchar_t* FindLastPeriod(const wchar_t* text);
wchar_t* FindLastPeriod(wchar_t* text);

// True when text holds '?' or '*'. No file name can, but the shell's file operation reads both
// as wildcards: such a text would name every file it matches.
bool HoldsWildcard(const wchar_t* text);

#endif
