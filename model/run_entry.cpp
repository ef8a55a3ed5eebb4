// ShortcutItem::LoadValue: a Run value as a row. Its program and arguments stand where a
// shortcut's target and arguments do, so the state checks and duplicates treat both alike.
#include "model/shortcut_item.h"

#include <shellapi.h>
#include <wchar.h>

#include "model/command_line.h"
#include "model/heap_string.h"
#include "model/shortcut_state.h"

namespace {

// The program's own small icon, or a program's generic one when it has none or is missing.
int ProgramIcon(const wchar_t* program)
{
    SHFILEINFOW info;
    ZeroMemory(&info, sizeof(info));
    const UINT flags = SHGFI_SYSICONINDEX | SHGFI_SMALLICON;
    if (program[0] && SHGetFileInfoW(program, 0, &info, sizeof(info), flags))
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
// was all there was to look in) or holds a variable it could not expand; neither needs a probe.
bool CannotStart(bool found, const wchar_t* program)
{
    if (found || !program)
        return false;
    return !wcspbrk(program, L"\\/:") || HoldsUndefinedVariable(program);
}

}  // namespace

bool ShortcutItem::LoadValue(StartupSource source, const wchar_t* name, const wchar_t* command, const wchar_t* expanded)
{
    Reset();
    if (!name)
        return false;
    // A value of another type than text is no command at all: still a row, to be deleted.
    bool text = command && expanded;
    if (!text)
        command = expanded = L"";
    HeapString program;
    HeapString arguments;
    bool found = text && SplitCommandLine(expanded, program, arguments);
    m_source = source;
    m_valueName = CopyText(name);
    m_name = CopyText(name);
    m_command = CopyText(command);
    m_arguments = CopyText(arguments.GetBuffer() ? arguments.GetBuffer() : L"");
    m_target = CopyText(program.GetBuffer() ? program.GetBuffer() : L"");
    m_targetRead = m_target != 0;
    m_iconIndex = ProgramIcon(m_target ? m_target : L"");
    if (!text)
        m_states |= kStateUnreadable;
    else if (CannotStart(found, program.GetBuffer()))
        m_states |= kStateTargetMissing;
    return text && m_valueName && m_name && m_command && m_arguments && m_targetRead;
}

void ShortcutItem::SetShownName(const wchar_t* name)
{
    delete[] m_name;
    m_name = CopyText(name);
}
