// AddRegistryRows: each key and its switch key are opened once for the whole listing.
#include "commands/startup_rows.h"

#include <shlobj.h>

#include "model/row_ref.h"
#include "model/shortcut_list.h"
#include "model/shortcut_state.h"
#include "model/startup_switch.h"

HeapString GetSourceFolder(StartupSource source)
{
    wchar_t path[MAX_PATH] = L"";
    int folder = GetStartupSource(source).folder;
    if (folder < 0 || FAILED(SHGetFolderPathW(0, folder, 0, SHGFP_TYPE_CURRENT, path)))
        path[0] = L'\0';
    return HeapString(path);
}

void AddRegistryRows()
{
    for (int source = kSourceUserRun; source < kStartupSourceCount; ++source) {
        StartupSource kind = static_cast<StartupSource>(source);
        const RegistryPlace* place = GetStartupSource(kind).switches;
        StartupValueReader reader(kind);
        StartupSwitches switches(place);
        StartupValue value;
        while (reader.Next(value) == ERROR_SUCCESS) {
            // Only a text runs anything: a value of another type is no entry Windows starts.
            if (!value.command.GetBuffer())
                continue;
            ShortcutItem* item = g_shortcutList.Add();
            if (!item)
                continue;
            item->LoadValue(kind, value.name.GetBuffer(), value.command.GetBuffer(), value.expanded.GetBuffer());
            item->SetStamp(ValueStamp(value.type, value.size, value.dataHash));
            if (place && switches.IsOff(value.name.GetBuffer()))
                item->AddStates(kStateSwitchedOff);
        }
    }
}
