// The rules the commands follow, as tables without the main window: a new name as Windows judges
// file names, a dropped item's shortcut name, the states of targets, duplicates and switches, and
// the states' words, and the memory between runs in its text.
#include <memory>

#include "commands/drop_shortcuts.h"
#include "controls/state_text.h"
#include "model/drop_name.h"
#include "model/entry_memory.h"
#include "model/list_text.h"
#include "model/link_name.h"
#include "model/shortcut_state.h"
#include "model/startup_switch.h"
#include "support/support.h"

// What Windows refuses in a file name: a device name whatever follows it, a path past MAX_PATH,
// another file's name. A change of case alone is a name like any other, and the file's own
// ".LNK" keeps its case; Enter on an unchanged name renames nothing.
TEST_F(ShellFolderTest, ANewNameIsJudgedAsWindowsJudgesFileNames)
{
    const Text one = ScratchFile(L"one.LNK"), fits(MAX_PATH - kScratchFolder.size() - 6, L'n');
    ScratchFile(L"taken.lnk");
    const std::pair<Text, LinkNameVerdict> rows[] = {
        {L"a/b", kNameBadCharacter},   {L"a\"b", kNameBadCharacter},      {L"a\tb", kNameBadCharacter},
        {L"  ", kNameEmpty},           {fits + L'n', kNameTooLong},       {fits, kNameAccepted},
        {L"TAKEN", kNameTaken},        {L"con", kNameReserved},           {L"Com1.txt", kNameReserved},
        {L"LPT9 ", kNameReserved},     {L"nul.tar.gz", kNameReserved},    {L"console", kNameAccepted},
        {L"COM10", kNameAccepted},     {L"one", kNameUnchanged},          {L"ONE", kNameAccepted},
        {L"COM\u00b9", kNameReserved}, {L"com\u00b2.txt", kNameReserved}, {L"LPT\u00b3.x", kNameReserved},
        {L"COM\u2074", kNameAccepted}, {L"CON\u00b9", kNameAccepted},
    };
    for (const auto& [typed, verdict] : rows) {
        wchar_t newPath[MAX_PATH] = L"stale";
        EXPECT_EQ(verdict, JudgeNewLinkName(one.c_str(), typed.c_str(), newPath)) << Ansi(typed);
        if (verdict == kNameAccepted || verdict == kNameUnchanged)
            EXPECT_EQ(kScratchFolder + L"\\" + typed + L".LNK", newPath) << Ansi(typed);
    }
    wchar_t kept[MAX_PATH];  // a name ending in a dot, entered as it is: not its trimmed sibling's
    EXPECT_EQ(kNameUnchanged, JudgeNewLinkName((kScratchFolder + L"\\ini.").c_str(), L"ini.", kept));
}

// A dropped item's shortcut takes its name without its last extension. A name held by a shortcut
// to anything else is never replaced: the next free one is taken, as Explorer names copies. One
// to the same target is left as it is, and a shortcut dropped on its own folder is refused.
TEST_F(ShellFolderTest, ADropNamesItsShortcutAsExplorerNamesCopies)
{
    const Text folder = ScratchFolder(L"links"), data = ScratchFolder(L"Data");
    const Text fits = kScratchFolder + L"\\" + Text(MAX_PATH - folder.size() - 6, L'n');
    MakeLink(folder, L"report.final.lnk", ScratchFile(L"other.doc"));
    MakeLink(folder, L"report.final (2).lnk", ScratchFile(L"other2.doc"));
    MakeLink(folder, L"Data.lnk", data);
    MakeLink(folder, L"tool.lnk", ScratchFile(L"tool.exe"), L"/x");
    const struct {
        Text dropped;
        DropVerdict verdict;
        Text link;
    } rows[] = {
        {ScratchFile(L"report.final.doc"), kDropCreate, L"report.final (3).lnk"},
        {ScratchFile(L".profile"), kDropCreate, L".profile.lnk"},
        {data, kDropPresent, L"Data.lnk"},
        {kScratchFolder + L"\\tool.exe", kDropCreate, L"tool (2).lnk"},  // the same target, other arguments
        {MakeLink(folder, L"own.lnk", ScratchFile(L"own.txt")), kDropRefused, L""},
        {fits + L".txt", kDropCreate, fits.substr(kScratchFolder.size() + 1) + L".lnk"},
        {fits + L"n.txt", kDropRefused, L""},
    };
    for (const auto& row : rows) {
        HeapString link;
        EXPECT_EQ(row.verdict, MakeDropLinkPath(HeapString(folder.c_str()), row.dropped.c_str(), LookUpDropName, link))
            << Ansi(row.dropped);
        if (!row.link.empty())
            EXPECT_EQ(folder + L"\\" + row.link, link.GetBuffer()) << Ansi(row.dropped);
    }
}

