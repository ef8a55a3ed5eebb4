// Every write reaches the file or value its row shows: not one that changed or went since the
// listing, not the sibling Win32 trims a name to, and a delete that did not take says so.
#include "support/support.h"

#include <winternl.h>

extern "C" decltype(&RegDeleteValueW) __imp_RegDeleteValueW;

namespace {

using WritesTest = StartupKeysTest<MainWindowTest>;
const Text kChanged =
    L"次の項目は一覧を読み込んだ後に変更されたか、なくなったため、操作しませんでした。一覧を読み直します。\n\n";

// Moves a scratch file to what only a "\\?\" path reaches: a name ending in a dot, as WSL or an
// archiver leaves it.
bool MoveExact(const Text& scratch, const Text& path)
{
    return MoveFileW((L"\\\\?\\" + ScratchFile(scratch)).c_str(), (L"\\\\?\\" + path).c_str());
}

// Answers each dialog of this thread with one button as it opens, as the user would, and counts them.
struct DialogAnswerer {
    static inline int s_button, s_count;
    HHOOK hook = SetWindowsHookExW(WH_CBT, Answer, 0, GetCurrentThreadId());
    explicit DialogAnswerer(int button) { s_button = button, s_count = 0; }
    ~DialogAnswerer() { UnhookWindowsHookEx(hook); }
    static LRESULT CALLBACK Answer(int code, WPARAM window, LPARAM lParam)
    {
        char name[16] = "";
        if (code == HCBT_ACTIVATE && GetClassNameA(HWND(window), name, 16) && !strcmp(name, "#32770"))
            ++s_count, PostMessageA(HWND(window), WM_COMMAND, s_button, 0);
        return CallNextHookEx(0, code, window, lParam);
    }
};

}  // namespace

// A row whose file changed or went after it was listed is written by no command: the user is
// told which, and the list is read again. A Run value gone is not switched off either.
TEST_F(WritesTest, ARowChangedSinceItWasListedIsNotWritten)
{
    const struct {
        int tab;
        UINT command;
        bool shift, hidden, gone;
    } cases[] = {
        {0, CMD_DELETE, false, false, false},     {0, CMD_DELETE, true, false, true},
        {0, CMD_HIDE_FROM_MENU, 0, 0, 0},         {0, CMD_SHOW_ON_MENU, 0, true, true},
        {1, CMD_SWITCH_OFF, false, false, false}, {1, CMD_SWITCH_ON, 0, 0, true},
        {0, CMD_RENAME, false, false, false},     {1, CMD_RENAME, false, false, true},
    };
    NoticeRecorder noticed;
    for (const auto& [tab, command, shift, hidden, gone] : cases) {
        SCOPED_TRACE(std::to_string(command) + (gone ? " gone" : " changed"));
        EmptyFolders();
        const Text folder = tab ? m_startup : m_sendTo, link = MakeLink(folder, L"a.lnk", ScratchFile(L"a.txt"));
        SetFileAttributesW(link.c_str(), hidden ? FILE_ATTRIBUTE_HIDDEN : FILE_ATTRIBUTE_ARCHIVE);
        ClickTab(tab);
        Command(CMD_REFRESH);
        SelectRows({0});
        if (command == CMD_RENAME)
            SendMessageW(MainChild(CTRL_LIST), LVM_EDITLABELW, 0, 0);
        gone ? DeleteFileW(link.c_str()) : WriteBytes(link, "changed");
        g_noticed = {};
        HoldKeys({shift ? VK_SHIFT : 0});
        if (command == CMD_RENAME) {
            SetWindowTextW(GetNameEditor(), L"b");
            SendMessageW(GetNameEditor(), WM_KEYDOWN, VK_RETURN, 0);
            PumpMessages();
        } else {
            Command(command);
        }
        HoldKeys({});
        EXPECT_EQ(Names(), g_noticed.files);
        EXPECT_EQ(Names({kChanged + L"a.lnk"}), g_noticed.messages);
        // The file as it was left, no switch, and the list read again.
        const DWORD left = gone ? INVALID_FILE_ATTRIBUTES : hidden ? FILE_ATTRIBUTE_HIDDEN : FILE_ATTRIBUTE_ARCHIVE;
        EXPECT_EQ(std::to_string(left) + "|none|" + (gone ? "0" : "1"), std::to_string(GetFileAttributesW(link.c_str()))
                                                                            + "|" + Switch(L"a.lnk") + "|"
                                                                            + std::to_string(RowCount()));
    }
    const Text run = kSources[kSourceUserRun].key, runSwitches = kSources[kSourceUserRun].switches;
    RegSetKeyValueW(kUser, run.c_str(), L"qdGone", REG_SZ, L"x.exe", 12);
    Command(CMD_REFRESH);
    SelectRows({RowNamed(L"qdGone")});
    RegDeleteKeyValueW(kUser, run.c_str(), L"qdGone");
    g_noticed = {};
    Command(CMD_SWITCH_OFF);
    EXPECT_EQ("", Raw(kUser, runSwitches, L"qdGone")) << "no switch for what comes later by the name";
    EXPECT_EQ(Names({kChanged + L"qdGone"}), g_noticed.messages);
}

