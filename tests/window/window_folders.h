// Fills the Send To and Startup folders of the test prefix for the window tests: real shortcut
// samples, and the things that must not show (files that are no .lnk) or must not break a scan.
#ifndef QUIVERDESK_TESTS_WINDOW_WINDOW_FOLDERS_H
#define QUIVERDESK_TESTS_WINDOW_WINDOW_FOLDERS_H

#include <windows.h>
#include <shlobj.h>

#include <string>

#include "support/test_support.h"

// The folders a test works in, emptied on the way.
struct ShellFolders {
    std::string sendTo;
    std::string startup;
};

inline std::wstring Widen(const std::string& ansi)
{
    std::wstring wide(MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, 0, 0), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, &wide[0], static_cast<int>(wide.size()));
    wide.resize(wide.size() - 1);
    return wide;
}

// The \\?\ form reaches names that the 8-bit calls can't, those past 260 bytes in all.
inline std::wstring LongForm(const std::string& path)
{
    return L"\\\\?\\" + Widen(path);
}

// EmptyFolder, plus the files whose paths are too long for it.
inline void ClearFolder(const std::string& dir)
{
    EmptyFolder(dir);
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((LongForm(dir) + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            DeleteFileW((LongForm(dir) + L"\\" + found.cFileName).c_str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

// Call first in every test that writes the folders: it refuses to touch a real user's.
inline ShellFolders PrepareShellFolders()
{
    RequireSafeShellFolders();
    ShellFolders folders;
    folders.sendTo = ShellFolderPath(CSIDL_SENDTO);
    folders.startup = ShellFolderPath(CSIDL_STARTUP);
    ClearFolder(folders.sendTo);
    ClearFolder(folders.startup);
    return folders;
}

inline std::string SamplePath(const std::string& sample)
{
    return TestDataPath("lnk/" + sample);
}

// Copies a sample from tests/data/lnk into dir under name (the sample's own name by default).
inline bool AddSample(const std::string& dir, const std::string& sample, const std::string& name = "")
{
    return CopyFileW(Widen(SamplePath(sample)).c_str(),
                     LongForm(dir + "\\" + (name.empty() ? sample : name)).c_str(), FALSE) != FALSE;
}

#endif
