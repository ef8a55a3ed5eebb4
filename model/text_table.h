// Answers kept by the text they answer, each looked up once per listing: a chained table keyed by
// the text's FNV-1a digest, its texts compared whole.
#ifndef QUIVERDESK_MODEL_TEXT_TABLE_H
#define QUIVERDESK_MODEL_TEXT_TABLE_H

class TextTable {
public:
    struct Row {
        wchar_t* key;  // owned, as both answers; an answer may be null
        wchar_t* first;
        wchar_t* second;
        bool flag;
        Row* next;  // owned: the next of the same bucket
    };

    TextTable();
    ~TextTable();

    // The row whose key is exactly key, or null.
    const Row* Find(const wchar_t* key) const;
    // Keeps copies of the texts, whole or not at all: a row that ran out of memory is not kept
    // (null), and its answer is only looked up again.
    const Row* Add(const wchar_t* key, const wchar_t* first, const wchar_t* second, bool flag);

private:
    TextTable(const TextTable&);
    TextTable& operator=(const TextTable&);

    Row*& ChainOf(const wchar_t* key) const;
    static void Delete(Row* row);

    enum { kBuckets = 256 };
    mutable Row* m_buckets[kBuckets];  // each chain owned
};

#endif
