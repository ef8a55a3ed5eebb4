// The stress suite's witness: every file under the test tree hashed before and after a case, and
// the difference held against what the case's user actions named.
#ifndef QUIVERDESK_TESTS_STRESS_STRESS_TREE_H
#define QUIVERDESK_TESTS_STRESS_STRESS_TREE_H

#include <windows.h>

#include <map>
#include <set>
#include <string>
#include <vector>

// Where a case keeps the items it drops or links to, outside the profile.
extern const char kScratch[];

std::wstring Widen(const std::string& ansi);
std::string Utf8(const std::wstring& wide);
// The \\?\ form, which reaches paths of any length.
std::wstring LongForm(const std::string& path);
// The recycle bin as Wine keeps it: $XDG_DATA_HOME/Trash, through the drive that shows the Unix root.
std::string TrashRoot();
// Empties dir, long names and read-only entries included; dir itself stays.
void ClearTree(const std::string& dir);

struct TreeEntry {
    bool folder;  // folders, and links that lead outside the tree, which are not followed
    ULONGLONG size;
    ULONGLONG hash;  // FNV-1a over the bytes
};
// Keyed by the upper-case path: the file system ignores case, so the comparison does too.
typedef std::map<std::wstring, TreeEntry> Tree;

// Summary figures for the whole run.
extern int g_casesRun;
extern long long g_filesChecked;

// One case: the tree is taken when the watch is made, and Check compares it with the tree then.
class TreeWatch {
public:
    // Watches the user's profile, the recycle bin and the scratch folder, plus extraRoots.
    explicit TreeWatch(const std::vector<std::string>& extraRoots = std::vector<std::string>());

    // Must appear as a new file.
    TreeWatch& Added(const std::string& path);
    // Must be gone, with its bytes kept as they were in the recycle bin.
    TreeWatch& Recycled(const std::string& path);
    // May go to the recycle bin, or may stay as it was: the shell's call.
    TreeWatch& MayBeRecycled(const std::string& path);
    // A folder the shell may make again, provided it stays empty.
    TreeWatch& MayReappearEmpty(const std::string& folder);

    // Expects the differences to be exactly those allowed, and the window to answer a message.
    // Returns the paths of the folders MayReappearEmpty allowed that came back.
    std::vector<std::string> Check(const std::string& caseName, HWND window);

private:
    std::vector<std::wstring> m_roots;
    std::wstring m_trashFiles;
    std::wstring m_trashInfo;
    Tree m_before;
    std::set<std::wstring> m_added;
    std::set<std::wstring> m_recycled;
    std::set<std::wstring> m_mayGo;
    std::set<std::wstring> m_mayReappear;
};

#endif
