// The publisher column: the company a program's version information names. It is the file's own
// claim, which anyone can write into a program, not a verified signature.
#ifndef QUIVERDESK_MODEL_PUBLISHER_H
#define QUIVERDESK_MODEL_PUBLISHER_H

#include "model/text_table.h"

// The CompanyName of program's first translation, in a new[] block the caller deletes; null for
// none. Only a program (by its extension) on a local fixed drive is read: a document has no
// publisher of its own, and a share or a disc may keep the window waiting.
wchar_t* ReadPublisher(const wchar_t* program);

// Each distinct program of a listing read once: many rows may start the same one.
class PublisherLookups {
public:
    // ReadPublisher's answer, held here; null for none.
    const wchar_t* Find(const wchar_t* program);

private:
    TextTable m_programs;  // by path: the company
};

#endif
