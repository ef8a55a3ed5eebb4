// Tidying on the real main window: the state column, Windows' Startup switch in the registry,
// rename, sort, the command keys and the context menu.
#include "app/message_loop.h"
#include "support/support.h"

namespace {

void SetSwitch(const std::string& name, const std::string& bytes, DWORD type = REG_BINARY)
{
    RegSetKeyValueA(HKEY_CURRENT_USER, kSwitchKey, name.c_str(), type, bytes.data(), static_cast<DWORD>(bytes.size()));
}

// The value's bytes, or "none".
std::string Switch(const std::string& name)
{
    char data[64];
    DWORD size = sizeof(data);
    if (RegGetValueA(HKEY_CURRENT_USER, kSwitchKey, name.c_str(), RRF_RT_ANY, 0, data, &size))
        return "none";
    return std::string(data, size);
}

std::string Bytes(char first, size_t size = 12) { return first + std::string(size - 1, '\0'); }

// The row's state text by the row's file name.
std::string StateOf(const std::string& name)
{
    for (int row = 0; row < RowCount(); ++row) {
        if (RowLinkPath(row).substr(RowLinkPath(row).rfind('\\') + 1) == name)
            return RowText(row, kStateColumn);
    }
    return "no row";
}

// Types text into the row's name editor and presses Enter there.
void Rename(int row, const std::string& text)
{
    SendMessageA(g_hListView, LVM_EDITLABELA, row, 0);
    SetWindowTextA(GetNameEditor(), text.c_str());
    SendMessageA(GetNameEditor(), WM_KEYDOWN, VK_RETURN, 0);
    PumpMessages();
}

int g_messages = 0;
// Each item of a menu as "text" or "text:greyed"; the menu then chooses g_choice, as the user would.
UINT g_choice = 0;

struct MenuAndMessages {
    ImportPatch<decltype(&MessageBoxA)> message{__imp_MessageBoxA, +[](HWND, LPCSTR, LPCSTR, UINT) { return ++g_messages, IDOK; }};
    ImportPatch<decltype(&TrackPopupMenu)> menu{__imp_TrackPopupMenu, +[](HMENU menu, UINT, int, int, int, HWND owner, const RECT*) {
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            char text[100] = "";
            GetMenuStringA(menu, i, text, sizeof(text), MF_BYPOSITION);
            UINT state = GetMenuState(menu, i, MF_BYPOSITION);
            g_calls.push_back(text + std::string(state & MF_GRAYED && !(state & MF_SEPARATOR) ? ":greyed" : ""));
        }
        return static_cast<BOOL>(g_choice && PostMessageA(owner, WM_COMMAND, g_choice, 0));
    }};
    MenuAndMessages() { g_messages = 0, g_choice = 0; }
};

}  // namespace

