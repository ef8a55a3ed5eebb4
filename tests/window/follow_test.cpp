// The list follows every change made behind the program's back: a folder or a key that goes and
// comes back, a moved shell folder, a change made while the program asks, the same key changed
// again and again; and a listing of many rows answers while it fills.
#include <thread>

#include "support/support.h"

namespace {

using FollowTest = StartupKeysTest<MainWindowTest>;
const Text kRun = L"Software" + kVersion + L"Run", kRunSwitches = kUserApproved + L"Run";
const Text kShellFolders = L"Software" + kVersion + L"Explorer\\User Shell Folders";

void SetValue(const Text& key, const Text& name, const std::string& bytes, DWORD type)
{
    RegSetKeyValueW(kUser, key.c_str(), name.c_str(), type, bytes.data(), static_cast<DWORD>(bytes.size()));
}

void SetCommand(const Text& name, const Text& line, const Text& key = kRun)
{
    SetValue(key, name, std::string(reinterpret_cast<const char*>(line.c_str()), (line.size() + 1) * 2), REG_SZ);
}

}  // namespace

// Gone and back, renamed away and made again, replaced: the rows are those of the folder at the
// path, never of the one that moved away.
TEST_F(MainWindowTest, AFolderThatGoesAndComesBackIsFollowed)
{
    const Text away = m_sendTo + L" away";
    const auto makeWith = [&](const wchar_t* name) {
        CreateDirectoryW(m_sendTo.c_str(), 0);
        WriteBytes(m_sendTo + L"\\" + name, "x");
    };
    WriteBytes(m_sendTo + L"\\first.txt", "x");
    Command(CMD_REFRESH);
    const struct {
        const char* what;
        std::function<void()> change;
        const wchar_t* rows;
    } steps[] = {
        {"gone", [&] { std::filesystem::remove_all(m_sendTo); }, L""},
        {"back", [&] { makeWith(L"back.txt"); }, L"back.txt"},
        {"changed in it", [&] { DeleteFileW((m_sendTo + L"\\back.txt").c_str()), makeWith(L"in.txt"); }, L"in.txt"},
        {"renamed away", [&] { MoveFileW(m_sendTo.c_str(), away.c_str()), WriteBytes(away + L"\\ghost.txt", "x"); },
         L""},
        {"made again", [&] { makeWith(L"again.txt"); }, L"again.txt"},
        {"replaced",
         [&] { std::filesystem::remove_all(away), MoveFileW(m_sendTo.c_str(), away.c_str()), makeWith(L"new.txt"); },
         L"new.txt"},
    };
    for (const auto& step : steps) {
        step.change();
        EXPECT_TRUE(Live([&] { return RowNames() == step.rows; })) << step.what;
    }
    std::filesystem::remove_all(away);
}

// Where the shell reads the folder from: Send To moved elsewhere lists the folder it moved to.
TEST_F(MainWindowTest, AMovedSendToFolderIsFollowed)
{
    const std::string before = Raw(kUser, kShellFolders, L"SendTo");
    ASSERT_NE(std::string::npos, before.find(':'));
    const Text moved = ScratchFolder(L"moved");
    WriteBytes(moved + L"\\moved.txt", "x");
    Command(CMD_REFRESH);
    SetValue(kShellFolders, L"SendTo", std::string(reinterpret_cast<const char*>(moved.c_str()), moved.size() * 2 + 2),
             REG_EXPAND_SZ);
    EXPECT_TRUE(Live([] { return RowNames() == L"moved.txt"; }));
    const size_t colon = before.find(':');
    SetValue(kShellFolders, L"SendTo", before.substr(colon + 1), std::stoul(before.substr(0, colon)));
    EXPECT_TRUE(Live([] { return RowNames().empty(); }));
}

// Each change to a key shows, the second and third too; a switch another program turns, a key
// deleted and made again, and a long command changed to another of the same size.
TEST_F(FollowTest, EveryChangeToAKeyShowsEvenOfAKeyThatGoesAndComesBack)
{
    SetCommand(L"qdOnce", L"C:\\qdtest\\once.exe", L"Software" + kVersion + L"RunOnce");  // its watch is its own
    ClickTab(1);
    const Text longLine = L"C:\\qdtest\\" + Text(2000, L'a'), sameSize = L"C:\\qdtest\\b" + Text(1999, L'a');
    const auto shows = [](const wchar_t* name, const Text& state) {
        return [=] { return RowNamed(name) >= 0 && RowText(RowNamed(name), kStateColumn) == state; };
    };
    const struct {
        const char* what;
        std::function<void()> change;
        std::function<bool()> done;
    } steps[] = {
        {"first", [] { SetCommand(L"qd1", L"C:\\qdtest\\1.exe"); }, shows(L"qd1", L"リンク先なし")},
        {"second", [] { SetCommand(L"qd2", L"C:\\qdtest\\2.exe"); }, shows(L"qd2", L"リンク先なし")},
        {"third", [] { SetCommand(L"qd3", L"C:\\qdtest\\3.exe"); }, shows(L"qd3", L"リンク先なし")},
        {"switched off outside", [] { SetValue(kRunSwitches, L"qd3", Bytes(3), REG_BINARY); },
         shows(L"qd3", L"無効、リンク先なし")},
        {"key deleted", [] { RegDeleteKeyW(kUser, kRun.c_str()); }, [] { return RowNamed(L"qd1") < 0; }},
        {"key made again", [] { SetCommand(L"qd4", L"C:\\qdtest\\4.exe"); }, shows(L"qd4", L"リンク先なし")},
        {"switch key again",
         [] { RegDeleteKeyW(kUser, kRunSwitches.c_str()), SetValue(kRunSwitches, L"qd4", Bytes(3), REG_BINARY); },
         shows(L"qd4", L"無効、リンク先なし")},
        {"long", [&] { SetCommand(L"qd5", longLine); }, [] { return RowNamed(L"qd5") >= 0; }},
        {"long, same size", [&] { SetCommand(L"qd5", sameSize); },
         [] { return RowText(RowNamed(L"qd5"), kDescriptionColumn).substr(0, 11) == L"C:\\qdtest\\b"; }},
    };
    for (const auto& step : steps) {
        step.change();
        EXPECT_TRUE(Live(step.done)) << step.what;
    }
}

