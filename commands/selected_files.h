// The files of the selected rows, taken before a command's first dialog or shell call: those
// run message loops, where a refresh or an edit may move the rows under the command.
#ifndef QUIVERDESK_COMMANDS_SELECTED_FILES_H
#define QUIVERDESK_COMMANDS_SELECTED_FILES_H

#include "model/heap_string.h"

class SelectedFiles {
public:
    // Takes the identity of every selected row a command may act on, in row order.
    SelectedFiles();
    ~SelectedFiles();

    int GetCount() const { return m_count; }
    // What finds the row again (FindRowOfFile), for a file or a registry row.
    const wchar_t* GetIdentity(int index) const { return m_paths[index].GetBuffer(); }
    // The file's path; null for a registry row, which no file call may be handed.
    const wchar_t* GetPath(int index) const
    {
        const wchar_t* identity = m_paths[index].GetBuffer();
        return identity && identity[0] != L'|' ? identity : 0;
    }
    // False once the view was filled again: its rows no longer stand for the files taken, and
    // the command acts on nothing more.
    bool RowsStillStand() const;

private:
    SelectedFiles(const SelectedFiles&);
    SelectedFiles& operator=(const SelectedFiles&);

    HeapString* m_paths;  // owned, new[]
    int m_count;
    unsigned m_fillCount;
};

#endif