// Only targets on a present local fixed drive are probed, once each; shares, optical media (R: in
// the test prefix) and absent drives are never touched. No file-system target, no state.
TEST_F(MainWindowTest, TheStateColumnSaysWhatIsWrongWithEachShortcut)
{
    std::string twin = ScratchFile("twin.txt");
    const struct { const char* name; std::string target; std::string value; DWORD type; const wchar_t* state; } rows[] = {
        {"present.lnk", ScratchFile("present.txt"), "", 0, L""},
        {"missing.lnk", "C:\\qdtest\\gone.txt", "", 0, L"リンク先なし"},
        {"share.lnk", "\\\\server\\share\\tool.exe", "", 0, L"確認できません"},
        {"optical.lnk", "R:\\setup.exe", "", 0, L"確認できません"},
        {"absent.lnk", "Q:\\tool.exe", "", 0, L"確認できません"},
        {"twin1.lnk", twin, "", 0, L"重複"},
        {"twin2.lnk", "C:\\QDTEST\\TWIN.TXT", "", 0, L"重複"},
        {"off3.lnk", ScratchFile("3.txt"), Bytes(3), REG_BINARY, L"無効"},
        {"off7.lnk", ScratchFile("7.txt"), Bytes(7), REG_BINARY, L"無効"},
        {"on2.lnk", ScratchFile("2.txt"), Bytes(2), REG_BINARY, L""},
        {"on6.lnk", ScratchFile("6.txt"), Bytes(6), REG_BINARY, L""},
        {"short.lnk", ScratchFile("s.txt"), Bytes(3, 8), REG_BINARY, L""},
        {"dword.lnk", ScratchFile("d.txt"), Bytes(3, 4), REG_DWORD, L""},
        {"offgone.lnk", "C:\\qdtest\\gone2.txt", Bytes(3), REG_BINARY, L"無効、リンク先なし"},
        {"url.lnk", "", "", 0, L""}, {"panel.lnk", "", "", 0, L""}, {"msi.lnk", "", "", 0, L""},
        {"broken.lnk", "", "", 0, L"読み込めません"},
    };
    const char* samples[] = {"17-win10-url-target.lnk", "14-win7-control-panel-item.lnk", "08-msi-advertised-darwin.lnk",
                             "20-not-a-link-recycle-bin-record.lnk"};
    for (const auto& row : rows) {
        if (!row.target.empty())
            MakeLink(m_startup, row.name, row.target);
        if (row.type)
            SetSwitch(row.name, row.value, row.type);
    }
    for (int i = 0; i < 4; ++i)
        AddSample(m_startup, samples[i], rows[14 + i].name);
    CreateShortcutFile(twin.c_str(), "/other", "", SW_SHOW, (m_startup + "\\args.lnk").c_str());
    Names probes;
    decltype(&GetFileAttributesA) attributes;
    g_calls.clear();
    {
        ImportPatch<decltype(&GetFileAttributesA)> probe(__imp_GetFileAttributesA, +[](LPCSTR path) {
            return g_calls.push_back(path), GetFileAttributesW(Wide(path).c_str());
        }, &attributes);
        ClickTab(1);
    }
    for (const auto& row : rows)
        EXPECT_EQ(Ansi(row.state), StateOf(row.name)) << row.name;
    EXPECT_EQ("", StateOf("args.lnk")) << "other arguments, no duplicate";
    for (const std::string& path : g_calls)
        EXPECT_TRUE(path[0] == 'C' || path[0] == 'c') << "probed " << path;
    EXPECT_GE(12u, g_calls.size()) << "one question per local target at most";
    MakeLink(m_sendTo, "off3.lnk", ScratchFile("3.txt"));
    ClickTab(0);
    EXPECT_EQ("", StateOf("off3.lnk")) << "the switch is the Startup folder's only";
}

// The bytes Task Manager writes: 0x02 or 0x06 and zeros while on, the bit set and the time while
// off. A delete that really happened and a rename take the switch along; the Send To tab has none.
TEST_F(MainWindowTest, TheStartupSwitchRoundTripsThroughTheRegistry)
{
    const Names links = {MakeLink(m_startup, "a.lnk", ScratchFile("a.txt")), MakeLink(m_startup, "b.lnk", ScratchFile("b.txt")),
                         MakeLink(m_startup, "c.lnk", ScratchFile("c.txt"))};
    SetSwitch("a.lnk", Bytes(6));
    SetSwitch("c.lnk", Bytes(3, 20));
    ClickTab(1);
    SelectRows(RowsOf(links));
    const struct { const char* name; char off, on; } rows[] = {{"a.lnk", 7, 6}, {"b.lnk", 3, 2}, {"c.lnk", 3, 2}};
    for (int command : {CMD_SWITCH_OFF, CMD_SWITCH_ON, CMD_SWITCH_OFF}) {
        Command(command);
        for (const auto& row : rows) {
            std::string value = Switch(row.name);
            if (command == CMD_SWITCH_ON)
                EXPECT_EQ(Bytes(row.on), value) << row.name;
            else
                EXPECT_TRUE(value.size() == 12 && value[0] == row.off && value.substr(4) != std::string(8, '\0')) << row.name;
            EXPECT_EQ(Ansi(command == CMD_SWITCH_ON ? L"" : L"無効"), StateOf(row.name));
        }
    }
    ShellRecorder recorder;
    HANDLE inUse = CreateFileA(links[1].c_str(), GENERIC_READ, 0, 0, OPEN_EXISTING, 0, 0);
    SelectRows(RowsOf({links[0], links[1]}));
    Command(CMD_DELETE);
    CloseHandle(inUse);
    EXPECT_EQ("none", Switch("a.lnk")) << "deleted: its switch goes too";
    EXPECT_EQ(3, Switch("b.lnk")[0]) << "still there: its switch stays";
    Rename(RowsOf({links[2]})[0], "d");
    EXPECT_EQ(Names({"recycle: " + links[0], "recycle: " + links[1], "rename: " + links[2]}), g_calls);
    EXPECT_EQ("none", Switch("c.lnk"));
    EXPECT_EQ(3, Switch("d.lnk")[0]) << "renamed: the switch follows the file";
    MakeLink(m_sendTo, "b.lnk", ScratchFile("b.txt"));
    ClickTab(0);
    SelectRows({0});
    EXPECT_FALSE(SendMessageA(g_toolBar.GetWindow(), TB_ISBUTTONENABLED, CMD_SWITCH_ON, 0));
    Command(CMD_SWITCH_ON);
    EXPECT_EQ(3, Switch("b.lnk")[0]) << "the Send To tab has no switch";
}

