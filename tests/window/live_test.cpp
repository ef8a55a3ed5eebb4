// The Send To tab as the menu names it, hidden files shown and hidden, and the list kept live: what
// other programs do shown without a click, once per burst, keeping the user's hold, never mid-edit.
#include "support/support.h"

// Wine's shell names the menu's own types by file name, as Windows does where none is registered;
// desktop.ini, never listed, names two, one by a module's string; a dud reference leaves the name.
TEST_F(MainWindowTest, SendToListsEveryFileAndHidesOneWithoutDeletingIt)
{
    for (const wchar_t* name : {L"Compressed (zipped) Folder.ZFSendToTarget", L"Desktop (create shortcut).DeskLink",
                                L"Mail Recipient.MAPIMail", L"Documents.mydocs", L"Site.url"})
        WriteBytes(m_sendTo + L"\\" + name, "");
    const char16_t ini[] = u"\uFEFF[LocalizedFileNames]\r\nDocuments.mydocs=ドキュメント\r\n"
                           u"Site.url=@shell32.dll,-8\r\nbroken.txt=@shell32.dll,-99999\r\n";
    wchar_t shellWord[64] = L"";
    LoadStringW(GetModuleHandleW(L"shell32.dll"), 8, shellWord, 64);
    WriteBytes(m_sendTo + L"\\broken.txt", "");
    WriteBytes(m_sendTo + L"\\desktop.ini", std::string(reinterpret_cast<const char*>(ini), sizeof(ini) - 2));
    Text fax = MakeLink(m_sendTo, L"Fax Recipient.lnk", ScratchFile(L"fax.txt"));
    SetFileAttributesW(fax.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
    ClickTab(1);
    ClickTab(0);
    SortBy(0);
    EXPECT_EQ(L"broken.txt|Compressed (zipped) Folder.ZFSendToTarget|Desktop (create shortcut).DeskLink|Fax "
              L"Recipient|Mail Recipient.MAPIMail|"
                  + Text(shellWord) + L"|ドキュメント",
              RowNames());
    EXPECT_EQ(L"非表示", RowText(3, kStateColumn));
    Text mail = m_sendTo + L"\\Mail Recipient.MAPIMail";
    for (bool hide : {true, false}) {
        SelectRows(RowsOf({mail}));
        Command(hide ? CMD_HIDE_FROM_MENU : CMD_SHOW_ON_MENU);
        EXPECT_EQ(hide ? L"非表示" : L"", RowText(RowsOf({mail})[0], kStateColumn));
        EXPECT_EQ(hide ? FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE : FILE_ATTRIBUTE_ARCHIVE,
                  GetFileAttributesW(mail.c_str()));
    }
}

TEST_F(MainWindowTest, FilesMadeRenamedAndDeletedBehindTheProgramShowWithoutAClick)
{
    Command(CMD_REFRESH);
    Text made = m_sendTo + L"\\made.txt", renamed = m_sendTo + L"\\renamed.txt";
    const struct {
        std::function<void()> change;
        const wchar_t* rows;
    } steps[] = {
        {[&] { WriteBytes(made, "x"); }, L"made.txt"},
        {[&] { MoveFileW(made.c_str(), renamed.c_str()); }, L"renamed.txt"},
        {[&] { SetFileAttributesW(renamed.c_str(), FILE_ATTRIBUTE_HIDDEN); }, L"renamed.txt"},
        {[&] { DeleteFileW(renamed.c_str()); }, L""},
    };
    for (const auto& step : steps) {
        step.change();
        EXPECT_TRUE(Live([&] { return RowNames() == step.rows; })) << Ansi(step.rows);
    }
}

// Seventy files from an installer list once or twice, not seventy, keeping the selection; the
// program's own change, already on show, lists nothing.
TEST_F(MainWindowTest, ABurstListsAtMostTwiceAndTheProgramsOwnChangeOnce)
{
    WriteBytes(m_sendTo + L"\\kept.txt", "x");
    Command(CMD_REFRESH);
    SelectRows({0});
    unsigned before = GetListingCount();
    for (int i = 0; i < 70; ++i)  // more than a listing changes in place: the view is filled afresh
        WriteBytes(m_sendTo + L"\\burst " + std::to_wstring(i) + L".txt", "x");
    Live([] { return RowCount() == 71; });
    Live([] { return false; }, 1000);
    EXPECT_EQ(71, RowCount());
    EXPECT_GE(2u, GetListingCount() - before);
    EXPECT_EQ(m_sendTo + L"\\kept.txt", RowLinkPath(ListView_GetNextItem(MainChild(CTRL_LIST), -1, LVNI_SELECTED)));
    before = GetListingCount();
    SelectRows({0});
    Command(CMD_HIDE_FROM_MENU);
    Live([] { return false; }, 1000);
    EXPECT_EQ(0u, GetListingCount() - before);
}

// Two header clicks sort as Explorer orders names, numbers by their value, and then reverse.
TEST_F(MainWindowTest, ALiveListingKeepsTheSelectionAndTheSortAndWaitsForAnEdit)
{
    for (const wchar_t* name : {L"App 1.txt", L"app 2.txt", L"App 10.txt"})
        WriteBytes(m_sendTo + L"\\" + name, "x");
    Command(CMD_REFRESH);
    SortBy(0);
    SortBy(0);
    SelectRows(RowsOf({m_sendTo + L"\\app 2.txt"}));
    WriteBytes(m_sendTo + L"\\b.txt", "x");
    EXPECT_TRUE(Live([] { return RowCount() == 4; }));
    EXPECT_EQ(L"b.txt|App 10.txt|app 2.txt|App 1.txt", RowNames()) << "reversed, numbers by their value";
    EXPECT_EQ(m_sendTo + L"\\app 2.txt", RowLinkPath(2));
    EXPECT_EQ(1u, ListView_GetSelectedCount(MainChild(CTRL_LIST)));
    EXPECT_EQ(2, ListView_GetNextItem(MainChild(CTRL_LIST), -1, LVNI_SELECTED));

    Command(CMD_RENAME);
    unsigned before = GetListingCount();
    WriteBytes(m_sendTo + L"\\e.txt", "x");
    Live([] { return false; }, 1500);
    EXPECT_EQ(before, GetListingCount());
    EXPECT_TRUE(GetNameEditor() != 0);
    SendMessageW(GetNameEditor(), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(Live([] { return RowCount() == 5; }));
    // So does a command that changes the column the rows are sorted by.
    SortBy(kStateColumn);
    SelectRows({0});
    Command(CMD_HIDE_FROM_MENU);
    EXPECT_EQ(L"非表示", RowText(4, kStateColumn)) << "the hidden row sorted last";
    // A row filled after its listing goes where its texts sort it: the only target, first of six.
    SortBy(kTargetColumn), SortBy(kTargetColumn);
    MakeLink(m_sendTo, L"0 late.lnk", ScratchFile(L"late.txt"));  // last of all by name
    EXPECT_TRUE(Live([] { return RowCount() == 6; }));
    EXPECT_EQ(L"0 late", RowText(0, 0));
}
