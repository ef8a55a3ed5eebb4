// Tidying on the real main window: the state column, Windows' Startup switch in the registry,
// rename, the command keys and the context menu, and commands that meet an open edit.
#include "support/support.h"

namespace {

// The row's state text by the row's file name.
Text StateOf(const Text& name)
{
    for (int row = 0; row < RowCount(); ++row) {
        if (RowLinkPath(row).substr(RowLinkPath(row).rfind(L'\\') + 1) == name)
            return RowText(row, kStateColumn);
    }
    return L"no row";
}

decltype(&GetFileAttributesW) g_attributes;

}  // namespace

// Only targets on a present local fixed drive are probed, once each (R: is optical here); no file
// target, no state. Targets under names the code page lacks or bends are told apart and found.
TEST_F(MainWindowTest, TheStateColumnSaysWhatIsWrongWithEachShortcut)
{
    Text twin = ScratchFile(L"twin.txt");
    for (const wchar_t* folder : {L"한", L"국", L"Café"})
        ScratchFolder(folder);
    // A target, or else a sample of a link to no file or of no link at all.
    const struct {
        const wchar_t* name;
        Text target;
        std::string value;
        DWORD type;
        const wchar_t* state;
    } rows[] = {
        {L"present.lnk", ScratchFile(L"present.txt"), "", 0, L""},
        {L"missing.lnk", L"C:\\qdtest\\gone.txt", "", 0, L"リンク先なし"},
        {L"share.lnk", L"\\\\server\\share\\tool.exe", "", 0, L"確認できません"},
        {L"optical.lnk", L"R:\\setup.exe", "", 0, L"確認できません"},
        {L"absent.lnk", L"Q:\\tool.exe", "", 0, L"確認できません"},
        {L"twin1.lnk", twin, "", 0, L"重複"},
        {L"twin2.lnk", L"C:\\QDTEST\\TWIN.TXT", "", 0, L"重複"},
        {L"han.lnk", ScratchFile(L"한\\a.exe"), "", 0, L""},
        {L"guk.lnk", ScratchFile(L"국\\a.exe"), "", 0, L""},
        {L"cafe.lnk", ScratchFile(L"Café\\a.exe"), "", 0, L""},
        {L"off3.lnk", ScratchFile(L"3.txt"), Bytes(3), REG_BINARY, L"無効"},
        {L"off7.lnk", ScratchFile(L"7.txt"), Bytes(7), REG_BINARY, L"無効"},
        {L"on2.lnk", ScratchFile(L"2.txt"), Bytes(2), REG_BINARY, L""},
        {L"on6.lnk", ScratchFile(L"6.txt"), Bytes(6), REG_BINARY, L""},
        {L"short.lnk", ScratchFile(L"s.txt"), Bytes(3, 8), REG_BINARY, L""},
        {L"dword.lnk", ScratchFile(L"d.txt"), Bytes(3, 4), REG_DWORD, L""},
        {L"offgone.lnk", L"C:\\qdtest\\gone2.txt", Bytes(3), REG_BINARY, L"無効、リンク先なし"},
        {L"url.lnk", L"17-win10-url-target.lnk", "", 0, L""},
        {L"panel.lnk", L"14-win7-control-panel-item.lnk", "", 0, L""},
        {L"msi.lnk", L"08-msi-advertised-darwin.lnk", "", 0, L""},
        {L"broken.lnk", L"20-not-a-link-recycle-bin-record.lnk", "", 0, L"読み込めません"},
    };
    for (const auto& row : rows) {
        if (row.target.find(L'\\') != Text::npos)
            MakeLink(m_startup, row.name, row.target);
        else
            AddSample(m_startup, row.target, row.name);
        if (row.type)
            SetSwitch(row.name, row.value, row.type);
    }
    MakeLink(m_startup, L"args.lnk", twin, L"/other");
    MakeLink(m_startup, L"args2.lnk", twin, L"/OTHER");
    g_calls.clear();
    {
        ImportPatch<decltype(&GetFileAttributesW)> probe(
            __imp_GetFileAttributesW, +[](LPCWSTR path) { return g_calls.push_back(path), g_attributes(path); },
            &g_attributes);
        ClickTab(1);
    }
    for (const auto& row : rows)
        EXPECT_EQ(row.state, StateOf(row.name)) << Ansi(row.name);
    EXPECT_EQ(L"", StateOf(L"args.lnk") + StateOf(L"args2.lnk")) << "other arguments, no duplicate";
    for (const Text& path : g_calls)
        EXPECT_TRUE(path[0] == L'C' || path[0] == L'c') << "probed " << Ansi(path);
    EXPECT_GE(16u, g_calls.size()) << "one question per local target at most";
    MakeLink(m_sendTo, L"off3.lnk", ScratchFile(L"3.txt"));
    ClickTab(0);
    EXPECT_EQ(L"", StateOf(L"off3.lnk")) << "the switch is the Startup folder's only";
}

