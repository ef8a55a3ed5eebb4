// Names the code page lacks, bends into a look-alike or turns into a path separator: each reaches
// its own file and switch, beside the files its 8-bit form would have named.
#include "support/support.h"

namespace {

decltype(&DragFinish) g_dragFinish;
int g_dropsFinished = 0;
const wchar_t kUserShellFolders[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

// The four columns of the row, joined.
Text Row(int row)
{
    return RowText(row, 0) + L"|" + RowText(row, 1) + L"|" + RowText(row, 2) + L"|" + RowText(row, 3);
}

}  // namespace

TEST_F(MainWindowTest, EveryNameReachesItsOwnFileAndSwitchOnly)
{
    // Room for the "2" the rename adds; mostly ASCII, since the host's file names hold 255 bytes.
    const Text longName = Text(MAX_PATH - m_startup.size() - 12, L'n') + L"Café®";
    const Text names[] = {L"Café",   L"sub¥b", L"Adobe®",         L"\U0001F4C1Docs",
                          L"한국어", L"表示",  L"\U00020BB7野家", longName};
    // What the 8-bit calls would make of the names: look-alikes, a path, a wildcard's matches.
    const Text decoys[] = {L"Cafe", L"sub\\b", L"AdobeR", L"MyDocs", L"XYDocs"};
    ClickTab(1);
    NoticeRecorder noticed;
    for (const Text& name : names) {
        SCOPED_TRACE(Ansi(name));
        EmptyFolders();
        CreateDirectoryW((m_startup + L"\\sub").c_str(), 0);
        for (const Text& decoy : decoys) {
            MakeLink(m_startup, decoy + L".lnk", ScratchFile(decoy.substr(decoy.find(L'\\') + 1) + L".decoy"));
            SetSwitch(decoy + L".lnk", Bytes(6));
        }
        const Text file = name + L".lnk", link = m_startup + L"\\" + file, target = ScratchFile(name + L".txt");
        MakeLink(m_startup, file, target, L"", name + L" の説明");
        SetSwitch(file, Bytes(3));
        const auto all = TreeContents(m_startup);
        auto others = all;
        others.erase(link);
        ClickTab(1);
        ASSERT_EQ(6, RowCount()) << "the link, its decoys and the folder sub";
        int row = RowsOf({link})[0];
        EXPECT_EQ(name + L"|" + target + L"|" + name + L" の説明|無効", Row(row));
        for (int other = 0; other < RowCount(); ++other)
            EXPECT_TRUE(other == row || RowText(other, 3).empty()) << Ansi(Row(other));

        Rename(row, name + L"2");
        EXPECT_EQ(3, Switch(name + L"2.lnk")[0]);
        Rename(RowsOf({m_startup + L"\\" + name + L"2.lnk"})[0], name);
        EXPECT_EQ(all, TreeContents(m_startup)) << "renamed there and back";
        SelectRows(RowsOf({link}));
        Command(CMD_SWITCH_OFF);
        EXPECT_TRUE(Switch(file)[0] == 3 && Switch(file).substr(4) != std::string(8, '\0')) << "switched off just now";
        for (const Text& decoy : decoys)
            EXPECT_EQ(Bytes(6), Switch(decoy + L".lnk")) << Ansi(decoy);

        g_noticed = {};
        Command(CMD_DELETE);
        EXPECT_EQ(others, TreeContents(m_startup));
        EXPECT_EQ(Names({L"recycle: " + link, L"recycle: " + TempPath(file + L".reg")}), g_noticed.files);
        ImportPatch finish(
            __imp_DragFinish, +[](HDROP drop) { ++g_dropsFinished, g_dragFinish(drop); }, &g_dragFinish);
        DropFiles(m_window, {target});
        EXPECT_EQ(target, RowText(RowsOf({link})[0], 1)) << "one new shortcut, to the dropped file";
        DropFiles(m_window, {target});
        EXPECT_EQ(2, std::exchange(g_dropsFinished, 0)) << "each drop's handle, released";
        wchar_t said[200] = L"";
        SendMessageW(g_statusBar.GetWindow(), SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(said));
        EXPECT_EQ(Text(L"ショートカットを作成しませんでした。同じショートカットが既にあるか、ショートカットにできない項"
                       L"目です。"),
                  said);
        auto dropped = TreeContents(m_startup);
        EXPECT_EQ(1u, dropped.erase(link));
        EXPECT_EQ(others, dropped);
    }
}

// A profile whose name the code page bends (José would read as Jose) lists and takes drops.
TEST_F(MainWindowTest, AProfileUnderANameTheCodePageLacksListsAndTakesDrops)
{
    wchar_t saved[MAX_PATH] = L"";
    DWORD size = sizeof(saved);
    RegGetValueW(HKEY_CURRENT_USER, kUserShellFolders, L"SendTo", RRF_RT_ANY | RRF_NOEXPAND, 0, saved, &size);
    const Text folder = L"C:\\users\\José\\SendTo";
    SHCreateDirectoryExW(0, folder.c_str(), 0);
    RegSetKeyValueW(HKEY_CURRENT_USER, kUserShellFolders, L"SendTo", REG_EXPAND_SZ, folder.c_str(),
                    (folder.size() + 1) * sizeof(wchar_t));
    Text link = MakeLink(folder, L"a.lnk", ScratchFile(L"a.txt"));
    Command(CMD_REFRESH);
    DropFiles(m_window, {ScratchFile(L"b.txt")});
    RegSetKeyValueW(HKEY_CURRENT_USER, kUserShellFolders, L"SendTo", REG_EXPAND_SZ, saved, size);
    EXPECT_EQ(Names({L"a.lnk", L"b.lnk"}), LinkNames(folder));
    EXPECT_EQ(std::vector<int>({0, 1}), RowsOf({link, folder + L"\\b.lnk"}));
    Command(CMD_REFRESH);  // the list, and its watch, leave the folder
    std::filesystem::remove_all(L"C:\\users\\José");
}