// A delete for good asks here and checks each file once the user said yes: one changed while the
// question stood open stays, and is named; the other goes.
TEST_F(WritesTest, ADeleteForGoodChecksEachFileAfterItsQuestion)
{
    static Text changed;
    static Names asked;
    changed = MakeLink(m_sendTo, L"a.lnk", ScratchFile(L"a.txt")), asked = {};
    const Text other = MakeLink(m_sendTo, L"b.lnk", ScratchFile(L"b.txt"));
    Command(CMD_REFRESH);
    SelectRows({RowNamed(L"a.lnk"), RowNamed(L"b.lnk")});
    NoticeRecorder noticed;
    ImportPatch answer(
        __imp_MessageBoxW, +[](HWND, LPCWSTR text, LPCWSTR, UINT) {
            if (asked.empty())
                WriteBytes(changed, "changed");  // by another program, while the user reads
            return asked.push_back(text), IDYES;
        });
    HoldKeys({VK_SHIFT});
    Command(CMD_DELETE);
    HoldKeys({});
    EXPECT_EQ(Names({L"次の項目を完全に削除しますか?\n\na.lnk\nb.lnk", kChanged + L"a.lnk"}), asked);
    EXPECT_EQ(Names({L"delete: " + other}), g_noticed.files);
    EXPECT_EQ("changed", ReadBytes(changed));
}

