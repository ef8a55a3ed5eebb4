// The Startup tab over every source: each row's place and states, shown without a click, switched in
// its own key, refused, deleted with a way back; duplicates across sources; elevation.
#include "support/support.h"

extern "C" decltype(&GetFileVersionInfoSizeW) __imp_GetFileVersionInfoSizeW;

namespace {

// Each source's entry: a plain file in a folder, a value naming a missing program in a key.
Text EntryName(size_t i)
{
    return L"qd" + std::to_wstring(i) + (kSources[i].key.empty() ? L".txt" : L" run");
}

class StartupTest : public StartupKeysTest<MainWindowTest> {
protected:
    void SetUp() override
    {
        wchar_t common[MAX_PATH] = L"";
        SHGetSpecialFolderPathW(0, common, CSIDL_COMMON_STARTUP, TRUE);
        m_common = common;
        m_files = {m_common + L"\\" + EntryName(1)};
        StartupKeysTest::SetUp();
    }
    Text m_common;
};

}  // namespace

TEST_F(StartupTest, EverySourceIsListedSwitchedInItsOwnKeyRefusedAndDeletedWithAWayBack)
{
    // One program with the same arguments from a shortcut and from a Run value whose unquoted
    // path holds a space.
    ScratchFolder(L"dup dir");
    const Text program = ScratchFile(L"dup dir\\dup.exe"), dup = program + L" -a";
    MakeLink(m_startup, L"dup.lnk", program, L"-a");
    RegSetKeyValueW(kUser, kSources[2].key.c_str(), L"qd dup", REG_SZ, dup.c_str(), (dup.size() + 1) * 2);
    WriteBytes(m_startup + L"\\" + EntryName(0), "x");
    WriteBytes(m_common + L"\\" + EntryName(1), "x");
    ClickTab(1);
    // Values made behind the program's back: the tab shows them without a click.
    for (size_t i = 2; i < std::size(kSources); ++i) {
        const Text line = L"\"C:\\qdtest\\gone " + std::to_wstring(i) + L".exe\" /x";
        RegSetKeyValueW(kSources[i].root, kSources[i].key.c_str(), EntryName(i).c_str(), REG_EXPAND_SZ, line.c_str(),
                        (line.size() + 1) * sizeof(wchar_t));
    }
    ASSERT_TRUE(Live([] { return RowNamed(EntryName(2)) >= 0 && RowNamed(EntryName(6)) >= 0; }));
    EXPECT_EQ(kColumnCount, GetColumnCount());
    EXPECT_EQ(L"重複|重複",
              RowText(RowNamed(L"dup"), kStateColumn) + L"|" + RowText(RowNamed(L"qd dup"), kStateColumn));
    NoticeRecorder noticed;
    for (size_t i = 0; i < std::size(kSources); ++i) {
        const auto& [root, key, switches, place] = kSources[i];
        SCOPED_TRACE(i);
        const Text name = EntryName(i), state = key.empty() ? L"" : L"リンク先なし";
        ASSERT_GE(RowNamed(name), 0);
        EXPECT_EQ(place + state, RowText(RowNamed(name), kPlaceColumn) + RowText(RowNamed(name), kStateColumn));
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
        EXPECT_EQ(switches.empty() ? "-" : "+", Pressable(CMD_SWITCH_OFF));
        // Refused: the row and the key stay; only the machine's keys ask for an administrator.
        const std::string before = Raw(root, switches, name);
        g_noticed.messages.clear();
        {
            ImportPatch refused(
                __imp_RegSetValueExW,
                +[](HKEY, LPCWSTR, DWORD, DWORD, const BYTE*, DWORD) { return LONG(ERROR_ACCESS_DENIED); });
            Command(CMD_SWITCH_OFF);
        }
        const Text said = g_noticed.messages.empty() ? L"" : g_noticed.messages[0],
                   want = root == kMachine ? L"管理者" : L"「" + name + L"」の設定を変更できませんでした。";
        EXPECT_TRUE(switches.empty() ? said.empty() : said.find(want) != Text::npos) << Ansi(said);
        EXPECT_EQ(before + "|" + Ansi(state),
                  Raw(root, switches, name) + "|" + Ansi(RowText(RowNamed(name), kStateColumn)));
        // Deleted: a file to the recycle bin, a value to a .reg file that merges back exactly.
        g_noticed = {};
        const std::string value = Raw(root, key, name);
        Command(CMD_DELETE);
        EXPECT_EQ(-1, RowNamed(name));
        EXPECT_EQ("", Raw(root, key, name) + Raw(root, switches, name));
        if (key.empty()) {
            const Text file = (i ? m_common : m_startup) + L"\\" + name;
            EXPECT_EQ(Names({L"recycle: " + file, L"recycle: " + TempPath(name + L".reg")}), g_noticed.files);
            continue;
        }
        ASSERT_EQ(1u, g_noticed.messages.size());
        EXPECT_NE(Text::npos, g_noticed.messages[0].find(place + L" の「" + name + L"」"));
        Live([] { return false; }, 1000);  // its own change, on show: no listing puts the path back over it
        wchar_t status[1024] = L"";
        SendMessageW(MainChild(CTRL_STATUS), SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(status));
        ASSERT_TRUE(wcsstr(status, L".reg に保存しました")) << Ansi(status);
        m_files.push_back(Text(status).substr(0, Text(status).find(L" に保存しました")));
        Merge(m_files.back());
        EXPECT_TRUE(Live([&] { return RowNamed(name) >= 0; })) << "merged back behind the program: listed";
        EXPECT_EQ(value + before, Raw(root, key, name) + Raw(root, switches, name));
    }
    // The unnamed value, of a type that runs nothing: named as regedit names it, and deleted.
    RegSetKeyValueW(kUser, kSources[2].key.c_str(), L"", REG_DWORD, "\7\0\0\0", 4);
    int unnamed = -1;
    ASSERT_TRUE(Live([&] { return (unnamed = RowNamed(L"(既定)")) >= 0; }));
    EXPECT_EQ(L"|読み込めません", RowText(unnamed, kTargetColumn) + L"|" + RowText(unnamed, kStateColumn));
    SelectRows({unnamed});
    Command(CMD_DELETE);
    EXPECT_EQ("", Raw(kUser, kSources[2].key, L""));
    EXPECT_NE(Text::npos, g_noticed.messages.back().find(kSources[2].place + L" の「(既定)」"));
    // A Run value's program stands for its file; the program starts again elevated and ends. The
    // new one opens on the tab this was on ('+': it reads the switch past its own path).
    g_noticed = {};
    SelectRows({RowNamed(L"qd dup")});
    Command(CMD_EXPLORE_TARGET);
    Command(CMD_PROPERTIES);
    ClickTab(0);
    EXPECT_EQ(kPlaceColumn, GetColumnCount()) << "Send To shows no place";
    ClickTab(1);
    Command(CMD_RESTART_AS_ADMIN);
    wchar_t me[MAX_PATH] = L"";
    GetModuleFileNameW(0, me, MAX_PATH);
    EXPECT_EQ(Names({L"select: C:\\qdtest\\dup dir|" + program, L"properties: " + program,
                     L"runas: " + Text(me) + L" /startup"}),
              g_noticed.windows);
    EXPECT_FALSE(IsWindow(m_window));
    for (const Text line : {L"+\"C:\\a b\\q\" /startup", L"+q -STARTUP", L"+q /x /Startup\t", L"-\"C:\\-startup\"",
                            L"-/startup", L"-q /startups", L"-q startup"})
        EXPECT_EQ(line[0] == L'+', AsksForStartupTab(line.c_str() + 1)) << Ansi(line);
}

