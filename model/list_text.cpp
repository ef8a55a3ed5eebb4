#include "model/list_text.h"

#include <new>

#include "model/heap_string.h"

ListText::ListText(ListFormat format)
    : m_format(format), m_text(0), m_length(0), m_capacity(0), m_lineStarted(false), m_failed(false)
{
    // Excel reads a CSV file without its byte order mark in the system's code page.
    if (format == kCommaSeparated)
        Put(0xFEFF);
}

ListText::~ListText()
{
    delete[] m_text;
}

void ListText::Put(wchar_t unit)
{
    if (m_failed)
        return;
    if (m_length + 1 >= m_capacity) {
        int capacity = m_capacity ? 2 * m_capacity : 4096;
        wchar_t* text = new (std::nothrow) wchar_t[capacity];
        if (!text) {
            delete[] m_text;
            m_text = 0;
            m_length = 0;
            m_failed = true;
            return;
        }
        if (m_text)
            CopyMemory(text, m_text, m_length * sizeof(wchar_t));
        delete[] m_text;
        m_text = text;
        m_capacity = capacity;
    }
    m_text[m_length++] = unit;
    m_text[m_length] = L'\0';
}

void ListText::AddCell(const wchar_t* text)
{
    if (!text)
        text = L"";
    if (m_lineStarted)
        Put(m_format == kCommaSeparated ? L',' : L'\t');
    m_lineStarted = true;
    if (m_format == kEscaped)
        return PutEscaped(text);
    bool quoted = m_format == kCommaSeparated && wcspbrk(text, L",\"\r\n");
    if (quoted)
        Put(L'"');
    for (const wchar_t* at = text; *at; ++at) {
        wchar_t unit = *at;
        if (m_format == kTabSeparated && (unit == L'\t' || unit == L'\r' || unit == L'\n'))
            unit = L' ';
        if (quoted && unit == L'"')
            Put(L'"');
        Put(unit);
    }
    if (quoted)
        Put(L'"');
}

void ListText::PutEscaped(const wchar_t* text)
{
    // Each unit a cell can't hold as it is, and the letter that stands for it after a backslash.
    static const wchar_t kEscapes[][2] = {{L'\\', L'\\'}, {L'\t', L't'}, {L'\r', L'r'}, {L'\n', L'n'}};
    for (const wchar_t* at = text; *at; ++at) {
        wchar_t unit = *at;
        bool lone = ((unit & 0xFC00) == 0xD800 && (at[1] & 0xFC00) != 0xDC00)
                    || ((unit & 0xFC00) == 0xDC00 && (at == text || (at[-1] & 0xFC00) != 0xD800));
        wchar_t escaped[8] = {unit, 0};
        for (int i = 0; i < 4; ++i)
            if (unit == kEscapes[i][0]) {
                escaped[0] = L'\\';
                escaped[1] = kEscapes[i][1];
            }
        if (lone)
            wsprintfW(escaped, L"\\u%04X", unit);
        for (const wchar_t* put = escaped; *put; ++put)
            Put(*put);
    }
}

void ListText::EndLine()
{
    Put(L'\r');
    Put(L'\n');
    m_lineStarted = false;
}

char* ToUtf8(const wchar_t* text, int length, int* size)
{
    *size = length ? WideCharToMultiByte(CP_UTF8, 0, text, length, 0, 0, 0, 0) : 0;
    char* bytes = new (std::nothrow) char[*size + 1];
    if (bytes)
        bytes[WideCharToMultiByte(CP_UTF8, 0, text, length, bytes, *size, 0, 0)] = '\0';
    return bytes;
}

bool WriteWholeFile(const wchar_t* path, const char* bytes, int size)
{
    // A name of its own, made new: a file of the user's that happens to bear it is never written
    // over, nor deleted below.
    HeapString written;
    HANDLE file = INVALID_HANDLE_VALUE;
    for (int attempt = 1; file == INVALID_HANDLE_VALUE && attempt <= 100; ++attempt) {
        wchar_t suffix[16];
        wsprintfW(suffix, attempt == 1 ? L".partial" : L".partial%d", attempt);
        written.Assign(path).Append(suffix);
        file = CreateFileW(written.GetBuffer(), GENERIC_WRITE, 0, 0, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, 0);
        if (file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS)
            return false;
    }
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD done = 0;
    bool whole = WriteFile(file, bytes, size, &done, 0) && done == static_cast<DWORD>(size) && FlushFileBuffers(file);
    CloseHandle(file);
    if (whole && MoveFileExW(written.GetBuffer(), path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    DeleteFileW(written.GetBuffer());
    return false;
}
