// Rows as text for others to read: tab-separated for the clipboard and standard output, CSV
// (RFC 4180) for a file, in UTF-16 as the program holds it, and written out as UTF-8.
#ifndef QUIVERDESK_MODEL_LIST_TEXT_H
#define QUIVERDESK_MODEL_LIST_TEXT_H

#include <windows.h>

// Escaped is tab-separated too, for the program's own files: every cell comes back exactly, its
// backslashes, tabs and line breaks as \\, \t, \r and \n, and a lone surrogate, which UTF-8 can't
// carry, as \uXXXX.
enum ListFormat { kTabSeparated, kCommaSeparated, kEscaped };

// Lines of cells, each line ended by CR LF, in a block that doubles as it grows: a list of
// thousands of rows is built a cell at a time. Comma-separated text begins with a byte order mark.
class ListText {
public:
    explicit ListText(ListFormat format);
    ~ListText();

    // A cell after a separator, unless it begins its line. Tab-separated, a tab or a line break in
    // it becomes a space; comma-separated, it is quoted, its quotes doubled, where it holds a
    // comma, a quote or a line break.
    void AddCell(const wchar_t* text);
    void EndLine();
    // Never null; empty when memory ran out, which IsWhole then says.
    const wchar_t* GetText() const { return m_text ? m_text : L""; }
    int GetLength() const { return m_length; }
    bool IsWhole() const { return !m_failed; }

private:
    ListText(const ListText&);
    ListText& operator=(const ListText&);
    void Put(wchar_t unit);
    void PutEscaped(const wchar_t* text);

    ListFormat m_format;
    wchar_t* m_text;  // owned, new[]; terminated
    int m_length;
    int m_capacity;
    bool m_lineStarted;
    bool m_failed;
};

// Text as UTF-8, its surrogate pairs as the characters they make, in a new[] block the caller
// deletes; null when memory ran out. *size excludes the terminator.
char* ToUtf8(const wchar_t* text, int length, int* size);
// Writes bytes to path whole or not at all: to a new file beside it first (path.partial, or
// path.partialN when that name is taken), which then replaces it. False, leaving no file behind
// and path as it was, when either step fails.
bool WriteWholeFile(const wchar_t* path, const char* bytes, int size);

#endif
