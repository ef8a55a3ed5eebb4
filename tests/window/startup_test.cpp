// The Startup tab over every place Windows starts programs from: each source's row with its place
// and states, shown without a click, switched in its own key alone, refused without rights, and
// deleted with a way back; and duplicates found across a folder and a Run key.
#include "model/startup_sources.h"
#include "support/support.h"

namespace {

const Text kVersion = L"\\Microsoft\\Windows\\CurrentVersion\\";
const Text kUserApproved = L"Software" + kVersion + L"Explorer\\StartupApproved\\";
const Text kMachineApproved = L"SOFTWARE" + kVersion + L"Explorer\\StartupApproved\\";
const HKEY kUser = HKEY_CURRENT_USER, kMachine = HKEY_LOCAL_MACHINE;

// Spelt out rather than read from the program's table, so that a wrong key shows.
const struct {
    HKEY root;
    Text key, switches;  // key empty: a folder source; switches empty: no switch
    Text place;
} kSources[] = {
    {kUser, L"", kUserApproved + L"StartupFolder", L"ユーザーのフォルダー"},
    {kMachine, L"", kMachineApproved + L"StartupFolder", L"全ユーザーのフォルダー"},
    {kUser, L"Software" + kVersion + L"Run", kUserApproved + L"Run", L"ユーザーのレジストリ"},
    {kMachine, L"SOFTWARE" + kVersion + L"Run", kMachineApproved + L"Run", L"全ユーザーのレジストリ"},
    {kMachine, L"SOFTWARE\\WOW6432Node" + kVersion + L"Run", kMachineApproved + L"Run32",
     L"全ユーザーのレジストリ (32 ビット)"},
    {kUser, L"Software" + kVersion + L"RunOnce", L"", L"一度だけ (ユーザー)"},
    {kMachine, L"SOFTWARE" + kVersion + L"RunOnce", L"", L"一度だけ (全ユーザー)"},
};

// Each source's entry: a plain file in a folder, a value naming a missing program in a key.
Text EntryName(size_t i)
{
    return L"qd" + std::to_wstring(i) + (kSources[i].key.empty() ? L".txt" : L" run");
}

int RowNamed(const Text& name)
{
    for (int row = 0; row < RowCount(); ++row)
        if (RowText(row, kNameColumn) == name)
            return row;
    return -1;
}

Names g_texts;

class StartupTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        wchar_t common[MAX_PATH] = L"";
        SHGetSpecialFolderPathW(0, common, CSIDL_COMMON_STARTUP, TRUE);
        m_common = common;
        for (const auto& source : kSources)
            for (const Text& key : {source.key, source.switches})
                if (!key.empty())
                    m_made.push_back({source.root, FirstMissing(source.root, key)});
        MainWindowTest::SetUp();
    }
    void TearDown() override
    {
        MainWindowTest::TearDown();
        for (size_t i = 0; i < std::size(kSources); ++i) {
            for (const Text& key : {kSources[i].key, kSources[i].switches})
                for (const Text& name : {EntryName(i), Text(L"qd dup")})
                    RegDeleteKeyValueW(kSources[i].root, key.c_str(), name.c_str());
        }
        DeleteFileW((m_common + L"\\" + EntryName(1)).c_str());
        for (const Text& file : m_files)
            DeleteFileW(file.c_str());
        for (const auto& [root, made] : m_made)
            if (!made.empty())
                RegDeleteTreeW(root, made.c_str());
    }
    Text Folder(size_t i) const { return i ? m_common : m_startup; }
    Text m_common;
    std::vector<std::pair<HKEY, Text>> m_made;
    Names m_files;
};

}  // namespace

