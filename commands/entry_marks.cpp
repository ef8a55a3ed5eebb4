#include "commands/entry_marks.h"

#include <commctrl.h>

#include "commands/message_words.h"
#include "commands/tab_sources.h"
#include "controls/status_bar.h"
#include "model/memory_file.h"
#include "model/shortcut_item.h"
#include "model/shortcut_list.h"
#include "model/shortcut_state.h"
#include "res/resource_ids.h"

namespace {

EntryMemory g_memory;
HeapString g_setAside;  // the untrusted file's new path, until the status bar said so
// A file there that could not be read is another's to keep: this run writes nothing over it.
bool g_fileKept = false;

void RememberItem(bool startupTab, const ShortcutItem* item, MemoryKind kind)
{
    RowRef row = item->GetRef();
    wchar_t arguments[INFOTIPSIZE];
    item->GetArguments(arguments, INFOTIPSIZE);
    int slot = GetMemorySlot(startupTab, item->GetSource());
    if (kind == kMemorySeen)
        g_memory.Listed(slot, row.GetName(), item->GetTarget(), arguments);
    else
        g_memory.Removed(slot, kind, row.GetName(), item->GetTarget(), arguments);
}

}  // namespace

void LoadEntryMemory(bool setAside)
{
    // A window made again in the same process starts from the file, as a new run would.
    g_memory.Clear();
    g_setAside.Clear();
    g_fileKept = LoadMemoryFile(g_memory, setAside, &g_setAside) == kMemoryFileUnavailable;
}

void SayIfMemorySetAside()
{
    if (!g_setAside.GetLength())
        return;
    HeapString words = WordsWith(IDS_MEMORY_SET_ASIDE, g_setAside.GetBuffer());
    g_statusBar.SetText(0, words.GetBuffer());
    g_setAside.Clear();
}

void SaveEntryMemory()
{
    if (g_memory.HasAny() && !g_fileKept)
        SaveMemoryFile(g_memory);
}

unsigned GetEntryMarks(bool startupTab, StartupSource source, const wchar_t* name, bool off)
{
    return g_memory.GetMarks(GetMemorySlot(startupTab, source), name, off);
}

void RememberRows(const TabSources& tab, bool folderRead)
{
    // A folder that could not be read, or that the shell names no more, holds nothing to remember:
    // taken for empty, everything in it would be new next time.
    if (folderRead)
        g_memory.StartListing(GetMemorySlot(tab.startup, kSourceUserFolder));
    if (tab.startup) {
        if (tab.common.GetLength())
            g_memory.StartListing(GetMemorySlot(true, kSourceCommonFolder));
        for (int source = kSourceUserRun; source < kStartupSourceCount; ++source)
            g_memory.StartListing(GetMemorySlot(true, static_cast<StartupSource>(source)));
    }
    for (int i = 0; i < g_shortcutList.GetCount(); ++i) {
        const ShortcutItem* item = g_shortcutList.GetAt(i);
        if (item->IsUsable() && (folderRead || item->GetSource() != kSourceUserFolder))
            RememberItem(tab.startup, item, kMemorySeen);
    }
}

void RememberRemoval(bool startupTab, const RowRef& row, const ShortcutItem* item, MemoryKind kind)
{
    if (item)
        RememberItem(startupTab, item, kind);
    else
        g_memory.Removed(GetMemorySlot(startupTab, row.GetSource()), kind, row.GetName(), 0, 0);
}

void RememberAccepted(bool startupTab, StartupSource source, const wchar_t* name)
{
    g_memory.Accepted(GetMemorySlot(startupTab, source), name);
}

void CountMarks(int* fresh, int* back)
{
    *fresh = 0;
    *back = 0;
    for (int i = 0; i < g_shortcutList.GetCount(); ++i) {
        const ShortcutItem* item = g_shortcutList.GetAt(i);
        if (!item->IsUsable())
            continue;
        *fresh += (item->GetStates() & kStateNew) != 0;
        *back += (item->GetStates() & kStateBack) != 0;
    }
}
