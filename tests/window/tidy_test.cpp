// Tidying on the real main window: Windows' Startup switch in the registry, rename, the command
// keys, what each tab offers, and commands that meet an open edit.
#include "support/support.h"

namespace {

const Text kExplore = L"リンク先のフォルダーを開く(&O)";
const Text kNoShowAndHide = L"表示する(&S)\tCtrl+Shift+H:greyed|表示しない(&H)\tCtrl+H:greyed";
const Text kStartupMenu =
    kExplore + L"|プロパティ(&R)\tEnter|コピー(&C)\tCtrl+C||名前の変更(&M)\tF2|削除(&D)\tDelete||有効にする(&E)|"
    + L"無効にする(&I)||" + kNoShowAndHide + L"||管理者として再起動(&A)";

// Keys as the user presses them, through the program's own loop and its two accelerator tables.
class KeysTest : public MainWindowTest {
protected:
    void Press(HWND focus, int held, int key)
    {
        SetFocus(focus);
        HoldKeys({held});
        PostMessageA(focus, key == VK_F10 ? WM_SYSKEYDOWN : WM_KEYDOWN, key, 1);
        PostMessageA(focus, key == VK_F10 ? WM_SYSKEYUP : WM_KEYUP, key, 0xC0000001);
        PostQuitMessage(0);
        RunMessageLoop(m_window, m_menuKeys, m_commandKeys);
        HoldKeys({});
    }
    const HACCEL m_menuKeys = LoadAcceleratorsA(GetModuleHandleA(0), MAKEINTRESOURCEA(IDA_MAIN));
    const HACCEL m_commandKeys = LoadAcceleratorsA(GetModuleHandleA(0), MAKEINTRESOURCEA(IDA_KEYS));
};

}  // namespace

// The switch follows its file: a delete takes it to the bin as a .reg that merges it back whole,
// and one that failed leaves it and the row; a rename takes exactly the old switch along, or none, over a value
// the new name held, left by a shortcut of that name deleted elsewhere.
TEST_F(MainWindowTest, TheSwitchFollowsItsFile)
{
    const Names links = {
        MakeLink(m_startup, L"a.lnk", ScratchFile(L"a.txt")), MakeLink(m_startup, L"b.lnk", ScratchFile(L"b.txt")),
        MakeLink(m_startup, L"c.lnk", ScratchFile(L"c.txt")), MakeLink(m_startup, L"e.lnk", ScratchFile(L"e.txt"))};
    for (const auto& [name, bytes] : {std::pair(L"a.lnk", Bytes(7)),
                                      {L"b.lnk", Bytes(3)},
                                      {L"c.lnk", Bytes(7)},
                                      {L"d.lnk", Bytes(3, 70)},
                                      {L"f.lnk", Bytes(3)}})
        SetSwitch(name, bytes);
    ClickTab(1);
    NoticeRecorder noticed;
    HANDLE inUse = CreateFileW(links[1].c_str(), GENERIC_READ, 0, 0, OPEN_EXISTING, 0, 0);
    SelectRows(RowsOf({links[0], links[1]}));
    Command(CMD_DELETE);
    CloseHandle(inUse);
    Rename(RowsOf({links[2]})[0], L"d");
    Rename(RowsOf({links[3]})[0], L"f");
    EXPECT_EQ(
        Names({L"recycle: " + links[0] + L"|" + links[1], L"recycle: " + TempPath(L"a.lnk.reg"), L"rename: " + links[2],
               L"recycle: " + TempPath(L"d.lnk.reg"), L"rename: " + links[3], L"recycle: " + TempPath(L"f.lnk.reg")}),
        g_noticed.files);
    EXPECT_EQ("none|" + Bytes(3) + "|none|" + Bytes(7) + "|none", Switch(L"a.lnk") + "|" + Switch(L"b.lnk") + "|"
                                                                      + Switch(L"c.lnk") + "|" + Switch(L"d.lnk") + "|"
                                                                      + Switch(L"f.lnk"));
    EXPECT_EQ(Names({L"次の項目は削除できませんでした:\n\nb.lnk"}), g_noticed.messages) << "b.lnk was in use";
    EXPECT_EQ(L"無効|無効", RowText(RowsOf({links[1]})[0], kStateColumn) + L"|"
                                + RowText(RowsOf({m_startup + L"\\d.lnk"})[0], kStateColumn));
    Merge(TrashFolder() + L"\\files\\a.lnk.reg");
    EXPECT_EQ(Bytes(7), Switch(L"a.lnk")) << "the bin's .reg merges the switch back whole";
}

