// Tidying on the real main window: the state column, Windows' Startup switch in the registry,
// rename, sort, the command keys and the context menu.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <map>

#include "app/message_loop.h"
#include "app/quiverdesk.h"
#include "controls/main_tabs.h"
#include "controls/shortcut_view.h"
#include "controls/tool_bar.h"
#include "model/shortcut_file.h"
#include "support/support.h"

namespace {

const char kSwitchKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\StartupFolder";

void SetSwitch(const std::string& name, const std::string& bytes, DWORD type = REG_BINARY)
{
    HKEY key = 0;
    RegCreateKeyExA(HKEY_CURRENT_USER, kSwitchKey, 0, 0, 0, KEY_SET_VALUE, 0, &key, 0);
    RegSetValueExA(key, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size()));
    RegCloseKey(key);
}

// The value's bytes, or "none".
std::string Switch(const std::string& name)
{
    BYTE data[64];
    DWORD size = sizeof(data);
    if (RegGetValueA(HKEY_CURRENT_USER, kSwitchKey, name.c_str(), RRF_RT_ANY, 0, data, &size) != ERROR_SUCCESS)
        return "none";
    return std::string(reinterpret_cast<char*>(data), size);
}

std::string Bytes(int first, int size = 12) { return std::string(1, static_cast<char>(first)) + std::string(size - 1, '\0'); }

// Each row's state text by its file name.
std::map<std::string, std::string> States()
{
    std::map<std::string, std::string> states;
    for (int row = 0; row < RowCount(); ++row)
        states[RowLinkPath(row).substr(RowLinkPath(row).rfind('\\') + 1)] = RowText(row, kStateColumn);
    return states;
}

// Shell calls as "verb: file"; none of them reaches the file system.
Names g_calls;
int WINAPI RecordFileOperation(LPSHFILEOPSTRUCTA op)
{
    const char* verbs[] = {"", "move", "copy", "delete", "rename"};
    g_calls.push_back(std::string(verbs[op->wFunc]) + (op->fFlags & FOF_ALLOWUNDO ? ": " : " for good: ") + op->pFrom);
    return op->fAnyOperationsAborted = TRUE, 0;
}
BOOL WINAPI RecordExecuteEx(SHELLEXECUTEINFOA* info) { return g_calls.push_back(std::string(info->lpVerb) + ": " + info->lpFile), TRUE; }
DWORD WINAPI RecordAttributes(LPCSTR path) { return g_calls.push_back(std::string("attributes: ") + path), GetFileAttributesW(Wide(path).c_str()); }

// The menu as "text:greyed" lines; then chooses g_choice as the user would.
UINT g_choice;
BOOL WINAPI RecordMenu(HMENU menu, UINT, int, int, int, HWND owner, const RECT*)
{
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[100] = "";
        GetMenuStringA(menu, i, text, sizeof(text), MF_BYPOSITION);
        UINT state = GetMenuState(menu, i, MF_BYPOSITION);
        g_calls.push_back(text + std::string(state & MF_GRAYED && !(state & MF_SEPARATOR) ? ":greyed" : ""));
    }
    return g_choice && PostMessageA(owner, WM_COMMAND, g_choice, 0);
}

HANDLE WINAPI RecordScan(LPCSTR, LPWIN32_FIND_DATAA) { return g_calls.push_back("scan"), INVALID_HANDLE_VALUE; }

struct ShellRecorder {
    ImportPatch operation{"shell32", "SHFileOperationA", reinterpret_cast<void*>(RecordFileOperation)};
    ImportPatch executeEx{"shell32", "ShellExecuteExA", reinterpret_cast<void*>(RecordExecuteEx)};
    ImportPatch menu{"user32", "TrackPopupMenu", reinterpret_cast<void*>(RecordMenu)};
    ShellRecorder() { g_calls.clear(), g_choice = 0; }
};

// Types text into the row's name editor and presses Enter there.
void Rename(int row, const std::string& text)
{
    SendMessageA(g_hListView, LVM_EDITLABELA, row, 0);
    SetWindowTextA(GetNameEditor(), text.c_str());
    SendMessageA(GetNameEditor(), WM_KEYDOWN, VK_RETURN, 0);
    PumpMessages();
}

}  // namespace

