// The program's growable 8-bit text (ANSI code page) for paths, kept on the process heap.
#ifndef QUIVERDESK_MODEL_HEAP_STRING_H
#define QUIVERDESK_MODEL_HEAP_STRING_H

// Blocks are exactly as large as the text needs; every change reallocates.
// Out of memory raises the heap's structured exception: no operation fails softly.
class HeapString {
public:
    HeapString();
    HeapString(const char* text);
    HeapString(const HeapString& other);
    virtual ~HeapString();

    HeapString& Assign(const char* text);
    HeapString& Assign(const HeapString& other);
    HeapString& Append(const char* text);
    void Clear();

    // Null until text was assigned; valid until the next change.
    const char* GetBuffer() const { return m_buffer; }
    // Byte count, terminator excluded; double-byte characters count twice.
    int GetLength() const { return m_length; }

    HeapString& operator=(const char* text) { return Assign(text); }
    HeapString& operator=(const HeapString& other) { return Assign(other); }
    HeapString& operator+=(const char* text) { return Append(text); }

private:
    char* m_buffer;  // owned; process heap
    int m_length;
};

#endif