// The publisher is the company a program's version information names, read once a listing for
// every row that starts it, shortcut or Run value, and not again by F5. Nothing is read of a
// document, a folder, a share or a disc, though the last holds the same program.
TEST_F(StartupTest, EachProgramsPublisherIsReadOnceFromLocalDrivesOnlyAndSorts)
{
    const Text app = CopyVersioned(kScratchFolder + L"\\app.exe");
    m_files.push_back(CopyVersioned(L"R:\\qdapp.exe"));
    CopyVersioned(kScratchFolder + L"\\app.txt");
    const Text company = L"矢筒工房", line = L"\"" + app + L"\" /x";
    const std::pair<Text, Text> rows[] = {{L"a", app},
                                          {L"b", app},
                                          {L"doc", kScratchFolder + L"\\app.txt"},
                                          {L"dir", kScratchFolder},
                                          {L"net", L"\\\\server\\share\\app.exe"},
                                          {L"disc", m_files.back()}};
    for (const auto& [name, target] : rows)
        MakeLink(m_startup, name + L".lnk", target);
    RegSetKeyValueW(kUser, kSources[2].key.c_str(), L"qd run", REG_SZ, line.c_str(), (line.size() + 1) * 2);
    static Names read;
    static decltype(&GetFileVersionInfoSizeW) reads;
    ImportPatch patch(
        __imp_GetFileVersionInfoSizeW,
        +[](LPCWSTR path, LPDWORD handle) { return read.push_back(path), reads(path, handle); }, &reads);
    for (int listing : {1, 2}) {
        listing == 1 ? ClickTab(1) : Command(CMD_REFRESH);
        for (const Text& name : {L"a", L"b", L"qd run", L"doc", L"dir", L"net", L"disc"})
            EXPECT_EQ(name == L"a" || name == L"b" || name == L"qd run" ? company : L"",
                      RowText(RowNamed(name), kPublisherColumn))
                << Ansi(name) << listing;
        EXPECT_EQ(Names{app}, read) << "one read, of the local program alone";
    }
    SortBy(kPublisherColumn);
    EXPECT_EQ(company, RowText(RowCount() - 1, kPublisherColumn)) << "sorted by the company";
}
