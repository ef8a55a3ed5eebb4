// AddRegistryRows: each key and its switch key are opened once for the whole listing.
#include "commands/startup_rows.h"

#include <shlobj.h>

#include "model/row_ref.h"
#include "model/shortcut_list.h"
#include "model/shortcut_state.h"
#include "model/startup_switch.h"
#include "res/resource_ids.h"

HeapString GetSourceFolder(StartupSource source)
{
    wchar_t path[MAX_PATH] = L"";
    int folder = GetStartupSource(source).folder;
    if (folder < 0 || FAILED(SHGetFolderPathW(0, folder, 0, SHGFP_TYPE_CURRENT, path)))
        path[0] = L'\0';
    return HeapString(path);
}

void AddRegistryRows(const ItemIndex& listed)
{
    // The program's own module holds its words; no window is needed to find it.
    wchar_t unnamed[64] = L"";
    LoadStringW(GetModuleHandleW(0), IDS_DEFAULT_VALUE, unnamed, 64);
    for (int source = kSourceUserRun; source < kStartupSourceCount; ++source) {
        StartupSource kind = static_cast<StartupSource>(source);
        const RegistryPlace* place = GetStartupSource(kind).switches;
        StartupValueReader reader(kind);
        StartupSwitches switches(place);
        StartupValue value;
        while (reader.Next(value) == ERROR_SUCCESS) {
            // A text gone since it was listed is no row. A value of another type runs nothing, but
            // it is listed all the same, as unreadable, so that it can be deleted.
            bool text = value.type == REG_SZ || value.type == REG_EXPAND_SZ;
            if (text && !value.command.GetBuffer())
                continue;
            ShortcutItem* item = g_shortcutList.Add();
            if (!item)
                continue;
            item->SetValue(kind, value.name.GetBuffer(), value.command.GetBuffer(), value.expanded.GetBuffer());
            item->SetStamp(ValueStamp(value.type, value.size, value.dataHash));
            ShortcutItem* before = listed.FindUnchanged(item->GetRef());
            if (before && !item->IsFilled())
                item->TakeDetails(*before);
            // regedit's name for the unnamed value: an empty name would leave the row blank.
            if (value.name.GetBuffer() && !value.name.GetBuffer()[0])
                item->SetShownName(unnamed);
            if (place && switches.IsOff(value.name.GetBuffer()))
                item->AddStates(kStateSwitchedOff);
        }
    }
}