// Names ending in a dot, beside the files Win32 trims them to: every command leaves the sibling
// byte for byte, reaches the exact file where an exact path can, and says why where none can.
TEST_F(MainWindowTest, ANameWin32TrimsNeverReachesItsSibling)
{
    const Text twin = MakeLink(m_sendTo, L"Twin.lnk", ScratchFile(L"twin.txt")), ini = m_sendTo + L"\\desktop.ini";
    WriteBytes(ini, "[.ShellClassInfo]\r\n");
    ASSERT_TRUE(MoveExact(L"twin dot", twin + L".") && MoveExact(L"ini dot", ini + L"."));
    const auto siblings = [&] {
        return ReadBytes(twin) + ReadBytes(ini) + std::to_string(GetFileAttributesW(twin.c_str()));
    };
    const std::string before = siblings();
    Command(CMD_REFRESH);
    const std::vector<int> rows = {RowNamed(L"Twin.lnk."), RowNamed(L"desktop.ini.")};
    const Text first = RowText(std::min(rows[0], rows[1]), 0), second = RowText(std::max(rows[0], rows[1]), 0);
    const Text why =
        L"は名前の末尾がピリオドか空白のため、エクスプローラーでは別のファイルとして扱われます。この操作はできません。";
    const Names notRecycled = {L"次の項目は名前の末尾がピリオドか空白のため、ごみ箱に移せません。Shift "
                               L"キーを押しながら削除すると、完全に削除できます。\n\n"
                               + first + L"\n" + second};
    const Names noSheet = {L"「" + first + L"」" + why, L"「" + second + L"」" + why};
    const Names forGood = {L"次の項目を完全に削除しますか?\n\n" + first + L"\n" + second};
    const DWORD archive = FILE_ATTRIBUTE_ARCHIVE;  // as the files were made
    const struct {
        UINT command;
        bool shift;
        Names messages;
        DWORD attributes;  // of the names ending in a dot afterwards
    } steps[] = {
        {CMD_HIDE_FROM_MENU, false, {}, archive | FILE_ATTRIBUTE_HIDDEN},
        {CMD_SHOW_ON_MENU, false, {}, archive},
        {CMD_DELETE, false, notRecycled, archive},
        {CMD_PROPERTIES, false, noSheet, archive},
        {CMD_DELETE, true, forGood, INVALID_FILE_ATTRIBUTES},
    };
    NoticeRecorder noticed;
    Rename(rows[0], L"Renamed");
    EXPECT_EQ(Ansi(L"twin dot"), ReadBytes(m_sendTo + L"\\Renamed"));
    ASSERT_TRUE(MoveExact(L"twin dot", twin + L".") && g_noticed.messages.empty()) << "no refusal";
    for (const auto& [command, shift, messages, attributes] : steps) {
        SCOPED_TRACE(command);
        Command(CMD_REFRESH);
        SelectRows({RowNamed(L"Twin.lnk."), RowNamed(L"desktop.ini.")});
        g_noticed = {};
        HoldKeys({shift ? VK_SHIFT : 0});
        Command(command);
        HoldKeys({});
        EXPECT_EQ(messages, g_noticed.messages);
        EXPECT_EQ(Names(), g_noticed.files) << "nothing the shell would take for the sibling";
        EXPECT_EQ(Names(), g_noticed.windows);
        for (const Text& exact : {L"\\\\?\\" + twin + L".", L"\\\\?\\" + ini + L"."})
            EXPECT_EQ(attributes, GetFileAttributesW(exact.c_str())) << Ansi(exact);
        EXPECT_EQ(before, siblings());
    }
}

// Deleting five rows asks once, as Explorer does: Cancel keeps all five, Yes deletes all five. A
// second Delete and a listing asked for while it asks wait for it.
TEST_F(MainWindowTest, FiveRowsAskOnceAndCancelKeepsAllFive)
{
    for (const wchar_t* name : {L"a", L"b", L"c", L"d", L"e"})
        MakeLink(m_sendTo, name + Text(L".lnk"), ScratchFile(name + Text(L".txt")));
    Command(CMD_REFRESH);
    for (int button : {IDCANCEL, IDYES}) {
        SelectRows({0, 1, 2, 3, 4});
        DialogAnswerer answer(button);
        for (int command : {CMD_DELETE, CMD_REFRESH, CMD_DELETE})
            PostMessageA(m_window, WM_COMMAND, command, 0);
        PumpMessages();
        const std::string kept = button == IDCANCEL ? "5" : "0";
        EXPECT_EQ("1 question, " + kept + " files, " + kept + " rows",
                  std::to_string(DialogAnswerer::s_count) + " question, " + std::to_string(LinkNames(m_sendTo).size())
                      + " files, " + std::to_string(RowCount()) + " rows");
    }
}

// A Run value whose delete failed after its switch went, which could not be put back, keeps its
// .reg, and the message says what stayed.
TEST_F(WritesTest, AValueDeletedInPartKeepsItsBackupAndSaysWhatStayed)
{
    const Text run = kSources[kSourceUserRun].key, runSwitches = kSources[kSourceUserRun].switches;
    RegSetKeyValueW(kUser, run.c_str(), L"qdPart", REG_SZ, L"x.exe", 12);
    RegSetKeyValueW(kUser, runSwitches.c_str(), L"qdPart", REG_BINARY, Bytes(3).data(), 12);
    ClickTab(1);
    SelectRows({RowNamed(L"qdPart")});
    static decltype(&RegDeleteValueW) real;
    static int deletes = 0;
    ImportPatch refuseTheSecond(
        __imp_RegDeleteValueW,
        +[](HKEY key, LPCWSTR name) {
            return ++deletes == 2 ? static_cast<LSTATUS>(ERROR_ACCESS_DENIED) : real(key, name);
        },
        &real);
    // Nor can the switch be put back.
    ImportPatch refuseToWrite(
        __imp_RegSetValueExW,
        +[](HKEY, LPCWSTR, DWORD, DWORD, const BYTE*, DWORD) { return LSTATUS(ERROR_ACCESS_DENIED); });
    NoticeRecorder noticed;
    Command(CMD_DELETE);
    const Text said = g_noticed.messages.at(1),
               file = said.substr(said.find(L"C:\\"), said.find(L" に保存") - said.find(L"C:\\"));
    m_files.push_back(file);
    EXPECT_EQ(L"「qdPart」のスイッチは削除しましたが、値は削除できませんでした。削除前の内容は " + file
                  + L" に保存してあります。",
              said);
    EXPECT_EQ("", Raw(kUser, runSwitches, L"qdPart")) << "the switch went first";
    EXPECT_NE("", Raw(kUser, run, L"qdPart"));
    EXPECT_GE(RowNamed(L"qdPart"), 0) << "the row stays with its value";
}

