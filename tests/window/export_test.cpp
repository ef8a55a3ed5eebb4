// The list leaving the window: the copy's text, the CSV read back as the rows, and the command line
// printing the rows of both tabs as the window shows them, without a window.
#include "support/support.h"

#include <commdlg.h>

extern "C" decltype(&GetSaveFileNameW) __imp_GetSaveFileNameW;

namespace {

// Cells as RFC 4180 reads them: quoted or not, "" within quotes a quote, line breaks kept.
std::vector<Names> ReadCsv(const Text& text)
{
    std::vector<Names> rows(1, Names(1));
    bool quoted = false;
    for (size_t i = 0; i < text.size(); ++i) {
        wchar_t c = text[i];
        if (quoted && c == L'"' && i + 1 < text.size() && text[i + 1] == L'"')
            rows.back().back() += text[++i];
        else if (c == L'"')
            quoted = !quoted;
        else if (!quoted && c == L',')
            rows.back().emplace_back();
        else if (!quoted && c == L'\r' && text[i + 1] == L'\n')
            ++i, rows.emplace_back(1);
        else
            rows.back().back() += c;
    }
    rows.pop_back();  // after the last line's end
    return rows;
}

Text FromUtf8(const std::string& bytes)
{
    Text text(bytes.size(), L'\0');
    text.resize(MultiByteToWideChar(CP_UTF8, 0, bytes.data(), int(bytes.size()), text.data(), int(text.size())));
    return text;
}

// Every row on show, each a line of its cells, as the view gives them.
std::vector<Names> ShownRows(int columns)
{
    std::vector<Names> rows;
    for (int row = 0; row < RowCount(); ++row) {
        rows.emplace_back();
        for (int column = 0; column < columns; ++column)
            rows.back().push_back(RowText(row, column));
    }
    return rows;
}

// Quiverdesk.exe run with arguments, its output gathered from a pipe; its exit code, and whether it
// made a window while it wrote.
struct ProgramRun {
    DWORD code = 9;
    std::string out, err;
    bool windowShown = false;
};

bool HasWindow(DWORD processId)
{
    struct Search {
        DWORD processId;
        bool found;
    } search = {processId, false};
    EnumWindows(
        [](HWND window, LPARAM param) {
            Search& search = *reinterpret_cast<Search*>(param);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            search.found = search.found || owner == search.processId;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

ProgramRun RunProgram(const Text& arguments)
{
    wchar_t self[MAX_PATH] = L"";
    GetModuleFileNameW(0, self, MAX_PATH);
    Text line = L"\"" + Text(self, wcsrchr(self, L'\\') + 1) + L"Quiverdesk.exe\" " + arguments;
    SECURITY_ATTRIBUTES inherit = {sizeof(inherit), 0, TRUE};
    HANDLE outRead, outWrite, errRead, errWrite;
    CreatePipe(&outRead, &outWrite, &inherit, 1 << 20);
    CreatePipe(&errRead, &errWrite, &inherit, 1 << 16);
    STARTUPINFOW startup = {sizeof(startup)};
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = outWrite;
    startup.hStdError = errWrite;
    PROCESS_INFORMATION process = {};
    ProgramRun run;
    EXPECT_TRUE(CreateProcessW(0, line.data(), 0, 0, TRUE, 0, 0, 0, &startup, &process));
    CloseHandle(outWrite);
    CloseHandle(errWrite);
    for (auto [pipe, text] : {std::pair{outRead, &run.out}, {errRead, &run.err}}) {
        char buffer[4096];
        for (DWORD got; ReadFile(pipe, buffer, sizeof(buffer), &got, 0) && got;)
            text->append(buffer, got), run.windowShown = run.windowShown || HasWindow(process.dwProcessId);
        CloseHandle(pipe);
    }
    WaitForSingleObject(process.hProcess, 60000);
    GetExitCodeProcess(process.hProcess, &run.code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return run;
}

}  // namespace

// A name beyond the BMP, a description with a tab, a quote and a line break: the copy keeps them,
// but for the tab and the line break, which would start another cell or row.
TEST_F(MainWindowTest, SelectedRowsCopyAsTextAndSaveAsCsvThatReadsBackAsTheRows)
{
    const Text target = ScratchFile(L"t.txt");
    MakeLink(m_sendTo, L"\U00020BB7 \U0001F600.lnk", target, L"", L"a\tb \"q\"\r\nc");
    MakeLink(m_sendTo, L"plain.lnk", target, L"", L"one, two");
    Command(CMD_REFRESH);
    SelectRows({0, 1});
    Command(CMD_COPY);
    ASSERT_TRUE(OpenClipboard(0));
    const Text copied = static_cast<const wchar_t*>(GlobalLock(GetClipboardData(CF_UNICODETEXT)));
    CloseClipboard();
    Text expected = L"名前\t送り先\t説明\t状態\t発行元\r\n";
    for (int row = 0; row < 2; ++row) {
        Text description = RowText(row, kDescriptionColumn);
        for (wchar_t& c : description)
            c = c == L'\t' || c == L'\r' || c == L'\n' ? L' ' : c;
        expected += RowText(row, 0) + L"\t" + target + L"\t" + description + L"\t" + RowText(row, kStateColumn) + L"\t"
                    + RowText(row, kPublisherColumn) + L"\r\n";
    }
    EXPECT_EQ(expected, copied);
    EXPECT_NE(Text::npos, copied.find(L"\U00020BB7 \U0001F600\t")) << "the name whole";

    static Text saveTo;
    ImportPatch<decltype(&GetSaveFileNameW)> asks(
        __imp_GetSaveFileNameW, +[](OPENFILENAMEW* dialog) {
            EXPECT_NE(nullptr, wcsstr(dialog->lpstrFile, L"送る ")) << "named for the tab and the day";
            return lstrcpyW(dialog->lpstrFile, saveTo.c_str()), TRUE;
        });
    saveTo = kScratchFolder + L"\\list.csv";
    Command(CMD_SAVE_LIST);
    const std::string bytes = ReadBytes(saveTo);
    ASSERT_EQ("\xEF\xBB\xBF", bytes.substr(0, 3)) << "a byte order mark for Excel";
    std::vector<Names> rows = ShownRows(kPlaceColumn);
    rows.insert(rows.begin(), Names{L"名前", L"送り先", L"説明", L"状態", L"発行元"});
    EXPECT_EQ(rows, ReadCsv(FromUtf8(bytes.substr(3))));
    // A file that can't be written says so and leaves nothing behind.
    NoticeRecorder noticed;
    saveTo = kScratchFolder + L"\\missing\\list.csv";
    Command(CMD_SAVE_LIST);
    EXPECT_EQ(1u, g_noticed.messages.size());
    EXPECT_FALSE(std::filesystem::exists(kScratchFolder + L"\\missing"));
}

// /list prints what both tabs show, a line a row after the titles, and changes nothing; with a
// file it writes the same as CSV. /? prints the usage; a switch it does not know exits with 2.
TEST_F(MainWindowTest, TheCommandLineListsBothTabsAsTheWindowShowsThemWithoutAWindow)
{
    MakeLink(m_sendTo, L"\U00020BB7.lnk", ScratchFile(L"t.txt"));
    WriteBytes(m_startup + L"\\qd start.txt", "x");
    Command(CMD_REFRESH);
    std::vector<Names> expected = {{L"タブ", L"名前", L"送り先", L"説明", L"状態", L"発行元", L"場所"}};
    for (int tab = 0; tab < 2; ++tab) {
        ClickTab(tab);
        for (Names row : ShownRows(tab ? kColumnCount : kPlaceColumn)) {
            row.insert(row.begin(), tab ? L"スタートアップ" : L"送る");
            row.resize(kColumnCount + 1);
            expected.push_back(row);
        }
    }
    const auto before = TreeContents(m_sendTo);
    ProgramRun listed = RunProgram(L"/list");
    EXPECT_EQ(0u, listed.code);
    EXPECT_FALSE(listed.windowShown);
    Text tsv = FromUtf8(listed.out);
    for (wchar_t& c : tsv)
        c = c == L'\t' ? L',' : c;
    EXPECT_EQ(expected, ReadCsv(tsv));
    // A file of the user's that bears the name the write goes through first stays as it was.
    WriteBytes(kScratchFolder + L"\\both tabs.csv.partial", "mine");
    ProgramRun saved = RunProgram(L"/list \"" + kScratchFolder + L"\\both tabs.csv\"");
    EXPECT_EQ(0u, saved.code);
    EXPECT_EQ(expected, ReadCsv(FromUtf8(ReadBytes(kScratchFolder + L"\\both tabs.csv").substr(3))));
    EXPECT_EQ("mine", ReadBytes(kScratchFolder + L"\\both tabs.csv.partial"));
    EXPECT_EQ(2u, FilesMatching(kScratchFolder, L"both tabs*").size()) << "nothing else left behind";
    EXPECT_EQ(before, TreeContents(m_sendTo));
    for (const auto& [arguments, code, usageOn] :
         {std::tuple{L"/?", 0u, "out"}, {L"/nonsense", 2u, "err"}, {L"/list a b", 2u, "err"}}) {
        ProgramRun run = RunProgram(arguments);
        EXPECT_EQ(code, run.code) << Ansi(arguments);
        EXPECT_NE(std::string::npos, (usageOn[0] == 'o' ? run.out : run.err).find("/list")) << Ansi(arguments);
    }
}