// Only targets on a present local fixed drive are probed, once each; shares, optical media and
// absent drives are never touched and say so. No file-system target, no state.
TEST_F(ShellFolderTest, TheStateColumnSaysWhatIsWrongWithEachShortcut)
{
    std::string twin = ScratchFile("twin.txt");
    const struct { const char* name; std::string target; std::string value; DWORD type; const char* state; } rows[] = {
        {"present.lnk", ScratchFile("present.txt"), "", 0, ""},
        {"missing.lnk", "C:\\qdtest\\gone.txt", "", 0, "リンク先なし"},
        {"share.lnk", "\\\\server\\share\\tool.exe", "", 0, "確認できません"},
        {"optical.lnk", "R:\\setup.exe", "", 0, "確認できません"},
        {"absent.lnk", "Q:\\tool.exe", "", 0, "確認できません"},
        {"twin1.lnk", twin, "", 0, "重複"},
        {"twin2.lnk", "C:\\QDTEST\\TWIN.TXT", "", 0, "重複"},
        {"off3.lnk", ScratchFile("3.txt"), Bytes(3), REG_BINARY, "無効"},
        {"off7.lnk", ScratchFile("7.txt"), Bytes(7), REG_BINARY, "無効"},
        {"on2.lnk", ScratchFile("2.txt"), Bytes(2), REG_BINARY, ""},
        {"on6.lnk", ScratchFile("6.txt"), Bytes(6), REG_BINARY, ""},
        {"short.lnk", ScratchFile("s.txt"), Bytes(3, 8), REG_BINARY, ""},
        {"dword.lnk", ScratchFile("d.txt"), "\3\0\0\0", REG_DWORD, ""},
        {"offgone.lnk", "C:\\qdtest\\gone2.txt", Bytes(3), REG_BINARY, "無効、リンク先なし"},
    };
    for (const auto& row : rows) {
        MakeLink(m_startup, row.name, row.target);
        if (row.type)
            SetSwitch(row.name, row.value, row.type);
    }
    CreateShortcutFile(twin.c_str(), "/other", "", SW_SHOW, (m_startup + "\\args.lnk").c_str());
    const struct { const char* sample; const char* state; } samples[] = {
        {"17-win10-url-target.lnk", ""}, {"14-win7-control-panel-item.lnk", ""}, {"08-msi-advertised-darwin.lnk", ""},
        {"20-not-a-link-recycle-bin-record.lnk", "読み込めません"},
    };
    for (const auto& sample : samples)
        AddSample(m_startup, sample.sample);
    ShellRecorder recorder;
    ImportPatch attributes("kernel32", "GetFileAttributesA", reinterpret_cast<void*>(RecordAttributes));
    MainWindow window;
    window.ClickTab(1);
    auto states = States();
    for (const auto& row : rows)
        EXPECT_EQ(Ansi(row.state), states[row.name]) << row.name;
    for (const auto& sample : samples)
        EXPECT_EQ(Ansi(sample.state), states[sample.sample]) << sample.sample;
    EXPECT_EQ("", states["args.lnk"]) << "other arguments, no duplicate";
    std::map<std::string, int> probes;
    for (const std::string& call : g_calls)
        ++probes[call.substr(call.find(' ') + 1, 3)];
    EXPECT_EQ(0, probes["\\\\s"] + probes["R:\\"] + probes["Q:\\"]);
    EXPECT_GE(12, probes["C:\\"] + probes["c:\\"]) << "one question per local target at most";
    SetSwitch("present.lnk", Bytes(3));
    MakeLink(m_sendTo, "present.lnk", ScratchFile("present.txt"));
    window.ClickTab(0);
    EXPECT_EQ("", States()["present.lnk"]) << "the switch is the Startup folder's only";
}

