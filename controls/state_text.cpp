// FormatStates: the words are loaded once and kept; the order is that of the state bits.
#include "controls/state_text.h"

#include "model/shortcut_state.h"
#include "res/resource_ids.h"

namespace {

const UINT kWordIds[kStateCount] = {
    IDS_STATE_OFF,        IDS_STATE_MISSING, IDS_STATE_UNVERIFIABLE, IDS_STATE_DUPLICATE,
    IDS_STATE_UNREADABLE, IDS_STATE_HIDDEN,  IDS_STATE_NEW,          IDS_STATE_BACK,
};

// Each text with its length in bytes, as LoadStringA tells it.
struct StateWords {
    char words[kStateCount][64];
    int lengths[kStateCount];
    char separator[8];
    int separatorLength;
    bool loaded;
};

const StateWords& LoadWords()
{
    static StateWords words;
    if (!words.loaded) {
        HINSTANCE instance = GetModuleHandleW(0);
        for (int i = 0; i < kStateCount; ++i)
            words.lengths[i] = LoadStringA(instance, kWordIds[i], words.words[i], sizeof(words.words[i]));
        words.separatorLength = LoadStringA(instance, IDS_STATE_SEPARATOR, words.separator, sizeof(words.separator));
        words.loaded = true;
    }
    return words;
}

}  // namespace

void FormatStates(unsigned states, char* buffer, int capacity)
{
    if (!buffer || capacity <= 0)
        return;
    buffer[0] = '\0';
    if (!states)
        return;
    const StateWords& words = LoadWords();
    int length = 0;
    for (int i = 0; i < kStateCount; ++i) {
        if (!(states & (1u << i)))
            continue;
        int separatorLength = length ? words.separatorLength : 0;
        int wordLength = words.lengths[i];
        // Whole words only: a cut double-byte character would show as garbage.
        if (length + separatorLength + wordLength >= capacity)
            return;
        CopyMemory(buffer + length, words.separator, separatorLength);
        CopyMemory(buffer + length + separatorLength, words.words[i], wordLength + 1);
        length += separatorLength + wordLength;
    }
}
