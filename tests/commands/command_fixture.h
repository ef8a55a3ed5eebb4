// What the command tests share: emptied Send To and Startup folders, a scratch tree of items to
// drop or link to, the recycle bin's files folder, and ways to name a row by its shortcut file.
#ifndef QUIVERDESK_TESTS_COMMANDS_COMMAND_FIXTURE_H
#define QUIVERDESK_TESTS_COMMANDS_COMMAND_FIXTURE_H

#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/test_support.h"

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
// The names of the .lnk files in folder, sorted.
std::vector<std::string> LinkNames(const std::string& folder);
// The target a shortcut file names, read back through the shell-link object.
std::string LinkTarget(const std::string& linkPath);

// The recycle bin's files folder ($XDG_DATA_HOME/Trash/files) as a Windows path.
std::string TrashFolder();
// Names of the files now in the recycle bin, sorted.
std::vector<std::string> TrashNames();

// The shortcut file a row stands for, by the row's parameter.
std::string RowLinkPath(int row);
// The row that stands for linkPath, or -1.
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
