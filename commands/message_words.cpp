// WordsWith: wsprintf stops at 1024 characters, and a value's name may be longer.
#include "commands/message_words.h"

#include "res/resource_ids.h"

HeapString WordsWith(UINT id, const wchar_t* first, const wchar_t* second)
{
    HINSTANCE instance = GetModuleHandleW(0);
    wchar_t format[256] = L"";
    LoadStringW(instance, id, format, 256);
    HeapString words(L"");
    const wchar_t* names[] = {first, second};
    int used = 0;
    wchar_t* start = format;
    for (wchar_t* at = format; *at; ++at) {
        if (at[0] != L'%' || at[1] != L's' || used == 2)
            continue;
        *at = L'\0';
        words.Append(start);
        words.Append(names[used] ? names[used] : L"");
        ++used;
        start = at + 2;
        ++at;
    }
    words.Append(start);
    return words;
}

int ShowWordsWith(HWND owner, UINT style, UINT id, const wchar_t* first, const wchar_t* second)
{
    HINSTANCE instance = GetModuleHandleW(0);
    wchar_t title[100] = L"";
    LoadStringW(instance, IDS_TITLE, title, 100);
    HeapString text = WordsWith(id, first, second);
    return MessageBoxW(owner, text.GetBuffer(), title, style);
}
