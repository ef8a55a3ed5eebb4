// ShortcutItem::LoadValue: a Run value as a row. Its program and arguments stand where a
// shortcut's target and arguments do, so the state checks and duplicates treat both alike.
#include "model/shortcut_item.h"

#include <shellapi.h>

#include "model/command_line.h"
#include "model/heap_string.h"

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

}  // namespace

bool ShortcutItem::LoadValue(StartupSource source, const wchar_t* name, const wchar_t* command, const wchar_t* expanded)
{
    Reset();
    if (!name || !command || !expanded)
        return false;
    HeapString program;
    HeapString arguments;
    SplitCommandLine(expanded, program, arguments);
    m_source = source;
    m_valueName = CopyText(name);
    m_name = CopyText(name);
    m_command = CopyText(command);
    m_arguments = CopyText(arguments.GetBuffer() ? arguments.GetBuffer() : L"");
    m_target = CopyText(program.GetBuffer() ? program.GetBuffer() : L"");
    m_targetRead = m_target != 0;
    m_iconIndex = ProgramIcon(m_target ? m_target : L"");
    return m_valueName && m_name && m_command && m_arguments && m_targetRead;
}
