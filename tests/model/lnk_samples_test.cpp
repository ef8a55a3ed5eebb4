// Shortcut files written by real Windows (tests/data/lnk): each item must show what Wine's own
// IShellLinkA reports for the file, and every icon the items hand out must come back.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <set>
#include <string>
#include <vector>

#include "model/shortcut_item.h"
#include "model/shortcut_list.h"
#include "support/test_support.h"
#include "guarded_text.h"

namespace {

const size_t kSampleCount = 29;

// One row of wine_probe_output.LC_ALL-ja_JP.tsv, turned into what an item must show.
struct Sample {
    std::string file;
    bool loads;
    std::string target;       // ANSI (code page 932)
    std::string description;  // ANSI
};

std::vector<std::string> SplitTabs(const std::string& line)
{
    std::vector<std::string> fields;
    size_t start = 0;
    for (size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
        fields.push_back(line.substr(start, tab - start));
    fields.push_back(line.substr(start));
    return fields;
}

// The probe file is UTF-8; the item answers in the ANSI code page.
std::string Utf8ToAnsi(const std::string& utf8)
{
    if (utf8.empty())
        return utf8;
    std::wstring wide(MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, 0, 0), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, &wide[0], static_cast<int>(wide.size()));
    std::string ansi(WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, 0, 0, 0, 0), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, &ansi[0], static_cast<int>(ansi.size()), 0, 0);
    ansi.resize(ansi.size() - 1);
    return ansi;
}

// Columns: file, load_hr, A_getpath_hr, A_path, A_desc_hr, A_desc, ... A path that came with
// S_FALSE (Wine left the probe's buffer as it was) must read as empty text.
std::vector<Sample> ReadProbe()
{
    std::vector<Sample> samples;
    std::string text = ReadFileBytes(TestDataPath("lnk/wine_probe_output.LC_ALL-ja_JP.tsv"));
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line[line.size() - 1] == '\r')
            line.resize(line.size() - 1);
        std::vector<std::string> f = SplitTabs(line);
        if (f.size() < 6 || f[0] == "file" || line[0] == '#')
            continue;
        const std::string ok = "0x00000000";
        Sample sample;
        sample.file = f[0];
        sample.loads = f[1] == ok;
        sample.target = f[2] == ok ? Utf8ToAnsi(f[3]) : std::string();
        sample.description = f[4] == ok ? Utf8ToAnsi(f[5]) : std::string();
        samples.push_back(sample);
    }
    return samples;
}

std::string SamplePath(const std::string& file)
{
    return TestDataPath("lnk/" + file);
}

}  // namespace

TEST(LnkSamples, ItemsShowWhatTheShellLinkObjectReports)
{
    ASSERT_EQ(932u, GetACP()) << "the probe was taken with ANSI code page 932: run with LC_ALL=ja_JP.UTF-8";
    ComScope com;
    ASSERT_TRUE(com.Ok());
    std::vector<Sample> samples = ReadProbe();
    ASSERT_EQ(kSampleCount, samples.size()) << "probe file missing or damaged";

    for (const Sample& sample : samples) {
        std::string path = SamplePath(sample.file);
        ASSERT_TRUE(FileExists(path)) << path;
        ShortcutItem item;
        EXPECT_EQ(sample.loads, item.Load(path.c_str())) << sample.file;

        GuardedText target, description, name;
        item.GetTargetPath(target.Data(), target.Capacity());
        item.GetDescription(description.Data(), description.Capacity());
        item.GetDisplayName(name.Data(), name.Capacity());
        EXPECT_EQ(sample.target, target.Text()) << sample.file;
        EXPECT_EQ(sample.description, description.Text()) << sample.file;
        EXPECT_FALSE(name.Text().empty()) << sample.file;
        EXPECT_NE("<unterminated>", name.Text()) << sample.file;
        EXPECT_TRUE(target.GuardIntact() && description.GuardIntact() && name.GuardIntact()) << sample.file;
    }
}

namespace icons {

typedef DWORD_PTR(WINAPI* GetFileInfoFunction)(LPCSTR, DWORD, SHFILEINFOA*, UINT, UINT);
typedef BOOL(WINAPI* DestroyIconFunction)(HICON);

GetFileInfoFunction g_getFileInfo = 0;
DestroyIconFunction g_destroyIcon = 0;
std::set<HICON> g_live;  // handed out by the shell, not yet destroyed
int g_handedOut = 0;

DWORD_PTR WINAPI CountingGetFileInfo(LPCSTR path, DWORD attributes, SHFILEINFOA* info, UINT size, UINT flags)
{
    DWORD_PTR result = g_getFileInfo(path, attributes, info, size, flags);
    if (result && (flags & SHGFI_ICON) && info && info->hIcon) {
        ++g_handedOut;
        g_live.insert(info->hIcon);
    }
    return result;
}

BOOL WINAPI CountingDestroyIcon(HICON icon)
{
    BOOL destroyed = g_destroyIcon(icon);
    if (destroyed)
        g_live.erase(icon);
    return destroyed;
}

}  // namespace icons

// The caller of GetSmallIcon owns the icon. Counting what the shell hands out against what is
// destroyed shows the items keep or leak none of their own: no icon from the text queries, and
// each returned icon is a fresh one that its owner destroys exactly once.
TEST(LnkSamples, EveryIconHandedOutIsTheCallersAndIsDestroyedOnce)
{
    ComScope com;
    ASSERT_TRUE(com.Ok());
    ScopedImportPatch getFileInfo("shell32.dll", "SHGetFileInfoA",
                                  reinterpret_cast<void*>(&icons::CountingGetFileInfo));
    ScopedImportPatch destroyIcon("user32.dll", "DestroyIcon", reinterpret_cast<void*>(&icons::CountingDestroyIcon));
    ASSERT_NE(nullptr, getFileInfo.Original()) << "SHGetFileInfoA is not imported by name";
    ASSERT_NE(nullptr, destroyIcon.Original()) << "DestroyIcon is not imported by name";
    icons::g_getFileInfo = reinterpret_cast<icons::GetFileInfoFunction>(getFileInfo.Original());
    icons::g_destroyIcon = reinterpret_cast<icons::DestroyIconFunction>(destroyIcon.Original());
    icons::g_live.clear();
    icons::g_handedOut = 0;

    ShortcutList list;
    std::vector<Sample> samples = ReadProbe();
    for (const Sample& sample : samples)
        list.AddShortcut(SamplePath(sample.file).c_str());
    ASSERT_EQ(static_cast<int>(kSampleCount), list.GetCount());

    int returned = 0;
    for (int round = 0; round < 3; ++round) {  // as repeated refreshes would ask
        for (int i = 0; i < list.GetCount(); ++i) {
            const ShortcutItem* item = list.GetAt(i);
            char text[MAX_PATH];
            item->GetDisplayName(text, sizeof(text));
            item->GetTargetPath(text, sizeof(text));
            item->GetDescription(text, sizeof(text));
            HICON icon = item->GetSmallIcon();
            EXPECT_NE(nullptr, icon) << samples[i].file;
            if (!icon)
                continue;
            ++returned;
            EXPECT_TRUE(DestroyIcon(icon)) << samples[i].file;
            EXPECT_FALSE(DestroyIcon(icon)) << samples[i].file << ": the icon was shared, not handed over";
        }
    }
    EXPECT_EQ(returned, icons::g_handedOut) << "icons the shell gave the items but the items did not return";
    EXPECT_TRUE(icons::g_live.empty()) << icons::g_live.size() << " icons were never destroyed";
}
