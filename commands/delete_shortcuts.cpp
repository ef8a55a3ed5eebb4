// DeleteSelectedShortcuts: the selected files in one shell delete, which asks once for them all
// as Explorer does; names the shell would take for others, and the selected Run values, each
// kind with one question of the program's own.
#include "commands/delete_shortcuts.h"

#include <new>

#include "commands/delete_value.h"
#include "commands/entry_marks.h"
#include "commands/message_words.h"
#include "commands/selection_command.h"
#include "controls/main_tabs.h"
#include "controls/shortcut_view.h"
#include "model/exact_path.h"
#include "model/shell_file_operation.h"
#include "model/shortcut_item.h"
#include "model/startup_switch.h"
#include "res/resource_ids.h"

namespace {

// The rows of one kind, as indices into the command's rows, and their names one a line.
struct RowGroup {
    int* rows;  // owned, new[]
    int count;
    HeapString names;

    explicit RowGroup(int capacity) : rows(new (std::nothrow) int[capacity > 0 ? capacity : 1]), count(0) {}
    ~RowGroup() { delete[] rows; }
    void Add(int index, const RowRef& row)
    {
        rows[count++] = index;
        if (names.GetLength())
            names.Append(L"\n");
        names.Append(row.GetName());
    }

private:
    RowGroup(const RowGroup&);
    RowGroup& operator=(const RowGroup&);
};

bool IsGone(const RowRef& row)
{
    RowStamp stamp;
    return !ReadFileStamp(row.GetPath(), &stamp);
}

// After the files of group were deleted, or not: a row goes only with its file, and a Startup
// file's switch after it. Files still there are named, unless the user cancelled.
void TakeStock(SelectionCommand& command, const RowGroup& group, bool startup, bool cancelled)
{
    RowGroup stayed(group.count);
    if (!stayed.rows)
        return;
    for (int i = 0; i < group.count; ++i) {
        const RowRef& row = command.GetRow(group.rows[i]);
        if (!IsGone(row)) {
            stayed.Add(group.rows[i], row);
            continue;
        }
        RememberRemoval(startup, row, command.Find(group.rows[i]), kMemoryDeleted);
        const RegistryPlace* switches = GetStartupSource(row.GetSource()).switches;
        if (startup && switches)
            ForgetStartupSwitch(command.GetMainWindow(), row.GetName(), switches);
        int shown = FindRow(row);
        if (shown >= 0)
            DeleteRow(shown);
    }
    if (!cancelled && stayed.count)
        ShowWordsWith(command.GetMainWindow(), MB_OK | MB_ICONWARNING, IDS_FILES_STAYED, stayed.names.GetBuffer());
}

// Asks whether the files go for good, and puts in asked those still as listed once the user said
// yes: the question may have stood open a while, and nothing brings back what goes for good. A row
// found changed is named once, by the command. False when the user said no.
bool AskForGood(SelectionCommand& command, const RowGroup& files, RowGroup& asked)
{
    if (ShowWordsWith(command.GetMainWindow(), MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2, IDS_DELETE_EXACTLY,
                      files.names.GetBuffer())
        != IDYES)
        return false;
    for (int i = 0; asked.rows && i < files.count; ++i) {
        if (command.Check(files.rows[i]))
            asked.Add(files.rows[i], command.GetRow(files.rows[i]));
    }
    return true;
}

// Through the shell, all at once: one question, one undo, and Cancel deletes nothing. The shell's
// own question leaves no moment to check the files after it: a delete for good asks here instead.
void DeleteThroughShell(SelectionCommand& command, const RowGroup& files, bool startup, bool permanently)
{
    RowGroup asked(files.count);
    if (permanently && !AskForGood(command, files, asked))
        return;
    const RowGroup& deleted = permanently ? asked : files;
    const wchar_t** paths = new (std::nothrow) const wchar_t*[deleted.count > 0 ? deleted.count : 1];  // owned
    if (!paths)
        return;
    for (int i = 0; i < deleted.count; ++i)
        paths[i] = command.GetRow(deleted.rows[i]).GetPath();
    // The shell's own errors would name the files one by one; those left are named once, below.
    bool cancelled = false;
    if (deleted.count)
        RunShellFileOperation(command.GetMainWindow(), FO_DELETE, paths, deleted.count, 0,
                              FOF_NOERRORUI | (permanently ? FOF_NOCONFIRMATION : FOF_ALLOWUNDO), &cancelled);
    delete[] paths;
    TakeStock(command, deleted, startup, cancelled);
}

// Names the shell would take for others: the recycle bin can't have them, but a delete for good
// through their exact paths can, once the user said yes to it here.
void DeleteExactly(SelectionCommand& command, const RowGroup& files, bool startup, bool permanently)
{
    if (!permanently) {
        ShowWordsWith(command.GetMainWindow(), MB_OK | MB_ICONWARNING, IDS_NOT_RECYCLABLE, files.names.GetBuffer());
        return;
    }
    RowGroup asked(files.count);
    if (!AskForGood(command, files, asked))
        return;
    for (int i = 0; i < asked.count; ++i) {
        HeapString exact = ExactPath(command.GetRow(asked.rows[i]).GetPath());
        if (!DeleteFileW(exact.GetBuffer()))
            RemoveDirectoryW(exact.GetBuffer());
    }
    TakeStock(command, asked, startup, false);
}

}  // namespace

void DeleteSelectedShortcuts(HWND mainWindow)
{
    SelectionCommand command(mainWindow, SelectionCommand::kWrites);
    if (!command.IsRunning())
        return;
    // Read once, so every file of this command goes the same way.
    bool permanently = GetKeyState(VK_SHIFT) < 0;
    // A Send To file has no switch to take along, though its folder is the user's too.
    bool startup = IsStartupTabSelected();
    int count = command.GetCount();
    RowGroup files(count);
    RowGroup exactFiles(count);
    RowGroup values(count);
    if (!files.rows || !exactFiles.rows || !values.rows)
        return;
    for (int i = 0; i < count; ++i) {
        const RowRef& row = command.GetRow(i);
        if (row.GetKind() == kRowValue)
            values.Add(i, row);
        else if (command.Check(i))
            (PathIsTrimmedByWin32(row.GetPath()) ? exactFiles : files).Add(i, row);
    }
    if (files.count)
        DeleteThroughShell(command, files, startup, permanently);
    if (exactFiles.count)
        DeleteExactly(command, exactFiles, startup, permanently);
    DeleteSelectedValues(command, values.rows, values.count);
    FocusShortcutView();
}