// Only a target on a present local fixed drive is probed, once a shortcut: shares, optical media (R: in
// the test prefix) and absent drives never are, lest a slow one keep the list waiting. Duplicates
// share a target, case ignored, and exactly their arguments. A file that is no shortcut, or one
// cut short or of another class, is unreadable; one to no file-system target has no state.
TEST_F(ShellFolderTest, EachShortcutsStatesFollowFromItsTarget)
{
    const Text folder = ScratchFolder(L"links"), twin = ScratchFile(L"twin.txt");
    // A target, or else a sample of a link to no file or of no link at all.
    const struct {
        Text target;
        unsigned states = 0;
        const wchar_t* arguments = L"";
    } rows[] = {{ScratchFile(L"present.txt")},
                {L"C:\\qdtest\\gone.txt", kStateTargetMissing},
                {ScratchFile(L"한.exe")},
                {ScratchFile(L"Café.exe")},
                {L"\\\\server\\share\\tool.exe", kStateUnverifiable},
                {L"R:\\setup.exe", kStateUnverifiable},
                {L"Q:\\tool.exe", kStateUnverifiable},
                {twin, kStateDuplicate},
                {L"C:\\QDTEST\\TWIN.TXT", kStateDuplicate},
                {twin, 0, L"/other"},
                {twin, 0, L"/OTHER"},
                {L"17-win10-url-target.lnk"},
                {L"08-msi-advertised-darwin.lnk"},
                {L"20-not-a-link-recycle-bin-record.lnk", kStateUnreadable}};
    ShortcutList list;
    for (size_t i = 0; i < std::size(rows); ++i) {
        const Text name = std::to_wstring(i) + L".lnk";
        if (rows[i].target.find(L'\\') == Text::npos)
            AddSample(folder, rows[i].target, name);
        else
            MakeLink(folder, name, rows[i].target, rows[i].arguments);
        list.AddShortcut((folder + L"\\" + name).c_str());
    }
    const std::string sample = ReadBytes(TestDataPath(L"lnk\\06-ansi-stringdata-desc-args.lnk"));
    for (const std::string& bytes :
         {std::string(), sample.substr(0, 76), sample.substr(0, 120), sample.substr(0, 4) + std::string(72, '\xff')}) {
        WriteBytes(folder + L"\\damaged.lnk", bytes);
        list.AddShortcut((folder + L"\\damaged.lnk").c_str());
    }
    static decltype(&GetFileAttributesW) attributes;
    static Names probes;
    ImportPatch probe(
        __imp_GetFileAttributesW, +[](LPCWSTR path) { return probes.push_back(path), attributes(path); }, &attributes);
    CheckShortcutStates(list);
    for (int i = 0; i < list.GetCount(); ++i)
        EXPECT_EQ(i < int(std::size(rows)) ? rows[i].states : kStateUnreadable, list.GetAt(i)->GetStates()) << i;
    for (const Text& path : probes)
        EXPECT_EQ(L'C', path[0]) << "probed " << Ansi(path);
    EXPECT_EQ(8u, probes.size()) << "one question per shortcut to a local target";
}

// Off is byte 0's lowest bit of a 12-byte binary value, as Task Manager writes it; anything else
// reads as on and is written anew. A switch keeps byte 0's other bits, and off records the time.
TEST_F(ShellFolderTest, SwitchesAreReadAndWrittenAsTaskManagerDoes)
{
    const struct {
        std::string before;
        DWORD type;
        bool off;
        char on;  // byte 0 once switched off and on again
    } rows[] = {
        {"", REG_NONE, false, 2},
        {Bytes(3), REG_BINARY, true, 2},
        {Bytes(7), REG_BINARY, true, 6},
        {Bytes(2), REG_BINARY, false, 2},
        {Bytes(6), REG_BINARY, false, 6},
        {Bytes(7, 8), REG_BINARY, false, 2},
        {Bytes(7, 13), REG_BINARY, false, 2},
        {Bytes(7, 4), REG_DWORD, false, 2},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::to_string(row.before.size()) + " bytes of type " + std::to_string(row.type));
        SetSwitch(L"a.lnk", row.before, row.type);
        EXPECT_EQ(row.off, StartupSwitches().IsOff(L"a.lnk"));
        ASSERT_TRUE(SetStartupSwitch(L"a.lnk", false));
        const std::string off = Switch(L"a.lnk");
        EXPECT_TRUE(off.size() == 12 && off[0] == (row.on | 1) && off.substr(4) != std::string(8, '\0'));
        ASSERT_TRUE(SetStartupSwitch(L"a.lnk", true));
        EXPECT_EQ(Bytes(row.on), Switch(L"a.lnk"));
    }
    // The key is read once, whole: a name finds its switch among hundreds, in any case, as the
    // registry finds a value.
    for (int i = 0; i < 300; ++i)
        SetSwitch(L"other " + std::to_wstring(i) + L".lnk", Bytes(i % 2 ? 3 : 2));
    SetSwitch(L"Mixed Case.LNK", Bytes(3));
    const StartupSwitches switches;
    for (const auto& [name, off] : {std::pair<Text, bool>{L"mixed case.lnk", true},
                                    {L"OTHER 7.lnk", true},
                                    {L"other 8.lnk", false},
                                    {L"other 300.lnk", false},
                                    {L"a.lnk", false}})
        EXPECT_EQ(off, switches.IsOff(name.c_str())) << Ansi(name);
}

