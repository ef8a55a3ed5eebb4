// One row of the tab on show: a file of a folder, either a shortcut (.lnk), read through the
// shell-link object bound to it, or any other file or folder, which has a name and an icon but no
// target; or a value of a Run key, whose program and arguments come from its command line. Its
// path, name, target, arguments and description are UTF-16, exactly as the system holds them.
#ifndef QUIVERDESK_MODEL_SHORTCUT_ITEM_H
#define QUIVERDESK_MODEL_SHORTCUT_ITEM_H

#include <windows.h>
#include <shlobj.h>

#include "model/cloneable.h"
#include "model/row_ref.h"
#include "model/startup_sources.h"

class BoundFolder;
class CommandLookups;
class LocalizedNames;
class PublisherLookups;

class ShortcutItem : public Cloneable {
public:
    // The link object is made when a shortcut is first read: a listing names thousands of rows
    // before it reads one.
    ShortcutItem();
    virtual ~ShortcutItem();

    // A fresh, unbound item: nothing of this item is copied.
    virtual Cloneable* Clone() const;

    // Binds the item to a file; true when it is a shortcut and the link now reflects the file.
    // The path is kept even when loading fails, so the shell can still name the file. A path the
    // shell's file calls can't take (MAX_PATH or longer) leaves the item unusable.
    bool Load(const wchar_t* path);
    // The same for the file name of folder, whose path is folderPath; name and icon come from
    // the bound folder, and the shown name from names where its desktop.ini gives one. attributes
    // are the file's, as the folder's listing gave them, or INVALID_FILE_ATTRIBUTES to ask.
    bool Load(const BoundFolder& folder, const wchar_t* folderPath, const wchar_t* name,
              DWORD attributes = INVALID_FILE_ATTRIBUTES, const LocalizedNames* names = 0);
    // The two halves of that Load, for a listing that shows names first: SetFile names the row
    // by its file (its path, its file name, Hidden) and costs no shell call; FillFile asks the
    // shell for its name and icon and reads the shortcut, and its target's publisher, through
    // publishers when given. False from SetFile for a path too long to act on: the row is then
    // filled already, unusable.
    bool SetFile(const wchar_t* folderPath, const wchar_t* name, DWORD attributes);
    bool FillFile(const BoundFolder& folder, const LocalizedNames* names, PublisherLookups* publishers = 0);
    // Binds the item to a value of a registry source: name is the value's, command its command
    // line as stored and expanded its variables expanded (model/run_entry.cpp). A value that holds
    // no text (both null) is a row all the same, unreadable and with no target; false for it.
    bool LoadValue(StartupSource source, const wchar_t* name, const wchar_t* command, const wchar_t* expanded);
    // Its two halves, as for a file: SetValue keeps the texts, FillValue finds the program and its
    // publisher, through lookups and publishers when given, which answer each distinct one once.
    bool SetValue(StartupSource source, const wchar_t* name, const wchar_t* command, const wchar_t* expanded);
    bool FillValue(CommandLookups* lookups = 0, PublisherLookups* publishers = 0);
    // False between SetFile or SetValue and the fill that completes it.
    bool IsFilled() const { return m_filled; }
    // What was filled for the same file or value, as listed before, unchanged since: taken from
    // old instead of read again. old is left with this item's details.
    void TakeDetails(ShortcutItem& old);
    // Trades everything with other: the entry of a listing moves into the list's own item.
    void Exchange(ShortcutItem& other);
    // For a row whose file or value went: it stands for nothing, and nothing fills it.
    void Forget();
    // Drops the states the checks found (target, duplicate, an unreadable shortcut), which the
    // next check finds afresh; the switch, Hidden and what the fill found stay.
    void ForgetCheckedStates();
    // The name the row shows in place of its value name, which stays as the registry holds it.
    void SetShownName(const wchar_t* name);
    // Where the row comes from; a folder row is its folder's source, set after its Load.
    StartupSource GetSource() const { return m_source; }
    void SetSource(StartupSource source) { m_source = source; }
    // A registry row's value name, or null for a file.
    const wchar_t* GetValueName() const { return m_valueName; }
    // What the row was read from when listed: the listing stamps it, and a command that writes
    // compares the stamp with what is there then (model/row_ref.h).
    void SetStamp(const RowStamp& stamp) { m_stamp = stamp; }
    const RowStamp& GetStamp() const { return m_stamp; }
    RowRef GetRef() const;
    // True when ref names this row's file or value, exactly.
    bool Is(const RowRef& ref) const;
    // A subfolder of a folder source: nothing runs it, and it has no switch of its own.
    bool IsFolder() const { return m_path && !m_valueName && (m_stamp.attributes & FILE_ATTRIBUTE_DIRECTORY); }
    // For a file the shell can't act on, or a value no name reaches: the row shows shownName and
    // nothing acts on it.
    void MarkUnusable(const wchar_t* shownName);