// A value added while the program asks whether to delete another is listed once it has deleted
// that one, and the count follows.
TEST_F(FollowTest, AChangeMadeWhileTheProgramAsksIsListedAndTheCountFollowsDeletes)
{
    ClickTab(1);
    SetCommand(L"qdGoes", L"C:\\qdtest\\goes.exe");
    ASSERT_TRUE(Live([] { return RowNamed(L"qdGoes") >= 0; }));
    const int rows = RowCount();
    SelectRows({RowNamed(L"qdGoes")});
    {
        ImportPatch<decltype(&MessageBoxW)> asks(
            __imp_MessageBoxW, +[](HWND, LPCWSTR, LPCWSTR, UINT) {
                SetCommand(L"qdCame", L"C:\\qdtest\\came.exe");
                return IDYES;
            });
        Command(CMD_DELETE);
    }
    wchar_t count[64] = L"";
    SendMessageW(MainChild(CTRL_STATUS), SB_GETTEXTW, 1, reinterpret_cast<LPARAM>(count));
    EXPECT_EQ(std::to_wstring(rows - 1) + L" 個の項目", count);
    EXPECT_TRUE(Live([] { return RowNamed(L"qdCame") >= 0 && RowNamed(L"qdGoes") < 0; }));
}

// Rows show their names at once, the first thousand in the listing's own message and the rest in
// slices, and fill between messages: a message sent meanwhile is answered while rows are still
// listed and filled, the count and the chosen order hold for every row, and a command waits for
// the rows it acts on.
TEST_F(MainWindowTest, AListingAnswersWhileItFillsAndACommandWaitsForItsRows)
{
    const int files = 1100;
    const Text target = ScratchFile(L"target.txt"), first = MakeLink(m_sendTo, L"many 0.lnk", target);
    for (int i = 1; i < files; ++i)
        CopyFileW(first.c_str(), (m_sendTo + L"\\many " + std::to_wstring(i) + L".lnk").c_str(), FALSE);
    SortBy(0);
    SendMessageA(m_window, WM_COMMAND, CMD_REFRESH, 0);
    ASSERT_LT(RowCount(), files) << "the last rows are listed in slices";
    ASSERT_TRUE(IsFilling());
    wchar_t count[64] = L"";
    SendMessageW(MainChild(CTRL_STATUS), SB_GETTEXTW, 1, reinterpret_cast<LPARAM>(count));
    EXPECT_EQ(std::to_wstring(files) + L" 個の項目", count) << "every row counted at once";
    bool answeredWhileFilling = false, answered = false;
    std::thread sender(
        [&] { SendMessageW(m_window, WM_NULL, 0, 0), answeredWhileFilling = IsFilling(), answered = true; });
    for (int exitCode; !answered || RowCount() < files;)  // the program's own loop: a slice at each pass
        PumpMessagesAndChanges(m_window, 0, 0, 20, &exitCode);
    sender.join();
    EXPECT_TRUE(answeredWhileFilling);
    const int last = files - 1;
    ASSERT_EQ(L"many " + std::to_wstring(last), RowText(last, kNameColumn)) << "sorted once every row is in";
    ASSERT_EQ(L"", RowText(last, kTargetColumn)) << "the last row is not filled yet";
    NoticeRecorder noticed;
    // No pumping: no slice runs, and the rest of the rows are left unfilled.
    ListView_SetItemState(MainChild(CTRL_LIST), last, LVIS_SELECTED, LVIS_SELECTED);
    SendMessageA(m_window, WM_COMMAND, CMD_EXPLORE_TARGET, 0);
    EXPECT_EQ(Names({L"select: " + kScratchFolder + L"|" + target}), g_noticed.windows);
    EXPECT_EQ(target, RowText(last, kTargetColumn));
}
