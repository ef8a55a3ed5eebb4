// ShortcutItem::LoadValue: a Run value as a row. Its program and arguments stand where a
// shortcut's target and arguments do, so the state checks and duplicates treat both alike.
#include "model/shortcut_item.h"

#include <shellapi.h>
#include <wchar.h>

#include "model/command_line.h"
#include "model/command_lookups.h"
#include "model/heap_string.h"
#include "model/local_drive.h"
#include "model/shortcut_state.h"

namespace {

// The program's own small icon, or a program's generic one when it has none or was not found:
// a program the command line's reading did not find is not looked for again, as the shell would,
// on a share or a disc that may keep the window waiting.
int ProgramIcon(const wchar_t* program, bool found)
{
    SHFILEINFOW info;
    ZeroMemory(&info, sizeof(info));
    const UINT flags = SHGFI_SYSICONINDEX | SHGFI_SMALLICON;
    if (found && IsOnLocalFixedDrive(program) && SHGetFileInfoW(program, 0, &info, sizeof(info), flags))
        return info.iIcon;
    ZeroMemory(&info, sizeof(info));
    if (SHGetFileInfoW(L".exe", FILE_ATTRIBUTE_NORMAL, &info, sizeof(info), flags | SHGFI_USEFILEATTRIBUTES))
        return info.iIcon;
    return -1;
}

// A %name% the expansion left as it stands, since no such variable is defined.
bool HoldsUndefinedVariable(const wchar_t* text)
{
    for (const wchar_t* open = wcschr(text, L'%'); open;) {
        const wchar_t* close = wcschr(open + 1, L'%');
        if (!close)
            return false;
        wchar_t name[256];
        int length = static_cast<int>(close - open - 1);
        if (length > 0 && length < 256) {
            lstrcpynW(name, open + 1, length + 1);
            SetLastError(ERROR_SUCCESS);
            if (!GetEnvironmentVariableW(name, 0, 0) && GetLastError() == ERROR_ENVVAR_NOT_FOUND)
                return true;
        }
        // An unknown name's closing sign may open the next, as ExpandEnvironmentStrings reads it.
        open = close;
    }
    return false;
}

// Windows can't start a program it did not find when its name has no folder (the search path
// was all there was to look in, unless a folder of it was left unprobed) or holds a variable it
// could not expand.
bool CannotStart(bool found, const wchar_t* program, const ProgramFolders& searchPath)
{
    if (found || !program)
        return false;
    return HoldsUndefinedVariable(program) || (!wcspbrk(program, L"\\/:") && !searchPath.leftOut);
}

}  // namespace

bool ShortcutItem::LoadValue(StartupSource source, const wchar_t* name, const wchar_t* command, const wchar_t* expanded)
{
    return SetValue(source, name, command, expanded) && FillValue();
}

bool ShortcutItem::SetValue(StartupSource source, const wchar_t* name, const wchar_t* command, const wchar_t* expanded)
{
    Reset();
    m_filled = true;
    if (!name)
        return false;
    m_source = source;
    m_valueName = CopyText(name);
    m_name = CopyText(name);
    // A value of another type than text is no command at all: still a row, to be deleted, and
    // there is nothing to find for it.
    if (!command || !expanded) {
        m_setStates = kStateUnreadable;
        m_states |= m_setStates;
        m_command = CopyText(L"");
        return false;
    }
    m_command = CopyText(command);
    m_expanded = CopyText(expanded);
    m_filled = false;
    return m_valueName && m_name && m_command && m_expanded;
}

bool ShortcutItem::FillValue(CommandLookups* lookups, PublisherLookups* publishers)
{
    if (m_filled || !m_expanded)
        return false;
    if (!lookups) {
        // A value filled alone looks its line up alone; a listing's share one set of lookups.
        CommandLookups own;
        return FillValue(&own, publishers);
    }
    m_filled = true;
    HeapString program;
    HeapString arguments;
    bool found = lookups->Split(m_expanded, program, arguments);
    delete[] m_expanded;
    m_expanded = 0;
    m_arguments = CopyText(arguments.GetBuffer() ? arguments.GetBuffer() : L"");
    m_target = CopyText(program.GetBuffer() ? program.GetBuffer() : L"");
    m_targetRead = m_target != 0;
    m_iconIndex = ProgramIcon(m_target ? m_target : L"", found);
    ReadPublisherOf(publishers);
    if (CannotStart(found, program.GetBuffer(), lookups->GetProgramFolders()))
        m_filledStates |= kStateTargetMissing;
    m_states |= m_filledStates;
    return m_arguments && m_targetRead;
}

void ShortcutItem::SetShownName(const wchar_t* name)
{
    delete[] m_name;
    m_name = CopyText(name);
}