// A Run value whose name holds a null, as only the native calls write it, beside the value its
// name stops at: its row is listed, but no command reaches the other value, nor does its switch
// read as the other's.
TEST_F(WritesTest, AValueNameHoldingANullReachesNoOtherValue)
{
    using SetValue = LONG(WINAPI*)(HKEY, UNICODE_STRING*, ULONG, ULONG, const void*, ULONG);
    using DeleteValue = LONG(WINAPI*)(HKEY, UNICODE_STRING*);
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    const auto set = reinterpret_cast<SetValue>(reinterpret_cast<void*>(GetProcAddress(ntdll, "NtSetValueKey")));
    const auto erase =
        reinterpret_cast<DeleteValue>(reinterpret_cast<void*>(GetProcAddress(ntdll, "NtDeleteValueKey")));
    const Text hidden(L"qdTwin\0x", 8), command = L"x.exe";
    UNICODE_STRING name = {USHORT(hidden.size() * 2), USHORT(hidden.size() * 2), const_cast<wchar_t*>(hidden.data())};
    const Text run = kSources[kSourceUserRun].key, runSwitches = kSources[kSourceUserRun].switches;
    // Still there for the test to delete, and gone with it however it ends: no later test may list it.
    struct Keys {
        HKEY values = 0, switches = 0;
        DeleteValue erase;
        UNICODE_STRING* name;
        ~Keys()
        {
            for (HKEY key : {values, switches}) {
                EXPECT_EQ(0, erase(key, name));
                RegCloseKey(key);
            }
        }
    } keys = {0, 0, erase, &name};
    HKEY& values = keys.values;
    HKEY& switches = keys.switches;
    RegCreateKeyExW(kUser, run.c_str(), 0, 0, 0, KEY_ALL_ACCESS, 0, &values, 0);
    RegCreateKeyExW(kUser, runSwitches.c_str(), 0, 0, 0, KEY_ALL_ACCESS, 0, &switches, 0);
    RegSetValueExW(values, L"qdTwin", 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()), 12);
    const std::string off = Bytes(3);
    ASSERT_EQ(0, set(values, &name, 0, REG_SZ, command.c_str(), 12));
    ASSERT_EQ(0, set(switches, &name, 0, REG_BINARY, off.data(), 12));
    ClickTab(1);
    Command(CMD_REFRESH);
    PumpMessages();
    int whole = -1, cut = -1;
    for (int row = 0; row < RowCount(); ++row)
        if (RowText(row, 0) == L"qdTwin")
            (RowText(row, kTargetColumn).empty() ? cut : whole) = row;
    ASSERT_TRUE(whole >= 0 && cut >= 0);
    EXPECT_EQ(Text::npos, RowText(whole, kStateColumn).find(L"無効")) << "the other's switch is not its own";
    NoticeRecorder noticed;
    for (UINT command : {CMD_SWITCH_OFF, CMD_DELETE}) {
        SelectRows({cut});
        Command(command);
        PumpMessages();
    }
    EXPECT_EQ("1:" + std::string(reinterpret_cast<const char*>(command.c_str()), 12), Raw(kUser, run, L"qdTwin"));
    EXPECT_EQ("", Raw(kUser, runSwitches, L"qdTwin"));
}
