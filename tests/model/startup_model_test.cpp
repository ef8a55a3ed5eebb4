// What the Startup tab adds to the model: Run values of every kind saved and merged back exactly,
// the machine's refusals, and command lines split into the program the system would run.
#include <windows.h>
#include <sddl.h>

#include <regex>
#include <set>

#include "model/command_line.h"
#include "model/shortcut_state.h"
#include "model/startup_switch.h"
#include "model/value_backup.h"
#include "support/support.h"

namespace {

std::string Utf16(const Text& text, bool terminated = true)
{
    return std::string(reinterpret_cast<const char*>(text.c_str()), (text.size() + terminated) * sizeof(wchar_t));
}

const Text kWindows = _wgetenv(L"SystemRoot");
const Text kQuoted = L"\"C:\\x y\\a.exe\" /q", kExpandable = L"%SystemRoot%\\regedit.exe -m";
const struct {
    Text name;
    DWORD type;
    std::string data;
    Text listed;           // "command|expanded"
    bool unended = false;  // the last byte of data is not written
} kValues[] = {
    {L"back\\slash \"quoted\"", REG_SZ, Utf16(kQuoted), kQuoted + L"|" + kQuoted},
    {L"\xD55C\xE9 " + Text(300, L'n'), REG_EXPAND_SZ, Utf16(kExpandable),
     kExpandable + L"|" + kWindows + L"\\regedit.exe -m"},
    {L"binary", REG_BINARY, std::string("\x02\0\xff", 3), L"(none)|(none)"},
    {L"number", REG_DWORD, std::string("\x07\0\0\x80", 4), L"(none)|(none)"},
    // Stored without its null: the 'z' past the size written keeps the system from adding one.
    {L"unended", REG_SZ, Utf16(Text(600, L'x'), false) + "z", Text(600, L'x') + L"|" + Text(600, L'x'), true},
};

Text Name(size_t value)
{
    return L"qd " + kValues[value].name;
}

Text Or(const HeapString& text)
{
    return text.GetBuffer() ? text.GetBuffer() : L"(none)";
}

using StartupSourceTest = StartupKeysTest<ShellFolderTest>;

}  // namespace

// Values of every kind list, names and commands exactly, and one deleted comes back whole from its
// own backup file. The window's test proves every source's keys and switches.
TEST_F(StartupSourceTest, RunValuesListSaveDeleteAndMergeBackExactly)
{
    const std::wregex fileName(LR"(.*\\Quiverdesk\\Backups\\\d{4}-\d\d-\d\d \d{6}( \(\d+\))?\.reg)");
    const Text key = kSources[kSourceUserRun].key;
    std::map<Text, Text> expected, listed;
    for (size_t value = 0; value < std::size(kValues); ++value) {
        const std::string& data = kValues[value].data;
        RegSetKeyValueW(kUser, key.c_str(), Name(value).c_str(), kValues[value].type, data.data(),
                        data.size() - kValues[value].unended);
        expected[Name(value)] = std::to_wstring(kValues[value].type) + L"|" + kValues[value].listed;
    }
    // One made after the reading began, longer in name and data than any before it, is read whole.
    const Text grown = L"qd grown " + Text(400, L'g'), longCommand = L"C:\\long\\" + Text(5000, L'c') + L".exe";
    expected[grown] = std::to_wstring(REG_SZ) + L"|" + longCommand + L"|" + longCommand;
    StartupValueReader reader(kSourceUserRun);
    for (StartupValue value; reader.Next(value) == ERROR_SUCCESS;) {
        if (!Raw(kUser, key, grown).size())
            RegSetKeyValueW(kUser, key.c_str(), grown.c_str(), REG_SZ, longCommand.c_str(),
                            (longCommand.size() + 1) * sizeof(wchar_t));
        if (Text(value.name.GetBuffer()).rfind(L"qd", 0) == 0)
            listed[value.name.GetBuffer()] =
                std::to_wstring(value.type) + L"|" + Or(value.command) + L"|" + Or(value.expanded);
    }
    EXPECT_EQ(expected, listed);
    RegDeleteKeyValueW(kUser, key.c_str(), grown.c_str());
    for (size_t value = 0; value < std::size(kValues); ++value) {
        // Each value comes back byte for byte, but for the null regedit's write adds, as every
        // write of a text does, to the one stored without it.
        const std::string before = Raw(kUser, key, Name(value)) + std::string(kValues[value].unended ? 2 : 0, 0);
        HeapString path;
        ASSERT_TRUE(SaveValueToBackupFolder(kSourceUserRun, Name(value).c_str(), path)) << Ansi(Name(value));
        m_files.push_back(path.GetBuffer());
        EXPECT_TRUE(std::regex_match(m_files.back(), fileName)) << Ansi(m_files.back());
        bool switchDeleted = false;
        EXPECT_EQ(ERROR_SUCCESS, DeleteStartupValue(kSourceUserRun, Name(value).c_str(), &switchDeleted));
        EXPECT_EQ("", Raw(kUser, key, Name(value)));
        Merge(m_files.back());
        EXPECT_EQ(before, Raw(kUser, key, Name(value))) << Ansi(Name(value));
    }
    EXPECT_EQ(m_files.size(), std::set<Text>(m_files.begin(), m_files.end()).size()) << "one file per delete";
}