// Refused names change nothing and say why; a double-byte name with a 0x5C trail byte and a
// change of case alone are names like any other (Wine keeps the old case on disk).
TEST_F(MainWindowTest, RenameRefusesWhatNoFileCanBeCalledAndRenamesTheRest)
{
    const struct { std::string typed; Names after; int messages; } cases[] = {
        {"a/b", {"one.lnk", "taken.lnk"}, 1},
        {"a\"b", {"one.lnk", "taken.lnk"}, 1},
        {"  ", {"one.lnk", "taken.lnk"}, 1},
        {std::string(MAX_PATH - m_sendTo.size() - 5, 'n'), {"one.lnk", "taken.lnk"}, 1},
        {"TAKEN", {"one.lnk", "taken.lnk"}, 1},
        {"one", {"one.lnk", "taken.lnk"}, 0},
        {"ONE", {"one.lnk", "taken.lnk"}, 0},
        {Ansi(L"表示"), {"taken.lnk", Ansi(L"表示.lnk")}, 0},
    };
    MenuAndMessages messages;
    for (const auto& c : cases) {
        EmptyFolders();
        MakeLink(m_sendTo, "taken.lnk", ScratchFile("t.txt"));
        std::string one = MakeLink(m_sendTo, "one.lnk", ScratchFile("one.txt"));
        Command(CMD_REFRESH);
        g_messages = 0;
        Rename(RowsOf({one})[0], c.typed);
        Names after = LinkNames(m_sendTo);
        for (std::string& name : after)
            CharLowerA(&name[0]);
        EXPECT_EQ(c.messages, g_messages) << c.typed;
        EXPECT_EQ(c.after, after) << c.typed;
        EXPECT_EQ(2, RowCount());
    }
}

