// The program's growable text for what comes from the user's disk (folder paths, file names),
// kept on the process heap in UTF-16, exactly as the system holds it.
#ifndef QUIVERDESK_MODEL_HEAP_STRING_H
#define QUIVERDESK_MODEL_HEAP_STRING_H

#include <wchar.h>

// Blocks are exactly as large as the text needs; every change reallocates.
// Out of memory raises the heap's structured exception: no operation fails softly.
class HeapString {
public:
    HeapString();
    HeapString(const wchar_t* text);
    HeapString(const HeapString& other);
    ~HeapString();

    HeapString& Assign(const wchar_t* text);
    HeapString& Assign(const HeapString& other);
    HeapString& Append(const wchar_t* text);
    void Clear();

    // Null until text was assigned; valid until the next change.
    const wchar_t* GetBuffer() const { return m_buffer; }
    // UTF-16 units, terminator excluded; a character beyond the BMP counts twice.
    int GetLength() const { return m_length; }

    HeapString& operator=(const wchar_t* text) { return Assign(text); }
    HeapString& operator=(const HeapString& other) { return Assign(other); }
    HeapString& operator+=(const wchar_t* text) { return Append(text); }

private:
    wchar_t* m_buffer;  // owned; process heap
    int m_length;
};

// A copy of text made with new[], the caller's to delete[]; null for null text or when memory ran out.
wchar_t* CopyText(const wchar_t* text);

#endif
