// The Startup tab over every place Windows starts programs from: each source's row with its place
// and states, shown without a click, switched in its own key alone, refused without rights, and
// deleted with a way back; and duplicates found across a folder and a Run key.
#include <optional>

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

// "type:bytes" of a value, empty when there is none.
std::string Raw(HKEY root, const Text& key, const Text& name)
{
    DWORD type = 0, size = 4096;
    std::string data(size, '\0');
    if (key.empty()
        || RegGetValueW(root, key.c_str(), name.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &type, data.data(), &size))
        return "";
    return std::to_string(type) + ":" + data.substr(0, size);
}

int RowNamed(const Text& name)
{
    for (int row = 0; row < RowCount(); ++row)
        if (RowText(row, kNameColumn) == name)
            return row;
    return -1;
}

Text StatusText()
{
    wchar_t text[1024] = L"";
    SendMessageW(MainChild(CTRL_STATUS), SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text));
    return text;
}

// The outermost key of path that does not exist, which the test makes and deletes; empty if none.
Text FirstMissing(HKEY root, const Text& path)
{
    for (size_t end = path.find(L'\\');; end = path.find(L'\\', end + 1)) {
        HKEY key;
        if (RegOpenKeyExW(root, path.substr(0, end).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return path.substr(0, end);
        RegCloseKey(key);
        if (end == Text::npos)
            return L"";
    }
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

// regedit merges the file silently, as a double-click and a yes would.
void Merge(const Text& file)
{
    Text line = L"regedit.exe /s \"" + file + L"\"";
    STARTUPINFOW startup = {sizeof(startup)};
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(CreateProcessW(0, line.data(), 0, 0, FALSE, 0, 0, 0, &startup, &process)) << Ansi(file);
    WaitForSingleObject(process.hProcess, 60000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

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
        // Off and on again, in its own key and no other; RunOnce has no switch to write.
        for (bool on : {false, true}) {
            SelectRows({RowNamed(name)});
            Command(on ? CMD_SWITCH_ON : CMD_SWITCH_OFF);
            for (const auto& other : kSources) {
                std::string bytes = Raw(other.root, other.switches, name);
                EXPECT_EQ(&other == &kSources[i] && !switches.empty() ? "3:" + Bytes(on ? 2 : 3, 1) : "",
                          bytes.substr(0, 3))
                    << &other - kSources;
                EXPECT_EQ(bytes.empty() ? 0 : 14u, bytes.size());
            }
            EXPECT_EQ(!on && !switches.empty(), RowText(RowNamed(name), kStateColumn).find(L"無効") != Text::npos);
        }
        // Refused: the row and the key stay, and the machine's keys ask for an administrator.
        const std::string before = Raw(root, switches, name);
        std::optional<ImportPatch<decltype(&RegSetValueExW)>> refused;
        refused.emplace(
            __imp_RegSetValueExW,
            +[](HKEY, LPCWSTR, DWORD, DWORD, const BYTE*, DWORD) { return LONG(ERROR_ACCESS_DENIED); });
        ImportPatch message(
            __imp_MessageBoxW, +[](HWND, LPCWSTR text, LPCWSTR, UINT) { return g_texts.push_back(text), IDYES; });
        g_texts.clear();
        SelectRows({RowNamed(name)});
        Command(CMD_SWITCH_OFF);
        EXPECT_EQ(before, Raw(root, switches, name));
        EXPECT_EQ(switches.empty() ? 0u : 1u, g_texts.size());
        EXPECT_EQ(root == kMachine && !switches.empty(), !g_texts.empty() && g_texts[0].find(L"管理者") != Text::npos);
        EXPECT_EQ(std::wstring::npos, RowText(RowNamed(name), kStateColumn).find(L"無効"));
        refused.reset();
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
            EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW((Folder(i) + L"\\" + name).c_str()));
            continue;
        }
        ASSERT_EQ(1u, g_texts.size());
        EXPECT_NE(Text::npos, g_texts[0].find(place + L" の「" + name + L"」"));
        const Text status = StatusText();
        ASSERT_NE(Text::npos, status.find(L".reg に保存しました"));
        m_files.push_back(status.substr(0, status.find(L" に保存しました")));
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