// Task Manager's bytes: 0x02 or 0x06 and zeros on, the bit and the time off. A real delete takes the
// switch along to the bin as a .reg; a rename takes exactly the old switch, or none. Not in Send To.
TEST_F(MainWindowTest, TheStartupSwitchRoundTripsThroughTheRegistry)
{
    const Names links = {
        MakeLink(m_startup, L"a.lnk", ScratchFile(L"a.txt")), MakeLink(m_startup, L"b.lnk", ScratchFile(L"b.txt")),
        MakeLink(m_startup, L"c.lnk", ScratchFile(L"c.txt")), MakeLink(m_startup, L"e.lnk", ScratchFile(L"e.txt"))};
    SetSwitch(L"a.lnk", Bytes(6));
    SetSwitch(L"c.lnk", Bytes(3, 70));
    ClickTab(1);
    SelectRows(RowsOf({links[0], links[1], links[2]}));
    const struct {
        const wchar_t* name;
        char off, on;
    } rows[] = {{L"a.lnk", 7, 6}, {L"b.lnk", 3, 2}, {L"c.lnk", 3, 2}};
    for (int command : {CMD_SWITCH_OFF, CMD_SWITCH_ON, CMD_SWITCH_OFF}) {
        Command(command);
        for (const auto& row : rows) {
            std::string value = Switch(row.name);
            if (command == CMD_SWITCH_ON)
                EXPECT_EQ(Bytes(row.on), value) << Ansi(row.name);
            else
                EXPECT_TRUE(value.size() == 12 && value[0] == row.off && value.substr(4) != std::string(8, '\0'))
                    << Ansi(row.name);
            EXPECT_EQ(command == CMD_SWITCH_ON ? L"" : L"無効", StateOf(row.name));
        }
    }
    ShellRecorder recorder;
    HANDLE inUse = CreateFileW(links[1].c_str(), GENERIC_READ, 0, 0, OPEN_EXISTING, 0, 0);
    SelectRows(RowsOf({links[0], links[1]}));
    const std::string aSwitch = Switch(L"a.lnk");
    Command(CMD_DELETE);
    CloseHandle(inUse);
    EXPECT_EQ("none", Switch(L"a.lnk")) << "deleted: its switch goes too";
    Merge(TrashFolder() + L"\\files\\a.lnk.reg");
    EXPECT_EQ(aSwitch, Switch(L"a.lnk")) << "the bin's .reg merges the switch back whole";
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kSwitchKey, L"a.lnk");
    EXPECT_EQ(3, Switch(L"b.lnk")[0]) << "still there: its switch stays";
    // Left behind by a shortcut of that name deleted elsewhere: it would switch e.lnk off.
    SetSwitch(L"d.lnk", Bytes(3, 70));
    SetSwitch(L"f.lnk", Bytes(3));
    Rename(RowsOf({links[2]})[0], L"d");
    Rename(RowsOf({links[3]})[0], L"f");
    EXPECT_EQ(Names({L"recycle: " + links[0], L"recycle: " + TempPath(L"a.lnk.reg"), L"recycle: " + links[1],
                     L"rename: " + links[2], L"rename: " + links[3], L"recycle: " + TempPath(L"f.lnk.reg")}),
              g_calls);
    EXPECT_EQ("none|none", Switch(L"c.lnk") + "|" + Switch(L"f.lnk"));
    EXPECT_EQ(12u, Switch(L"d.lnk").size()) << "renamed: the switch follows the file";
    EXPECT_EQ(L"無効|", StateOf(L"d.lnk") + L"|" + StateOf(L"f.lnk"));
    MakeLink(m_sendTo, L"b.lnk", ScratchFile(L"b.txt"));
    ClickTab(0);
    SelectRows({0});
    EXPECT_FALSE(SendMessageA(g_toolBar.GetWindow(), TB_ISBUTTONENABLED, CMD_SWITCH_ON, 0));
    Command(CMD_SWITCH_ON);
    EXPECT_EQ(3, Switch(L"b.lnk")[0]) << "the Send To tab has no switch";
}