// A refused name says why and leaves the file as it was; which names are refused is the model's
// rule, and a name taken renames the file, as every rename of an exotic name shows.
TEST_F(MainWindowTest, RenameSaysWhyANameIsRefused)
{
    Text link = MakeLink(m_sendTo, L"one.lnk", ScratchFile(L"one.txt"));
    Command(CMD_REFRESH);
    const auto before = TreeContents(m_sendTo);
    NoticeRecorder noticed;
    Rename(RowsOf({link})[0], L"con");
    EXPECT_EQ(Names({L"この名前は Windows が予約しています。別の名前を指定してください。"}), g_noticed.messages);
    EXPECT_EQ(before, TreeContents(m_sendTo));
    EXPECT_EQ(Names(), g_noticed.files);
}

// A toolbar delete during an edit commits it first, as Explorer does, and reaches the renamed file:
// here renamed by its case alone, which Wine's shell refuses and a temporary name does.
TEST_F(MainWindowTest, ACommandDuringAnEditActsOnTheRenamedFile)
{
    Text link = MakeLink(m_sendTo, L"a.lnk", ScratchFile(L"a.txt"));
    MakeLink(m_sendTo, L"b.lnk", ScratchFile(L"b.txt"));
    Command(CMD_REFRESH);
    SelectRows(RowsOf({link}));
    SendMessageW(MainChild(CTRL_LIST), LVM_EDITLABELW, RowsOf({link})[0], 0);
    SetWindowTextW(GetNameEditor(), L"A");
    NoticeRecorder noticed;
    SendMessageA(m_window, WM_COMMAND, MAKEWPARAM(CMD_DELETE, BN_CLICKED),
                 reinterpret_cast<LPARAM>(g_toolBar.GetWindow()));
    PumpMessages();
    EXPECT_EQ(Names({L"rename: " + link, L"recycle: " + m_sendTo + L"\\A.lnk"}), g_noticed.files);
    EXPECT_EQ(Names({L"b.lnk"}), LinkNames(m_sendTo));
}

// Every command key acts from the list and from the tabs alike, through the program's loop.
TEST_F(KeysTest, CommandKeysActFromTheListAndTheTabs)
{
    const Text link = m_sendTo + L"\\a.lnk";
    const Text menu =
        kExplore + L"|プロパティ(&R)\tEnter|コピー(&C)\tCtrl+C||名前の変更(&M)\tF2|削除(&D)\tDelete||表示する(&S)\t"
        + L"Ctrl+Shift+H|表示しない(&H)\tCtrl+H||リムーバブル ドライブを表示(&V)";
    const struct {
        int held, key;
        const Names& noticed;
        Text expected;
    } rows[] = {
        {0, VK_DELETE, g_noticed.files, L"recycle: " + link},
        {VK_SHIFT, VK_DELETE, g_noticed.files, L"delete: " + link},
        {0, VK_RETURN, g_noticed.windows, L"properties: " + link},
        {VK_SHIFT, VK_F10, g_noticed.menus, menu},
        {0, VK_APPS, g_noticed.menus, menu},
    };
    NoticeRecorder noticed;
    for (HWND focus : {MainChild(CTRL_LIST), MainChild(CTRL_TABS)}) {
        for (const auto& row : rows) {
            MakeLink(m_sendTo, L"a.lnk", ScratchFile(L"a.txt"));
            Command(CMD_REFRESH);
            SelectRows({0});
            g_noticed = {};
            Press(focus, row.held, row.key);
            EXPECT_EQ(Names({row.expected}), row.noticed) << row.held << "+" << row.key << " from " << focus;
        }
        const unsigned listings = GetListingCount();
        Press(focus, 0, VK_F5);
        EXPECT_EQ(listings + 1, GetListingCount()) << "F5 from " << focus;
    }
}