// The bytes Task Manager writes: 0x02 or 0x06 and zeros while on, the bit set and the time while off.
TEST_F(ShellFolderTest, TheStartupSwitchRoundTripsThroughTheRegistry)
{
    const Names links = {MakeLink(m_startup, "a.lnk", ScratchFile("a.txt")), MakeLink(m_startup, "b.lnk", ScratchFile("b.txt")),
                         MakeLink(m_startup, "c.lnk", ScratchFile("c.txt"))};
    SetSwitch("a.lnk", Bytes(6));
    SetSwitch("c.lnk", Bytes(3, 20));
    MainWindow window;
    window.ClickTab(1);
    SelectRows(RowsOf(links));
    window.Command(CMD_SWITCH_OFF);
    const struct { const char* name; int off, on; } rows[] = {{"a.lnk", 7, 6}, {"b.lnk", 3, 2}, {"c.lnk", 3, 2}};
    for (const auto& row : rows) {
        std::string value = Switch(row.name);
        ASSERT_EQ(12u, value.size()) << row.name;
        EXPECT_EQ(row.off, value[0]) << row.name;
        EXPECT_NE(std::string(8, '\0'), value.substr(4)) << row.name << ": switched off at some time";
        EXPECT_EQ(Ansi("無効"), RowText(RowOfLink(m_startup + "\\" + row.name), kStateColumn));
    }
    window.Command(CMD_SWITCH_ON);
    for (const auto& row : rows) {
        EXPECT_EQ(Bytes(row.on), Switch(row.name)) << row.name;
        EXPECT_EQ("", RowText(RowOfLink(m_startup + "\\" + row.name), kStateColumn));
    }
    window.Command(CMD_SWITCH_OFF);
    {
        DialogAnswerer answers({IDYES, IDNO});
        SelectRows(RowsOf({links[0], links[1]}));
        window.Command(CMD_DELETE);
    }
    EXPECT_EQ("none", Switch("a.lnk")) << "deleted: its switch goes too";
    EXPECT_EQ(3, Switch("b.lnk")[0]) << "not deleted: its switch stays";
    SelectRows(RowsOf({links[2]}));
    Rename(RowOfLink(links[2]), "d");
    EXPECT_EQ("none", Switch("c.lnk"));
    EXPECT_EQ(3, Switch("d.lnk")[0]) << "renamed: the switch follows the file";
    window.ClickTab(0);
    MakeLink(m_sendTo, "b.lnk", ScratchFile("b.txt"));
    window.Command(CMD_REFRESH);
    SelectRows({0});
    EXPECT_FALSE(SendMessageA(g_toolBar.GetWindow(), TB_ISBUTTONENABLED, CMD_SWITCH_ON, 0));
    window.Command(CMD_SWITCH_ON);
    EXPECT_EQ(3, Switch("b.lnk")[0]) << "the Send To tab has no switch";
}

// Refused names change nothing and say why; a double-byte name with a 0x5C trail byte and a
// change of case alone are names like any other (Wine keeps the old case on disk).
TEST_F(ShellFolderTest, RenameRefusesWhatNoFileCanBeCalledAndRenamesTheRest)
{
    MakeLink(m_sendTo, "taken.lnk", ScratchFile("t.txt"));
    const struct { std::string typed; Names after; int messages; } cases[] = {
        {"a/b", {"one.lnk", "taken.lnk"}, 1},
        {"a\"b", {"one.lnk", "taken.lnk"}, 1},
        {"  ", {"one.lnk", "taken.lnk"}, 1},
        {std::string(MAX_PATH - m_sendTo.size() - 5, 'n'), {"one.lnk", "taken.lnk"}, 1},
        {"TAKEN", {"one.lnk", "taken.lnk"}, 1},
        {"one", {"one.lnk", "taken.lnk"}, 0},
        {"ONE", {"one.lnk", "taken.lnk"}, 0},
        {Ansi("表示"), {"taken.lnk", Ansi("表示.lnk")}, 0},
    };
    MainWindow window;
    for (const auto& c : cases) {
        EmptyFolder(m_sendTo.c_str());
        MakeLink(m_sendTo, "taken.lnk", ScratchFile("t.txt"));
        std::string one = MakeLink(m_sendTo, "one.lnk", ScratchFile("one.txt"));
        window.Command(CMD_REFRESH);
        SelectRows({RowOfLink(one)});
        DialogAnswerer answers({IDOK});
        Rename(RowOfLink(one), c.typed);
        EXPECT_EQ(c.messages, answers.answered) << c.typed;
        Names after = LinkNames(m_sendTo);
        for (std::string& name : after)
            CharLowerA(&name[0]);
        EXPECT_EQ(c.after, after) << c.typed;
        EXPECT_EQ(2, RowCount());
    }
}

// A header click sorts as the shell does, a second one reverses; commands still reach each row's
// own file, and a refresh keeps the order.
TEST_F(ShellFolderTest, SortedRowsStayBoundToTheirOwnFiles)
{
    for (const char* name : {"b.lnk", "a.lnk", "C.lnk"})
        MakeLink(m_sendTo, name, ScratchFile(std::string(name) + ".txt"));
    MainWindow window;
    HWND header = reinterpret_cast<HWND>(SendMessageA(g_hListView, LVM_GETHEADER, 0, 0));
    auto names = [] { return RowText(0, 0) + RowText(1, 0) + RowText(2, 0); };
    RECT name = {};
    SendMessageA(header, HDM_GETITEMRECT, kNameColumn, reinterpret_cast<LPARAM>(&name));
    for (const char* expected : {"abC", "Cba"}) {
        SendMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(name.left + 5, 5));
        SendMessageA(header, WM_LBUTTONUP, 0, MAKELPARAM(name.left + 5, 5));
        EXPECT_EQ(expected, names());
    }
    ShellRecorder recorder;
    SelectRows({0});
    window.Command(CMD_PROPERTIES);
    SelectRows({1});
    window.Command(CMD_DELETE);
    EXPECT_EQ(Names({"properties: " + m_sendTo + "\\C.lnk", "delete: " + m_sendTo + "\\b.lnk"}), g_calls);
    window.Command(CMD_REFRESH);
    EXPECT_EQ("Cba", names());
}