// Refused names change nothing and say why; a change of case alone is a name (Wine keeps the old).
TEST_F(MainWindowTest, RenameRefusesWhatNoFileCanBeCalledAndRenamesTheRest)
{
    const Text bad = L"ファイル名に次の文字は使えません:\n\\ / : * ? \" < > |";
    const Text reserved = L"この名前は Windows が予約しています。別の名前を指定してください。";
    // A name refused leaves one.lnk as it was; one taken is the new name, in lower case here.
    const struct {
        Text typed, message;
    } cases[] = {
        {L"a/b", bad},
        {L"a\"b", bad},
        {L"  ", L"ファイル名を入力してください。"},
        {Text(MAX_PATH - m_sendTo.size() - 5, L'n'), L"ファイル名が長すぎます。短い名前を指定してください。"},
        {L"TAKEN", L"同じ名前のファイルが既にあります。別の名前を指定してください。"},
        {L"con", reserved},
        {L"Com1.txt", reserved},
        {L"LPT9 ", reserved},
        {L"nul.tar.gz", reserved},
        {L"console", L""},
        {L"COM10", L""},
        {L"one", L""},
        {L"ONE", L""},
    };
    MenuAndMessages messages;
    for (const auto& c : cases) {
        EmptyFolders();
        MakeLink(m_sendTo, L"taken.lnk", ScratchFile(L"t.txt"));
        Text one = MakeLink(m_sendTo, L"one.LNK", ScratchFile(L"one.txt"));
        Command(CMD_REFRESH);
        g_messages.clear();
        Rename(RowsOf({one})[0], c.typed);
        Names after = LinkNames(m_sendTo);
        for (Text& name : after)
            CharLowerW(&name[0]);
        EXPECT_EQ(c.message, g_messages.empty() ? L"" : g_messages[0]) << Ansi(c.typed);
        Text kept = c.message.empty() ? c.typed + L".lnk" : L"one.lnk";
        CharLowerW(&kept[0]);
        EXPECT_EQ(Names({kept, L"taken.lnk"}), after) << Ansi(c.typed);
        EXPECT_EQ(2, RowCount());
    }
}

// A toolbar delete during an edit commits it first, as Explorer does, and reaches the renamed file.
TEST_F(MainWindowTest, ACommandDuringAnEditActsOnTheRenamedFile)
{
    Text link = MakeLink(m_sendTo, L"a.lnk", ScratchFile(L"a.txt"));
    MakeLink(m_sendTo, L"b.lnk", ScratchFile(L"b.txt"));
    Command(CMD_REFRESH);
    SelectRows(RowsOf({link}));
    SendMessageW(MainChild(CTRL_LIST), LVM_EDITLABELW, RowsOf({link})[0], 0);
    SetWindowTextW(GetNameEditor(), L"A renamed");
    const auto others = TreeContents(m_sendTo);
    ShellRecorder recorder;
    SendMessageA(m_window, WM_COMMAND, MAKEWPARAM(CMD_DELETE, BN_CLICKED),
                 reinterpret_cast<LPARAM>(g_toolBar.GetWindow()));
    PumpMessages();
    EXPECT_EQ(Names({L"rename: " + link, L"recycle: " + m_sendTo + L"\\A renamed.lnk"}), g_calls);
    EXPECT_EQ(Names({L"b.lnk"}), LinkNames(m_sendTo));
    EXPECT_EQ(others.at(m_sendTo + L"\\b.lnk"), TreeContents(m_sendTo).at(m_sendTo + L"\\b.lnk"));
    EXPECT_EQ(1, RowCount());
}