// While a name is edited, Delete and what the user types are the editor's own, a character the
// code page lacks included.
TEST_F(KeysTest, TheNameEditorKeepsItsOwnKeys)
{
    MakeLink(m_sendTo, L"a.lnk", ScratchFile(L"a.txt"));
    Command(CMD_REFRESH);
    SelectRows({0});
    NoticeRecorder noticed;
    Press(MainChild(CTRL_LIST), 0, VK_F2);
    PostMessageW(GetNameEditor(), WM_CHAR, L'한', 1);
    Press(GetNameEditor(), 0, VK_DELETE);
    wchar_t typed[MAX_PATH] = L"";
    GetWindowTextW(GetNameEditor(), typed, MAX_PATH);
    EXPECT_TRUE(wcschr(typed, L'한')) << "a typed character the code page lacks";
    Press(GetNameEditor(), 0, VK_ESCAPE);
    EXPECT_EQ(Names({L"a.lnk"}), LinkNames(m_sendTo)) << "the editor's Delete deletes no file";
}

// The context menu holds the commands and their keys, the switch's on the Startup tab only, and
// runs the one chosen. Without a selection the toolbar's commands are greyed too. The Send To tab
// has no switch: a Startup shortcut's does not show there, and its command changes nothing; nor
// does a subfolder's, which Windows never runs.
TEST_F(KeysTest, EachTabOffersItsOwnCommands)
{
    Text link = MakeLink(m_startup, L"a.lnk", ScratchFile(L"a.txt"));
    CreateDirectoryW((m_startup + L"\\sub").c_str(), 0);
    MakeLink(m_sendTo, L"a.lnk", ScratchFile(L"a.txt"));
    ClickTab(1);
    NoticeRecorder noticed;
    g_menuChoice = CMD_SWITCH_OFF;
    SelectRows(RowsOf({link}));
    Press(MainChild(CTRL_LIST), 0, VK_APPS);
    EXPECT_EQ(3, Switch(L"a.lnk")[0]) << "the chosen command ran";
    SelectRows({RowNamed(L"sub")});
    Command(CMD_SWITCH_OFF);
    EXPECT_EQ("-|none", Pressable(CMD_SWITCH_OFF) + "|" + Switch(L"sub"));
    ClickTab(0);
    Press(MainChild(CTRL_LIST), 0, VK_APPS);
    EXPECT_EQ(
        Names({kStartupMenu,
               kExplore + L":greyed|プロパティ(&R)\tEnter:greyed|コピー(&C)\tCtrl+C:greyed||名前の変更(&M)\tF2:greyed|"
                   + L"削除(&D)\tDelete:greyed||" + kNoShowAndHide + L"||リムーバブル ドライブを表示(&V)"}),
        g_noticed.menus);
    EXPECT_EQ("---", Pressable(CMD_DELETE) + Pressable(CMD_PROPERTIES) + Pressable(CMD_EXPLORE_TARGET));
    SelectRows({0});
    EXPECT_EQ("+++-|", Pressable(CMD_DELETE) + Pressable(CMD_PROPERTIES) + Pressable(CMD_EXPLORE_TARGET)
                           + Pressable(CMD_SWITCH_ON) + "|" + Ansi(RowText(0, kStateColumn)));
    Command(CMD_SWITCH_ON);
    EXPECT_EQ(3, Switch(L"a.lnk")[0]) << "the Send To tab has no switch";
    ImportPatch denied(
        __imp_RegSetKeyValueW,
        +[](HKEY, LPCWSTR, LPCWSTR, DWORD, LPCVOID, DWORD) { return LONG(ERROR_ACCESS_DENIED); });
    Command(CMD_REMOVABLE_DRIVES);
    EXPECT_EQ(Names({L"リムーバブル ドライブの設定を書き込めませんでした。"}), g_noticed.messages);
}