// Every key from the list and from the tabs; while a name is edited the editor keeps its keys.
// The context menu holds the commands with their keys, the switch's on the Startup tab only.
TEST_F(ShellFolderTest, KeysAndTheContextMenuReachTheCommandsFromEitherControl)
{
    std::string link = MakeLink(m_startup, "a.lnk", ScratchFile("a.txt"));
    MakeLink(m_startup, "b.lnk", ScratchFile("b.txt"));
    MainWindow window;
    window.ClickTab(1);
    ShellRecorder recorder;
    HACCEL menuKeys = LoadAcceleratorsA(GetModuleHandleA(0), MAKEINTRESOURCEA(IDA_MAIN));
    HACCEL commandKeys = LoadAcceleratorsA(GetModuleHandleA(0), MAKEINTRESOURCEA(IDA_KEYS));
    auto press = [&](HWND focus, std::initializer_list<int> held, int key, bool selectOne = true) {
        SetFocus(focus);
        if (selectOne)
            SelectRows({RowOfLink(link)});
        g_calls.clear();
        HoldKeys(held);
        HWND to = GetFocus();
        PostMessageA(to, key == VK_F10 ? WM_SYSKEYDOWN : WM_KEYDOWN, key, 1);
        PostMessageA(to, key == VK_F10 ? WM_SYSKEYUP : WM_KEYUP, key, 0xC0000001);
        PostQuitMessage(0);
        RunMessageLoop(window.handle, menuKeys, commandKeys);
        HoldKeys({});
        return g_calls.empty() ? std::string() : g_calls[0];
    };
    for (HWND focus : {g_hListView, g_hTabs}) {
        window.Command(CMD_REFRESH);
        EXPECT_EQ("delete: " + link, press(focus, {}, VK_DELETE));
        EXPECT_EQ("delete for good: " + link, press(focus, {VK_SHIFT}, VK_DELETE));
        EXPECT_EQ("properties: " + link, press(focus, {}, VK_RETURN));
        for (int key : {VK_F10, VK_APPS}) {
            EXPECT_EQ(Ansi("リンク先のフォルダーを開く(&O)"), press(focus, {key == VK_F10 ? VK_SHIFT : 0}, key));
            EXPECT_EQ(8u, g_calls.size()) << key << ": one menu, once";
        }
        press(focus, {VK_CONTROL}, 'A');
        EXPECT_EQ(2, SendMessageA(g_hListView, LVM_GETSELECTEDCOUNT, 0, 0));
        press(focus, {}, VK_TAB);
        EXPECT_NE(focus, GetFocus());
        press(GetFocus(), {VK_SHIFT}, VK_TAB);
        EXPECT_EQ(focus, GetFocus());
        press(focus, {}, VK_F2);
        EXPECT_TRUE(GetNameEditor());
        EXPECT_EQ("", press(GetNameEditor(), {}, VK_DELETE, false)) << "the editor's own key";
        EXPECT_TRUE(GetNameEditor());
        SendMessageA(g_hListView, LVM_CANCELEDITLABEL, 0, 0);
        ImportPatch scan("kernel32", "FindFirstFileA", reinterpret_cast<void*>(RecordScan));
        EXPECT_EQ("scan", press(focus, {}, VK_F5));
    }
    window.ClickTab(1);
    const Names menu = {Ansi("リンク先のフォルダーを開く(&O)"), Ansi("プロパティ(&R)\tEnter"), "", Ansi("名前の変更(&M)\tF2"),
                        Ansi("削除(&D)\tDelete"), "", Ansi("有効にする(&E)"), Ansi("無効にする(&I)")};
    g_calls.clear();
    g_choice = CMD_SWITCH_OFF;
    SelectRows({RowOfLink(link)});
    SendMessageA(window.handle, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(g_hListView), MAKELPARAM(20, 20));
    PumpMessages();
    EXPECT_EQ(menu, g_calls);
    EXPECT_EQ(1, Switch("a.lnk")[0] & 1) << "the chosen command ran";
    window.ClickTab(0);
    g_calls.clear();
    SelectRows({});
    SendMessageA(window.handle, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(g_hListView), MAKELPARAM(20, 20));
    EXPECT_EQ(Names({menu[0] + ":greyed", menu[1] + ":greyed", "", menu[3] + ":greyed", menu[4] + ":greyed"}), g_calls);
}