TEST_F(StartupTest, EverySourceIsListedSwitchedInItsOwnKeyRefusedAndDeletedWithAWayBack)
{
    WriteBytes(m_startup + L"\\" + EntryName(0), "x");
    WriteBytes(m_common + L"\\" + EntryName(1), "x");
    ClickTab(1);
    // Values made behind the program's back: the tab shows them without a click.
    for (size_t i = 2; i < std::size(kSources); ++i) {
        const Text line = L"\"C:\\qdtest\\gone " + std::to_wstring(i) + L".exe\" /x";
        RegSetKeyValueW(kSources[i].root, kSources[i].key.c_str(), EntryName(i).c_str(), REG_EXPAND_SZ, line.c_str(),
                        (line.size() + 1) * sizeof(wchar_t));
    }
    ASSERT_TRUE(PumpLiveUntil(
        m_window, [] { return RowNamed(EntryName(2)) >= 0 && RowNamed(EntryName(6)) >= 0; }, 5000));
    EXPECT_EQ(kColumnCount, GetColumnCount());
    for (size_t i = 0; i < std::size(kSources); ++i) {
        const auto& [root, key, switches, place] = kSources[i];
        SCOPED_TRACE(i);
        const Text name = EntryName(i);
        ASSERT_GE(RowNamed(name), 0);
        EXPECT_EQ(place, RowText(RowNamed(name), kPlaceColumn));
        EXPECT_EQ(key.empty() ? L"" : L"リンク先なし", RowText(RowNamed(name), kStateColumn));
        // Off and on again, in its own key and no other ("-": none); RunOnce has no switch to write.
        for (bool on : {false, true}) {
            SelectRows({RowNamed(name)});
            Command(on ? CMD_SWITCH_ON : CMD_SWITCH_OFF);
            std::string written, expected;
            for (const auto& other : kSources) {
                std::string bytes = Raw(other.root, other.switches, name);
                written += bytes.size() == 14 ? bytes[2] : bytes.empty() ? '-' : '?';
                expected += &other == &kSources[i] && !switches.empty() ? (on ? 2 : 3) : '-';
            }
            EXPECT_EQ(expected, written);
            EXPECT_EQ(!on && !switches.empty(), RowText(RowNamed(name), kStateColumn).find(L"無効") != Text::npos);
        }
        EXPECT_EQ(!switches.empty(), SendMessageA(g_toolBar.GetWindow(), TB_ISBUTTONENABLED, CMD_SWITCH_OFF, 0) != 0);
        // Refused: the row and the key stay; only the machine's keys ask for an administrator.
        const std::string before = Raw(root, switches, name);
        ImportPatch message(
            __imp_MessageBoxW, +[](HWND, LPCWSTR text, LPCWSTR, UINT) { return g_texts.push_back(text), IDYES; });
        g_texts.assign(1, L"");
        {
            ImportPatch refused(
                __imp_RegSetValueExW,
                +[](HKEY, LPCWSTR, DWORD, DWORD, const BYTE*, DWORD) { return LONG(ERROR_ACCESS_DENIED); });
            SelectRows({RowNamed(name)});
            Command(CMD_SWITCH_OFF);
        }
        EXPECT_EQ(before
                      + (switches.empty()   ? ""
                         : root == kMachine ? "admin"
                                            : "refused"),
                  Raw(root, switches, name)
                      + (g_texts.size() < 2                         ? ""
                         : g_texts[1].find(L"管理者") != Text::npos ? "admin"
                                                                    : "refused"));
        EXPECT_EQ(Text::npos, RowText(RowNamed(name), kStateColumn).find(L"無効"));
        // Deleted: a file to the recycle bin, a value to a .reg file that merges back exactly.
        ShellRecorder shell;
        g_texts.clear();
        const std::string value = Raw(root, key, name);
        SelectRows({RowNamed(name)});
        Command(CMD_DELETE);
        EXPECT_EQ(-1, RowNamed(name));
        EXPECT_EQ("", Raw(root, key, name) + Raw(root, switches, name));
        if (key.empty()) {
            EXPECT_EQ(Names({L"recycle: " + Folder(i) + L"\\" + name, L"recycle: " + TempPath(name + L".reg")}),
                      g_calls);
            continue;
        }
        ASSERT_EQ(1u, g_texts.size());
        EXPECT_NE(Text::npos, g_texts[0].find(place + L" の「" + name + L"」"));
        wchar_t status[1024] = L"";
        SendMessageW(MainChild(CTRL_STATUS), SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(status));
        ASSERT_TRUE(wcsstr(status, L".reg に保存しました")) << Ansi(status);
        m_files.push_back(Text(status).substr(0, Text(status).find(L" に保存しました")));
        Merge(m_files.back());
        EXPECT_EQ(value + before, Raw(root, key, name) + Raw(root, switches, name));
    }
}

// One program with the same arguments, from a shortcut and from a Run value whose unquoted path
// holds a space, is a duplicate on both rows; the context menu offers to restart elevated.
TEST_F(StartupTest, ADuplicateSpansAFolderAndARunKeyAndTheProgramRestartsElevated)
{
    ScratchFolder(L"dup dir");
    const Text program = ScratchFile(L"dup dir\\dup.exe"), line = program + L" -a";
    MakeLink(m_startup, L"dup.lnk", program, L"-a");
    RegSetKeyValueW(kUser, kSources[2].key.c_str(), L"qd dup", REG_SZ, line.c_str(), (line.size() + 1) * 2);
    ClickTab(1);
    EXPECT_EQ(L"重複|重複",
              RowText(RowNamed(L"dup"), kStateColumn) + L"|" + RowText(RowNamed(L"qd dup"), kStateColumn));
    EXPECT_EQ(program, RowText(RowNamed(L"qd dup"), kTargetColumn));
    // A Run value's program stands for its file: its folder is explored, its sheet shown.
    ShellRecorder shell;
    SelectRows({RowNamed(L"qd dup")});
    Command(CMD_EXPLORE_TARGET);
    Command(CMD_PROPERTIES);
    EXPECT_EQ(Names({L"explore: C:\\qdtest\\dup dir", L"properties: " + program}), g_calls);
    g_calls.clear();
    ClickTab(0);
    EXPECT_EQ(kPlaceColumn, GetColumnCount());
    wchar_t self[MAX_PATH] = L"";
    GetModuleFileNameW(0, self, MAX_PATH);
    Command(CMD_RESTART_AS_ADMIN);
    EXPECT_EQ(Names({L"runas: " + Text(self)}), g_calls);
    EXPECT_FALSE(IsWindow(m_window));
}
