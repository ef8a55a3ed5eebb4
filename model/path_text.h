// Byte-safe scans of 8-bit paths. The ANSI code page may be double-byte (932), where a
// trail byte can equal '\\' (0x5C) or '.' (0x2E); these scans step by characters.
#ifndef QUIVERDESK_MODEL_PATH_TEXT_H
#define QUIVERDESK_MODEL_PATH_TEXT_H

// The last real backslash character in text, or null.
const char* FindLastBackslash(const char* text);
char* FindLastBackslash(char* text);

// The last real period character in text, or null.
const char* FindLastPeriod(const char* text);
char* FindLastPeriod(char* text);

// True when text holds '?' or '*'. The 8-bit file calls put '?' where a name has a character the
// code page lacks, and the shell reads both as wildcards, so such a text names no single file.
bool HoldsWildcard(const char* text);

#endif