// Each state's words, in the bits' order, joined by "、"; a buffer too small for the next word ends
// before it, since half a double-byte character would show as garbage.
TEST(StateWords, EachStateSaysItsWordsInOrderAndWholeWordsOnly)
{
    const struct {
        unsigned states;
        int capacity;
        const wchar_t* words;
    } rows[] = {
        {kStateSwitchedOff, 64, L"無効"},
        {kStateTargetMissing, 64, L"リンク先なし"},
        {kStateUnverifiable, 64, L"確認できません"},
        {kStateDuplicate, 64, L"重複"},
        {kStateUnreadable, 64, L"読み込めません"},
        {kStateHidden, 64, L"非表示"},
        {kStateNew | kStateDuplicate, 64, L"重複、新規"},
        {kStateBack | kStateSwitchedOff, 64, L"無効、復活"},
        {kStateHidden | kStateDuplicate | kStateSwitchedOff, 64, L"無効、重複、非表示"},
        {kStateSwitchedOff | kStateTargetMissing, 19, L"無効、リンク先なし"},
        {kStateSwitchedOff | kStateTargetMissing, 18, L"無効"},
        {kStateSwitchedOff, 4, L""},
    };
    for (const auto& row : rows) {
        char words[64] = "stale";
        FormatStates(row.states, words, row.capacity);
        EXPECT_EQ(Ansi(row.words), words) << row.states << " in " << row.capacity;
    }
}

// The memory's text gives back every name exactly, whatever it holds, and compares names as Windows
// does. Only the newest removals of a source stay; a source never listed marks nothing new, and a
// name made here again is not back.
TEST(EntryMemoryText, NamesComeBackExactlyAndOnlyTheNewestRemovalsStay)
{
    const Text names[] = {
        L"tab\there", L"back\\slash\\", L"line\r\nbreak", L"\U00020BB7 \U0001F600", L"lone \xD800", L"lone \xDC00 end",
        L""};
    EntryMemory memory;
    memory.StartListing(3);
    for (const Text& name : names)
        memory.Listed(3, name.c_str(), L"C:\\t.exe", L"/a\tb");
    for (int i = 0; i < kRemovalsKept + 3; ++i)
        memory.Removed(0, kMemoryDeleted, (L"r" + std::to_wstring(i)).c_str(), 0, 0);
    memory.Removed(1, kMemorySwitchedOff, L"off", 0, 0);
    memory.Removed(1, kMemoryDeleted, L"made again", 0, 0);
    memory.Accepted(1, L"made again");
    ListText text(kEscaped);
    memory.Write(text);
    int size = 0;
    std::unique_ptr<char[]> bytes(ToUtf8(text.GetText(), text.GetLength(), &size));
    EntryMemory again;
    ASSERT_TRUE(again.Read(bytes.get(), size)) << bytes.get();
    for (const Text& name : names)
        EXPECT_EQ(0u, again.GetMarks(3, name.c_str(), false)) << Ansi(name);
    const struct {
        int slot;
        const wchar_t* name;
        bool off;
        unsigned marks;
    } rows[] = {
        {3, L"TAB\tHERE", false, 0}, {3, L"lone \xDBFF", false, kStateNew}, {4, L"x", false, 0},
        {0, L"r2", false, 0},        {0, L"r3", false, kStateBack},         {0, L"R202", true, kStateBack},
        {1, L"off", true, 0},        {1, L"off", false, kStateBack},        {1, L"made again", false, 0},
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.marks, again.GetMarks(row.slot, row.name, row.off)) << Ansi(row.name);
}

// A memory that is not whole, or not the program's, is trusted in nothing: one bad line, and no
// source is known. Only the sound one marks a name its source did not list as new.
TEST(EntryMemoryText, AnythingButASoundMemoryIsTrustedInNothing)
{
    const std::string header = "Quiverdesk memory 1\r\n", sendTo = "SendTo\tlisted\t\t\t\t\r\n";
    const std::string files[] = {
        header + sendTo,  // sound
        "",
        "MZ\x90\x03",
        "Quiverdesk memory 2\r\n" + sendTo,
        header + "SendTo\tlisted\t\t\t\t",  // cut short
        header + "SendTo\tlisted\t\t\t\n",
        header + "SendTo\tlisted\t\t\t\r\n",
        header + "SendTo\tlisted\t\t\t\t\t\r\n",
        header + sendTo + "SendTo\tseen\t\ta\\q\t\t\r\n",
        header + sendTo + "SendTo\tseen\t\ta\\u00G0\t\t\r\n",
        header + sendTo + "SendTo\tgone\t\ta\t\t\r\n",
        header + "Elsewhere\tlisted\t\t\t\t\r\n",
        header + sendTo + "SendTo\tseen\t\t\xff\t\t\r\n",
    };
    for (const std::string& bytes : files) {
        EntryMemory memory;
        bool sound = &bytes == files;
        EXPECT_EQ(sound, memory.Read(bytes.data(), static_cast<int>(bytes.size()))) << bytes;
        EXPECT_EQ(sound ? kStateNew : 0u, memory.GetMarks(0, L"x", false)) << bytes;
    }
}