// A machine key that refuses writes: a delete refused there says so and deletes nothing.
TEST_F(StartupSourceTest, AMachineKeyThatRefusesWritesSaysAccessDenied)
{
    const StartupSourceInfo& machine = GetStartupSource(kSourceMachineRun);
    const Text name = Name(0), switches = kSources[kSourceMachineRun].switches;
    RegSetKeyValueW(HKEY_LOCAL_MACHINE, kSources[kSourceMachineRun].key.c_str(), name.c_str(), REG_SZ, L"x.exe", 12);
    ASSERT_EQ(ERROR_SUCCESS, WriteSwitch(machine.switches, name.c_str(), false));
    ASSERT_NE(L"", m_made[2 * kSourceMachineRun + 1].second) << "the switch key is not this test's to lock";
    HKEY key;
    PSECURITY_DESCRIPTOR readOnly = 0;
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:P(A;;KR;;;WD)", 1, &readOnly, 0));
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_LOCAL_MACHINE, switches.c_str(), 0, WRITE_DAC, &key));
    RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, readOnly);
    RegCloseKey(key);
    LocalFree(readOnly);
    bool switchDeleted = true;
    EXPECT_EQ(ERROR_ACCESS_DENIED, DeleteStartupValue(kSourceMachineRun, name.c_str(), &switchDeleted));
    EXPECT_FALSE(switchDeleted);
    EXPECT_NE("", Raw(HKEY_LOCAL_MACHINE, kSources[kSourceMachineRun].key, name));
}

// As CreateProcess would run each line (the program's own reading, as Wine 8's shell32 has none),
// and what a Run value's row says of it before any probe: a bare name found nowhere can't start.
TEST_F(ShellFolderTest, CommandLinesSplitIntoTheProgramRunAndItsArguments)
{
    for (const wchar_t* folder : {L"My Apps", L"My Apps\\Tool Box", L"Shadow", L"Shadow\\Home Page"})
        ScratchFolder(folder);
    for (const wchar_t* file : {L"My Apps\\Tool Box\\tool.exe", L"Shadow\\Home.exe", L"Shadow\\Home Page\\run.exe"})
        ScratchFile(file);
    // On the optical drive: there, but never probed, lest a slow or absent disc keep the program waiting.
    ASSERT_TRUE(WriteBytes(L"R:\\qdtest.exe", "MZ"));
    wchar_t system[MAX_PATH] = L"", expanded[MAX_PATH] = L"";
    GetSystemDirectoryW(system, MAX_PATH);
    ExpandEnvironmentStringsW(L"%SystemRoot%\\system32\\notepad.exe x.txt", expanded, MAX_PATH);
    const Text tool = L"C:\\qdtest\\My Apps\\Tool Box\\tool.exe", gone = L"C:\\qdtest\\No Such\\app.exe";
    const Text notepad = system + Text(L"\\notepad.exe");
    const struct {
        Text line, split;  // "program|arguments"
        bool found;
        unsigned states = 0;
    } rows[] = {
        {L"\"" + tool + L"\" /a \"b c\"  d ", tool + L"|/a \"b c\"  d ", true},
        {L"  " + tool + L"\t-x", tool + L"|-x", true},
        {L"C:\\qdtest\\My Apps\\Tool Box\\tool -x", tool + L"|-x", true},
        {L"C:\\qdtest\\Shadow\\Home Page\\run.exe /s", L"C:\\qdtest\\Shadow\\Home.exe|Page\\run.exe /s", true},
        {expanded, notepad + L"|x.txt", true},
        {L"notepad /p x.txt", notepad + L"|/p x.txt", true},
        {L"regedit", kWindows + L"\\regedit.exe|", true},
        {L"\"" + gone + L"\"-q", gone + L"|-q", false},
        {gone + L" --flag C:\\b.exe ", gone + L"|--flag C:\\b.exe ", false},
        {L"C:\\qdtest\\gone\\tool -x", L"C:\\qdtest\\gone\\tool|-x", false},
        {L"\\\\nohost\\share\\app.exe -x", L"\\\\nohost\\share\\app.exe|-x", false},
        {L"R:\\qdtest.exe -x", L"R:\\qdtest.exe|-x", false},
        {L"qd-nowhere -x", L"qd-nowhere|-x", false, kStateTargetMissing},
        {L"%QD_UNDEFINED_VAR%\\x.exe /a", L"%QD_UNDEFINED_VAR%\\x.exe|/a", false, kStateTargetMissing},
    };
    ProgramFolders searchPath;
    MakeProgramFolders(searchPath);
    for (const auto& row : rows) {
        HeapString program, arguments;
        EXPECT_EQ(row.found, SplitCommandLine(row.line.c_str(), searchPath, program, arguments)) << Ansi(row.line);
        EXPECT_EQ(row.split, Or(program) + L"|" + Or(arguments)) << Ansi(row.line);
        ShortcutItem item;
        item.LoadValue(kSourceUserRun, L"qd", row.line.c_str(), row.line.c_str());
        EXPECT_EQ(row.states, item.GetStates()) << Ansi(row.line);
    }
    // A name without a folder is not looked for on the disc that PATH names first: not found, nor
    // judged missing, since it may be there.
    wchar_t path[32767] = L"";
    GetEnvironmentVariableW(L"PATH", path, 32767);
    SetEnvironmentVariableW(L"PATH", (L"R:\\;" + Text(path)).c_str());
    MakeProgramFolders(searchPath);
    EXPECT_TRUE(searchPath.leftOut);
    HeapString program, arguments;
    EXPECT_FALSE(SplitCommandLine(L"qdtest -x", searchPath, program, arguments));
    ShortcutItem item;
    item.LoadValue(kSourceUserRun, L"qd", L"qdtest -x", L"qdtest -x");
    EXPECT_EQ(0u, item.GetStates());
    SetEnvironmentVariableW(L"PATH", path);
    DeleteFileW(L"R:\\qdtest.exe");
}