    // Null before Load, for an unusable item and for a registry row: no file command may act
    // without a path.
    const wchar_t* GetLinkPath() const { return m_path; }
    bool IsUsable() const { return m_path != 0 || m_valueName != 0; }
    // A .lnk file, which the link object reads; any other file or folder has no target.
    bool IsShortcut() const { return m_isShortcut; }
    // True once the link reflects its file: a shortcut that is not loaded is no readable shortcut.
    bool IsLoaded() const { return m_persistFile != 0; }

    // These always leave a terminated text in the buffer, empty when nothing could be had.
    bool GetDisplayName(wchar_t* buffer, int capacity) const;
    bool GetTargetPath(wchar_t* buffer, int capacity) const;
    // The same target, held by the item until its next Load; never null.
    const wchar_t* GetTarget() const { return m_targetRead ? m_target : L""; }
    bool GetDescription(wchar_t* buffer, int capacity) const;
    // The company the target program's version information names (model/publisher.h); never null.
    const wchar_t* GetPublisher() const { return m_publisher ? m_publisher : L""; }
    bool GetArguments(wchar_t* buffer, int capacity) const;

    // ShortcutState bits; cleared by every Load.
    unsigned GetStates() const { return m_states; }
    // The states a check of the target does not give: the switch, the attribute, and what the
    // entry and its fill found.
    unsigned GetKnownStates() const;
    void AddStates(unsigned states) { m_states |= states; }
    void RemoveStates(unsigned states) { m_states &= ~states; }
    // Adds states when set, removes them otherwise: a command's new answer for them.
    void SetStates(unsigned states, bool set) { m_states = set ? m_states | states : m_states & ~states; }

    // The file's small icon in the shell's system image list, or -1 when the shell gave none.
    int GetIconIndex() const { return m_iconIndex; }

private:
    ShortcutItem(const ShortcutItem&);
    ShortcutItem& operator=(const ShortcutItem&);
    void Reset();
    bool LoadLink();
    bool MakeLink();
    // Each GetPath call costs about as much as every other check of a row put together (measured
    // under Wine): the target is read once, when the file is loaded.
    void ReadTarget();
    void ReadPublisherOf(PublisherLookups* publishers);

    wchar_t* m_path;              // owned
    wchar_t* m_name;              // owned; the shell's display name, or the name an unusable row shows
    int m_iconIndex;              // into the shell's system small-icon list
    unsigned m_states;            // ShortcutState bits
    unsigned m_filledStates;      // those the fill found, which a listing that takes the details keeps
    unsigned m_setStates;         // those known from the entry alone: a value that holds no text
    bool m_filled;                // the fill has run
    wchar_t* m_target;            // owned; the target path read at load, maybe empty
    bool m_targetRead;            // the link answered for its target
    wchar_t* m_publisher;         // owned; the target's company, or null for none
    bool m_isShortcut;            // a .lnk file, not a folder
    StartupSource m_source;       // the folder's or the key's the row comes from
    wchar_t* m_valueName;         // owned; a registry row's value name, else null
    RowStamp m_stamp;             // the file or value as listed
    wchar_t* m_command;           // owned; a registry row's whole command line
    wchar_t* m_arguments;         // owned; what the command line hands its program
    wchar_t* m_expanded;          // owned; a Run value's command line expanded, until its fill
    IShellLinkW* m_link;          // one reference, owned
    IPersistFile* m_persistFile;  // one reference, owned; only after a successful Load
};

#endif
