// The .reg writer: text gathers in a small buffer, so data of any size goes out in few writes.
// Long data is broken over lines as regedit breaks it, each line but the last ending in '\'.
#include "model/reg_file.h"

namespace {

class RegText {
public:
    explicit RegText(HANDLE file) : m_file(file), m_used(0), m_column(0), m_ok(true) {}
    void Put(wchar_t c)
    {
        if (m_used == kCapacity)
            Flush();
        m_buffer[m_used++] = c;
        m_column = c == L'\n' ? 0 : m_column + 1;
    }
    void Put(const wchar_t* text)
    {
        while (*text)
            Put(*text++);
    }
    // Between double quotes, with the two characters regedit escapes escaped; the unnamed value
    // is '@'. A line break can't be written: regedit would read the rest as another line.
    void PutName(const wchar_t* name)
    {
        if (!*name)
            return Put(L'@');
        Put(L'"');
        for (; *name; ++name) {
            if (*name == L'\\' || *name == L'"')
                Put(L'\\');
            m_ok = m_ok && *name != L'\r' && *name != L'\n';
            Put(*name);
        }
        Put(L'"');
    }
    void PutData(DWORD type, const BYTE* data, DWORD size)
    {
        wchar_t prefix[24];  // the longest type, 8 hex digits, fits
        wsprintfW(prefix, type == REG_BINARY ? L"=hex:" : L"=hex(%x):", type);
        Put(prefix);
        for (DWORD i = 0; i < size; ++i) {
            Put(L"0123456789abcdef"[data[i] >> 4]);
            Put(L"0123456789abcdef"[data[i] & 15]);
            if (i + 1 < size)
                Put(m_column < 76 ? L"," : L",\\\r\n  ");
        }
    }
    bool Flush()
    {
        DWORD size = m_used * sizeof(wchar_t);
        DWORD written = 0;
        m_ok = m_ok && WriteFile(m_file, m_buffer, size, &written, 0) && written == size;
        m_used = 0;
        return m_ok;
    }

private:
    enum { kCapacity = 512 };
    HANDLE m_file;
    wchar_t m_buffer[kCapacity];
    DWORD m_used;
    int m_column;
    bool m_ok;  // false once a write failed or a name could not be written
};

}  // namespace

bool WriteRegHeader(HANDLE file)
{
    RegText text(file);
    text.Put(L"\xFEFFWindows Registry Editor Version 5.00\r\n\r\n");
    return text.Flush();
}

bool WriteRegValue(HANDLE file, HKEY key, const RegistryPlace& place, const wchar_t* valueName)
{
    DWORD type = 0;
    DWORD size = 0;
    BYTE* data = ReadWholeValue(key, valueName, &type, &size);  // owned; freed below
    if (!data)
        return false;
    RegText text(file);
    text.Put(L'[');
    text.Put(RootName(place.root));
    text.Put(L'\\');
    text.Put(place.path);
    text.Put(L"]\r\n");
    text.PutName(valueName);
    text.PutData(type, data, size);
    text.Put(L"\r\n\r\n");
    delete[] data;
    return text.Flush();
}