// Every key from the list and the tabs through the program's loop, but an editor's own; the context
// menu holds the commands and keys, the switch's on the Startup tab only, and runs the one chosen.
TEST_F(MainWindowTest, KeysAndTheContextMenuReachTheCommandsFromEitherControl)
{
    Text link = MakeLink(m_startup, L"a.lnk", ScratchFile(L"a.txt"));
    MakeLink(m_startup, L"b.lnk", ScratchFile(L"b.txt"));
    ClickTab(1);
    ShellRecorder recorder;
    MenuAndMessages menu;
    HACCEL menuKeys = LoadAcceleratorsA(GetModuleHandleA(0), MAKEINTRESOURCEA(IDA_MAIN));
    HACCEL commandKeys = LoadAcceleratorsA(GetModuleHandleA(0), MAKEINTRESOURCEA(IDA_KEYS));
    auto press = [&](HWND focus, std::initializer_list<int> held, int key, bool selectOne = true) {
        if (GetFileAttributesW(link.c_str()) == INVALID_FILE_ATTRIBUTES)
            MakeLink(m_startup, L"a.lnk", ScratchFile(L"a.txt")), Command(CMD_REFRESH);
        SetFocus(focus);
        if (selectOne)
            SelectRows(RowsOf({link}));
        g_calls.clear();
        HoldKeys(held);
        bool system = key == VK_F10;
        PostMessageA(focus, system ? WM_SYSKEYDOWN : WM_KEYDOWN, key, 1);
        PostMessageA(focus, system ? WM_SYSKEYUP : WM_KEYUP, key, 0xC0000001);
        PostQuitMessage(0);
        RunMessageLoop(m_window, menuKeys, commandKeys);
        HoldKeys({});
        return g_calls.empty() ? Text() : g_calls[0];
    };
    const Text explore = L"リンク先のフォルダーを開く(&O)";
    for (HWND focus : {MainChild(CTRL_LIST), MainChild(CTRL_TABS)}) {
        Command(CMD_REFRESH);
        EXPECT_EQ(L"recycle: " + link, press(focus, {}, VK_DELETE));
        EXPECT_EQ(L"delete: " + link, press(focus, {VK_SHIFT}, VK_DELETE));
        EXPECT_EQ(L"properties: " + link, press(focus, {}, VK_RETURN));
        EXPECT_EQ(explore, press(focus, {VK_SHIFT}, VK_F10));
        EXPECT_EQ(explore, press(focus, {}, VK_APPS));
        EXPECT_EQ(13u, g_calls.size()) << "one menu, once";
        press(focus, {VK_CONTROL}, 'A');
        EXPECT_EQ(2u, ListView_GetSelectedCount(MainChild(CTRL_LIST)));
        press(focus, {}, VK_TAB);
        EXPECT_NE(focus, GetFocus());
        press(GetFocus(), {VK_SHIFT}, VK_TAB);
        EXPECT_EQ(focus, GetFocus());
        press(focus, {}, VK_F2);
        PostMessageW(GetNameEditor(), WM_CHAR, L'한', 1);
        EXPECT_EQ(L"", press(GetNameEditor(), {}, VK_DELETE, false)) << "the editor's own key";
        wchar_t typed[MAX_PATH] = L"";
        GetWindowTextW(GetNameEditor(), typed, MAX_PATH);
        EXPECT_TRUE(wcschr(typed, L'한')) << "a typed character the code page lacks";
        press(GetNameEditor(), {}, VK_ESCAPE, false);
        ImportPatch scan(
            __imp_FindFirstFileW,
            +[](LPCWSTR, LPWIN32_FIND_DATAW) { return g_calls.push_back(L"scan"), INVALID_HANDLE_VALUE; });
        EXPECT_EQ(L"scan", press(focus, {}, VK_F5));
    }
    Command(CMD_REFRESH);
    const Text show = L"表示する(&S)\tCtrl+Shift+H:greyed", hide = L"表示しない(&H)\tCtrl+H:greyed";
    const Names items = {explore,
                         L"プロパティ(&R)\tEnter",
                         L"",
                         L"名前の変更(&M)\tF2",
                         L"削除(&D)\tDelete",
                         L"",
                         L"有効にする(&E)",
                         L"無効にする(&I)",
                         L"",
                         show,
                         hide,
                         L"",
                         L"管理者として再起動(&A)"};
    g_calls.clear();
    g_choice = CMD_SWITCH_OFF;
    SelectRows(RowsOf({link}));
    SendMessageA(m_window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(MainChild(CTRL_LIST)), MAKELPARAM(20, 20));
    PumpMessages();
    EXPECT_EQ(items, g_calls);
    EXPECT_EQ(1, Switch(L"a.lnk")[0] & 1) << "the chosen command ran";
    ClickTab(0);
    g_calls.clear();
    SendMessageA(m_window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(MainChild(CTRL_LIST)), MAKELPARAM(20, 20));
    EXPECT_EQ(Names({items[0] + L":greyed", items[1] + L":greyed", L"", items[3] + L":greyed", items[4] + L":greyed",
                     L"", show, hide, L"", L"リムーバブル ドライブを表示(&V)"}),
              g_calls);
}
