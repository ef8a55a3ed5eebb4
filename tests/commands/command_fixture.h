// What the command tests share: emptied Send To and Startup folders, a scratch tree of items to
// drop or link to, the recycle bin's files folder, and ways to name a row by its shortcut file.
#ifndef QUIVERDESK_TESTS_COMMANDS_COMMAND_FIXTURE_H
#define QUIVERDESK_TESTS_COMMANDS_COMMAND_FIXTURE_H

#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/test_support.h"

typedef std::vector<std::string> Names;

// Scratch tree inside the Wine prefix for the items the shortcuts point at.
extern const char kScratch[];

class CommandTest : public ::testing::Test {
protected:
    void SetUp() override;

    ComScope m_com;  // shortcut files are written before the window exists
    std::string m_sendTo;
    std::string m_startup;
};

// kScratch\relative, created (a one-byte file, or a folder); its parent must exist.
std::string MakeScratchFile(const std::string& relative);
std::string MakeScratchFolder(const std::string& relative);
// folder\name, a shortcut to target.
std::string MakeLink(const std::string& folder, const std::string& name, const std::string& target);
// The names of the files (not folders) in folder that match pattern, sorted.
Names FileNames(const std::string& folder, const char* pattern);
inline Names LinkNames(const std::string& folder) { return FileNames(folder, "*.lnk"); }
// The target a shortcut file names, read back through the shell-link object.
std::string LinkTarget(const std::string& linkPath);

// The recycle bin's files folder, $XDG_DATA_HOME/Trash/files, as Wine names it; empty
// outside Wine.
std::string TrashFolder();
void EmptyTrash();
inline Names TrashNames() { return FileNames(TrashFolder(), "*"); }

// Windows paths name the same file whatever their case.
bool SamePath(const std::string& a, const std::string& b);
// The row that stands for linkPath (by RowLinkPath), or -1.
int RowOfLink(const std::string& linkPath);
// The file name part of a path.
std::string BaseName(const std::string& path);

// The Shift key as GetKeyState sees it on this thread, held while the object lives.
class ShiftHeld {
public:
    ShiftHeld();
    ~ShiftHeld();

private:
    ShiftHeld(const ShiftHeld&);
    ShiftHeld& operator=(const ShiftHeld&);
    BYTE m_saved[256];
};

#endif
