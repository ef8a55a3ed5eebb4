// Shortcut files written by real Windows (tests/data/lnk): each item must show what Wine's own
// IShellLinkA reported for the file, and take its icon from the shell's system list.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "model/shortcut_item.h"
#include "support/test_support.h"
#include "guarded_text.h"

namespace {

// The probe file is UTF-8; items answer in the ANSI code page.
std::string Utf8ToAnsi(const std::string& utf8)
{
    std::wstring wide(MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, 0, 0), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, &wide[0], static_cast<int>(wide.size()));
    std::string ansi(WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, 0, 0, 0, 0), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, &ansi[0], static_cast<int>(ansi.size()), 0, 0);
    ansi.resize(ansi.size() - 1);
    return ansi;
}

typedef DWORD_PTR(WINAPI* GetFileInfoFunction)(LPCSTR, DWORD, SHFILEINFOA*, UINT, UINT);
GetFileInfoFunction g_getFileInfo;
int g_handedOut;

DWORD_PTR WINAPI CountingGetFileInfo(LPCSTR path, DWORD attributes, SHFILEINFOA* info, UINT size, UINT flags)
{
    DWORD_PTR result = g_getFileInfo(path, attributes, info, size, flags);
    if (result && (flags & SHGFI_ICON) && info && info->hIcon)
        ++g_handedOut;
    return result;
}

}  // namespace

// Icons are named by their index in the shell's system list: no item makes an icon of its own.
TEST(LnkSamples, ItemsShowWhatTheShellLinkObjectReportsAndMakeNoIcons)
{
    ASSERT_EQ(932u, GetACP()) << "the probe was taken with ANSI code page 932: run with LC_ALL=ja_JP.UTF-8";
    ComScope com;
    ASSERT_TRUE(com.Ok());
    ScopedImportPatch getFileInfo("shell32.dll", "SHGetFileInfoA", reinterpret_cast<void*>(&CountingGetFileInfo));
    ASSERT_TRUE(getFileInfo.Original()) << "SHGetFileInfoA not imported by name";
    g_getFileInfo = reinterpret_cast<GetFileInfoFunction>(getFileInfo.Original());

    // Columns: file, load_hr, A_getpath_hr, A_path, A_desc_hr, A_desc, ... A text that came with
    // S_FALSE (Wine left the probe's buffer as it was) must read as empty.
    std::istringstream probe(ReadFileBytes(TestDataPath("lnk/wine_probe_output.LC_ALL-ja_JP.tsv")));
    const std::string ok = "0x00000000";
    int samples = 0;
    for (std::string line; std::getline(probe, line);) {
        std::vector<std::string> f;
        std::istringstream fields(line);
        for (std::string field; std::getline(fields, field, '\t');)
            f.push_back(field);
        if (f.size() < 6 || f[0] == "file")
            continue;
        ++samples;
        const std::string path = TestDataPath("lnk/" + f[0]);
        ASSERT_TRUE(FileExists(path)) << path;
        g_handedOut = 0;
        ShortcutItem item;
        EXPECT_EQ(f[1] == ok, item.Load(path.c_str())) << f[0];
        for (int round = 0; round < 2; ++round) {  // as repeated refreshes ask
            const ShownTexts shown = ReadTexts(item);
            EXPECT_EQ(f[2] == ok ? Utf8ToAnsi(f[3]) : "", shown.target) << f[0];
            EXPECT_EQ(f[4] == ok ? Utf8ToAnsi(f[5]) : "", shown.description) << f[0];
            EXPECT_FALSE(shown.name.empty()) << f[0];
            EXPECT_NE("<unterminated>", shown.name) << f[0];
            EXPECT_TRUE(shown.guardsIntact) << f[0];
            EXPECT_GE(item.GetIconIndex(), 0) << f[0];
        }
        EXPECT_EQ(0, g_handedOut) << f[0] << ": icons come from the system list, none is made";
    }
    EXPECT_EQ(29, samples) << "probe file missing or damaged";
}
