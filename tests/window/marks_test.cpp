// What is new since the last close and what came back: marks against the memory of the last run,
// seen once, applied live; and a memory file that can't be trusted, set aside.
#include "support/support.h"

namespace {

const Text kUserRun = kSources[2].key, kUserRunSwitches = kSources[2].switches;

class MarksTest : public StartupKeysTest<MainWindowTest> {
protected:
    // Closes the window, which remembers, lets between() change what it lists, and opens it
    // again: the next run.
    template <typename Between = void (*)()>
    void Restart(Between between = [] {})
    {
        DestroyWindow(m_window);
        PumpMessages();
        MSG quit;
        PeekMessageA(&quit, 0, WM_QUIT, WM_QUIT, PM_REMOVE);
        between();
        m_window = StartMainWindow();
    }
    void SetRun(const Text& name) const
    {
        const Text line = L"\"" + ScratchFile(L"p.exe") + L"\" " + name;
        RegSetKeyValueW(kUser, kUserRun.c_str(), name.c_str(), REG_SZ, line.c_str(), (line.size() + 1) * 2);
    }
    // Each tab's rows as "name:state", then its status bar count: "a:|b:新規|2 個の項目、新規 1、復活 0".
    Text Marks() const
    {
        Text all;
        for (int tab : {0, 1}) {
            ClickTab(tab);
            for (int row = 0; row < RowCount(); ++row)
                all += RowText(row, kNameColumn) + L":" + RowText(row, kStateColumn) + L"|";
            wchar_t outcome[MAX_PATH] = L"";
            SendMessageW(MainChild(CTRL_STATUS), SB_GETTEXTW, 1, reinterpret_cast<LPARAM>(outcome));
            all += outcome + Text(tab ? L"" : L"\n");
        }
        return all;
    }
};

}  // namespace

// A first run marks nothing. What the user deleted or switched off here and is back by the next run
// came back; what the last close did not list is new; the run after shows neither; a change while
// the window is open is marked as it arrives.
TEST_F(MarksTest, NewAndBackAreMarkedAgainstTheLastCloseAndSeenOnce)
{
    for (const wchar_t* name : {L"old.txt", L"gone.txt"})
        WriteBytes(m_sendTo + L"\\" + name, "x");
    for (const wchar_t* name : {L"qd old", L"qd off"})
        SetRun(name);
    Command(CMD_REFRESH);
    EXPECT_EQ(L"gone.txt:|old.txt:|2 個の項目\nqd off:|qd old:|2 個の項目", Marks());
    {
        NoticeRecorder noticed;
        SelectRows({RowNamed(L"qd off")});
        Command(CMD_SWITCH_OFF);
        ClickTab(0);
        SelectRows({RowNamed(L"gone.txt")});
        Command(CMD_DELETE);
    }
    // Behind the program's back, between runs.
    Restart([&] {
        WriteBytes(m_sendTo + L"\\gone.txt", "x");
        WriteBytes(m_sendTo + L"\\new.txt", "x");
        SetRun(L"qd new");
        RegSetKeyValueW(kUser, kUserRunSwitches.c_str(), L"qd off", REG_BINARY, Bytes(2).data(), 12);
    });
    EXPECT_EQ(L"gone.txt:復活|new.txt:新規|old.txt:|3 個の項目、新規 1、復活 1\n"
              L"qd new:新規|qd off:復活|qd old:|3 個の項目、新規 1、復活 1",
              Marks());
    Restart();
    EXPECT_EQ(L"gone.txt:|new.txt:|old.txt:|3 個の項目\nqd new:|qd off:|qd old:|3 個の項目", Marks());
    SetRun(L"qd live");
    ASSERT_TRUE(Live([] { return RowNamed(L"qd live") >= 0; }));
    EXPECT_EQ(L"新規", RowText(RowNamed(L"qd live"), kStateColumn));
}

// A memory the program did not write whole is set aside and trusted in nothing: the run lists as a
// first run would, says so once, and leaves a sound file at close.
TEST_F(MarksTest, AnUntrustedMemoryIsSetAsideAndStartsClean)
{
    const std::string header = "Quiverdesk memory 1\r\n", sendTo = "SendTo\tlisted\t\t\t\t\r\n";
    const std::string cut = header + sendTo + "SendTo\tseen\t\tx.txt\t";
    WriteBytes(m_sendTo + L"\\x.txt", "x");
    Restart([&] { WriteBytes(OwnFile(L"Memory.txt"), cut); });
    wchar_t path[MAX_PATH + 1] = L"";
    SendMessageW(MainChild(CTRL_STATUS), SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(path));
    EXPECT_NE(Text::npos, Text(path).find(OwnFile(L"Memory.unreadable.txt"))) << Ansi(path);
    EXPECT_EQ(cut, ReadBytes(OwnFile(L"Memory.unreadable.txt")));
    EXPECT_EQ(L"", RowText(RowNamed(L"x.txt"), kStateColumn));
    // The close wrote what this run listed, which the next run trusts.
    Restart([&] { WriteBytes(m_sendTo + L"\\y.txt", "y"); });
    EXPECT_EQ(0u, ReadBytes(OwnFile(L"Memory.txt")).find(header + sendTo + "SendTo\tseen\t\tx.txt\t\t\r\n"));
    EXPECT_EQ(L"|新規", RowText(RowNamed(L"x.txt"), kStateColumn) + L"|" + RowText(RowNamed(L"y.txt"), kStateColumn));
}

// A memory another program holds open is neither set aside nor written over at close, whatever
// this run saw; the session's end, which destroys no window, writes what the run listed.
TEST_F(MarksTest, AHeldMemoryIsLeftAsItIsAndTheSessionsEndSaves)
{
    const std::string sound = "Quiverdesk memory 1\r\nSendTo\tlisted\t\t\t\t\r\n";
    WriteBytes(m_sendTo + L"\\x.txt", "x");
    HANDLE held = INVALID_HANDLE_VALUE;
    Restart([&] {
        WriteBytes(OwnFile(L"Memory.txt"), sound);
        held = CreateFileW(OwnFile(L"Memory.txt").c_str(), GENERIC_READ, 0, 0, OPEN_EXISTING, 0, 0);
    });
    CloseHandle(held);
    Restart();
    EXPECT_EQ(sound, ReadBytes(OwnFile(L"Memory.txt")));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(OwnFile(L"Memory.unreadable.txt").c_str()));
    DeleteFileW(OwnFile(L"Memory.txt").c_str());
    SendMessageA(m_window, WM_ENDSESSION, TRUE, 0);
    EXPECT_NE(std::string::npos, ReadBytes(OwnFile(L"Memory.txt")).find("SendTo\tseen\t\tx.txt\t"));
}