// A header click sorts as the shell compares names, a second one reverses; commands still reach
// each row's own file, and a refresh keeps the order.
TEST_F(MainWindowTest, SortedRowsStayBoundToTheirOwnFiles)
{
    for (const char* name : {"b.lnk", "a.lnk", "C.lnk"})
        MakeLink(m_sendTo, name, ScratchFile(std::string(name) + ".txt"));
    Command(CMD_REFRESH);
    HWND header = ListView_GetHeader(g_hListView);
    auto names = [] { return RowText(0, 0) + RowText(1, 0) + RowText(2, 0); };
    for (const char* expected : {"abC", "Cba"}) {
        SendMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        SendMessageA(header, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        EXPECT_EQ(expected, names());
    }
    ShellRecorder recorder;
    SelectRows({0});
    Command(CMD_PROPERTIES);
    SelectRows({1});
    Command(CMD_DELETE);
    EXPECT_EQ(Names({"properties: " + m_sendTo + "\\C.lnk", "recycle: " + m_sendTo + "\\b.lnk"}), g_calls);
    Command(CMD_REFRESH);
    EXPECT_EQ("Ca", RowText(0, 0) + RowText(1, 0));
}

// Every key from the list and from the tabs, through the program's own loop; while a name is
// edited the editor keeps its keys. The context menu holds the commands with their keys, the
// switch's on the Startup tab only, and runs the one chosen.
TEST_F(MainWindowTest, KeysAndTheContextMenuReachTheCommandsFromEitherControl)
{
    std::string link = MakeLink(m_startup, "a.lnk", ScratchFile("a.txt"));
    MakeLink(m_startup, "b.lnk", ScratchFile("b.txt"));
    ClickTab(1);
    ShellRecorder recorder;
    MenuAndMessages menu;
    HACCEL menuKeys = LoadAcceleratorsA(GetModuleHandleA(0), MAKEINTRESOURCEA(IDA_MAIN));
    HACCEL commandKeys = LoadAcceleratorsA(GetModuleHandleA(0), MAKEINTRESOURCEA(IDA_KEYS));
    auto press = [&](HWND focus, std::initializer_list<int> held, int key, bool selectOne = true) {
        if (GetFileAttributesA(link.c_str()) == INVALID_FILE_ATTRIBUTES)
            MakeLink(m_startup, "a.lnk", ScratchFile("a.txt")), Command(CMD_REFRESH);
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
        return g_calls.empty() ? std::string() : g_calls[0];
    };
    const std::string explore = Ansi(L"リンク先のフォルダーを開く(&O)");
    for (HWND focus : {g_hListView, g_hTabs}) {
        Command(CMD_REFRESH);
        EXPECT_EQ("recycle: " + link, press(focus, {}, VK_DELETE));
        EXPECT_EQ("delete: " + link, press(focus, {VK_SHIFT}, VK_DELETE));
        EXPECT_EQ("properties: " + link, press(focus, {}, VK_RETURN));
        EXPECT_EQ(explore, press(focus, {VK_SHIFT}, VK_F10));
        EXPECT_EQ(explore, press(focus, {}, VK_APPS));
        EXPECT_EQ(8u, g_calls.size()) << "one menu, once";
        press(focus, {VK_CONTROL}, 'A');
        EXPECT_EQ(2u, ListView_GetSelectedCount(g_hListView));
        press(focus, {}, VK_TAB);
        EXPECT_NE(focus, GetFocus());
        press(GetFocus(), {VK_SHIFT}, VK_TAB);
        EXPECT_EQ(focus, GetFocus());
        press(focus, {}, VK_F2);
        EXPECT_EQ("", press(GetNameEditor(), {}, VK_DELETE, false)) << "the editor's own key";
        EXPECT_TRUE(GetNameEditor());
        ListView_CancelEditLabel(g_hListView);
        decltype(&FindFirstFileA) findFirst;
        ImportPatch<decltype(&FindFirstFileA)> scan(__imp_FindFirstFileA, +[](LPCSTR, LPWIN32_FIND_DATAA) {
            return g_calls.push_back("scan"), INVALID_HANDLE_VALUE;
        }, &findFirst);
        EXPECT_EQ("scan", press(focus, {}, VK_F5));
    }
    Command(CMD_REFRESH);
    const Names items = {explore, Ansi(L"プロパティ(&R)\tEnter"), "", Ansi(L"名前の変更(&M)\tF2"), Ansi(L"削除(&D)\tDelete"), "",
                         Ansi(L"有効にする(&E)"), Ansi(L"無効にする(&I)")};
    g_calls.clear();
    g_choice = CMD_SWITCH_OFF;
    SelectRows(RowsOf({link}));
    SendMessageA(m_window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(g_hListView), MAKELPARAM(20, 20));
    PumpMessages();
    EXPECT_EQ(items, g_calls);
    EXPECT_EQ(1, Switch("a.lnk")[0] & 1) << "the chosen command ran";
    ClickTab(0);
    g_calls.clear();
    SendMessageA(m_window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(g_hListView), MAKELPARAM(20, 20));
    EXPECT_EQ(Names({items[0] + ":greyed", items[1] + ":greyed", "", items[3] + ":greyed", items[4] + ":greyed"}), g_calls);
}
