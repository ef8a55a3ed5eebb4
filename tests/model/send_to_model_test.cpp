// What the Send To tab adds to the model: the Hidden attribute alone, desktop.ini's names, the
// removable-drives policy, and the notifications and digests that keep a listing live.
#include "model/change_watch.h"
#include "model/hidden_attribute.h"
#include "model/localized_names.h"
#include "model/send_to_policy.h"
#include "model/source_fingerprint.h"
#include "support/support.h"

namespace {

const wchar_t kPolicyKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";

struct FileStamp {
    DWORD attributes;
    FILETIME created, written;
    std::string bytes;
};

FileStamp Stamp(const Text& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data);
    return {data.dwFileAttributes, data.ftCreationTime, data.ftLastWriteTime, ReadBytes(path)};
}

bool Signalled(const ChangeWatch& watch, int index)
{
    return WaitForSingleObject(watch.GetHandles()[index], 5000) == WAIT_OBJECT_0;
}

}  // namespace

// Only the Hidden bit moves, in both directions, whatever else the file holds; the bytes and the
// times stay.
TEST_F(ShellFolderTest, HidingChangesTheHiddenBitAlone)
{
    const DWORD others[] = {FILE_ATTRIBUTE_ARCHIVE, FILE_ATTRIBUTE_READONLY,
                            FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE};
    Text path = kScratchFolder + L"\\Mail Recipient.MAPIMail";
    for (DWORD other : others) {
        for (bool hidden : {true, false}) {
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            ASSERT_TRUE(WriteBytes(path, "mail"));
            SetFileAttributesW(path.c_str(), other | (hidden ? 0 : FILE_ATTRIBUTE_HIDDEN));
            FileStamp before = Stamp(path);
            EXPECT_TRUE(SetHiddenAttribute(path.c_str(), hidden)) << other;
            FileStamp after = Stamp(path);
            EXPECT_EQ(before.attributes ^ FILE_ATTRIBUTE_HIDDEN, after.attributes) << other << hidden;
            EXPECT_EQ(0, CompareFileTime(&before.created, &after.created)) << other << hidden;
            EXPECT_EQ(0, CompareFileTime(&before.written, &after.written)) << other << hidden;
            EXPECT_EQ(before.bytes, after.bytes) << other << hidden;
        }
    }
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_FALSE(SetHiddenAttribute((kScratchFolder + L"\\gone.lnk").c_str(), true));
}

// desktop.ini's [LocalizedFileNames] names a file as the menu shows it, its @-references read
// from the module they name; a file it does not name, or a reference that reads nothing, has none.
TEST_F(ShellFolderTest, DesktopIniNamesFilesAsTheMenuShowsThem)
{
    wchar_t shellWord[256] = L"";
    LoadStringW(GetModuleHandleW(L"shell32.dll"), 8, shellWord, 256);
    ASSERT_TRUE(WriteBytes(kScratchFolder + L"\\desktop.ini",
                           "[.ShellClassInfo]\r\n[LocalizedFileNames]\r\nFax Recipient.lnk=Fax\r\n"
                           "Mail Recipient.MAPIMail=@shell32.dll,-8\r\nbroken.lnk=@shell32.dll,-99999\r\n"));
    LocalizedNames names;
    names.Read(kScratchFolder.c_str());
    const struct {
        const wchar_t* file;
        const wchar_t* shown;  // null: no name of its own
    } rows[] = {{L"fax recipient.LNK", L"Fax"},
                {L"Mail Recipient.MAPIMail", shellWord},
                {L"broken.lnk", nullptr},
                {L"Fax", nullptr},
                {L"Fax Recipient", nullptr}};
    for (const auto& row : rows) {
        wchar_t shown[MAX_PATH] = L"";
        EXPECT_EQ(row.shown != nullptr, names.Find(row.file, shown, MAX_PATH)) << Ansi(row.file);
        if (row.shown)
            EXPECT_STREQ(row.shown, shown) << Ansi(row.file);
    }
}

// The user's policy is written as Explorer reads it and deleted to show the drives again; the
// machine's overrides it and cannot be changed from here.
TEST_F(ShellFolderTest, RemovableDrivesPolicyRoundTrips)
{
    DWORD value = 0, size = sizeof(value);
    ASSERT_TRUE(SetRemovableDrivesShown(false));
    EXPECT_EQ(ERROR_SUCCESS,
              RegGetValueW(HKEY_CURRENT_USER, kPolicyKey, L"NoDrivesInSendToMenu", RRF_RT_REG_DWORD, 0, &value, &size));
    EXPECT_EQ(1u, value);
    EXPECT_FALSE(ReadRemovableDrivesPolicy().shown);
    ASSERT_TRUE(SetRemovableDrivesShown(true));
    EXPECT_TRUE(ReadRemovableDrivesPolicy().shown);
    EXPECT_EQ(ERROR_FILE_NOT_FOUND,
              RegGetValueW(HKEY_CURRENT_USER, kPolicyKey, L"NoDrivesInSendToMenu", RRF_RT_ANY, 0, 0, 0));
    RegSetKeyValueW(HKEY_LOCAL_MACHINE, kPolicyKey, L"NoDrivesInSendToMenu", REG_DWORD, &value, sizeof(value));
    RemovableDrivesPolicy machine = ReadRemovableDrivesPolicy();
    RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kPolicyKey, L"NoDrivesInSendToMenu");
    EXPECT_TRUE(machine.setByMachine && !machine.shown);
}

// A folder's watch wakes for a new file and again, re-armed, for a changed attribute; a key's
// watch wakes when a key that did not exist is made and given a value. The digests follow.
TEST_F(ShellFolderTest, WatchesAndDigestsSeeChangesMadeBehindTheProgram)
{
    const Text keyPath = L"Software\\QuiverdeskTest\\Watched";
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\QuiverdeskTest");
    ChangeWatch watch;
    ASSERT_TRUE(watch.WatchFolder(kScratchFolder.c_str()));
    ASSERT_TRUE(watch.WatchKey(HKEY_CURRENT_USER, keyPath.c_str()));
    Fingerprint folderBefore = FingerprintFolder(kScratchFolder.c_str());
    EXPECT_EQ(folderBefore, FingerprintFolder(kScratchFolder.c_str()));
    EXPECT_EQ(0u, FingerprintKey(HKEY_CURRENT_USER, keyPath.c_str()));

    ASSERT_TRUE(WriteBytes(kScratchFolder + L"\\new.lnk", "x"));
    EXPECT_TRUE(Signalled(watch, 0));
    Fingerprint folderAfter = FingerprintFolder(kScratchFolder.c_str());
    EXPECT_NE(folderBefore, folderAfter);
    watch.Rearm(0);
    SetHiddenAttribute((kScratchFolder + L"\\new.lnk").c_str(), true);
    EXPECT_TRUE(Signalled(watch, 0));
    EXPECT_NE(folderAfter, FingerprintFolder(kScratchFolder.c_str()));

    DWORD one = 1;
    RegSetKeyValueW(HKEY_CURRENT_USER, keyPath.c_str(), L"app", REG_DWORD, &one, sizeof(one));
    EXPECT_TRUE(Signalled(watch, 1));
    watch.Rearm(1);
    Fingerprint keyBefore = FingerprintKey(HKEY_CURRENT_USER, keyPath.c_str());
    EXPECT_NE(0u, keyBefore);
    one = 2;
    RegSetKeyValueW(HKEY_CURRENT_USER, keyPath.c_str(), L"app", REG_DWORD, &one, sizeof(one));
    EXPECT_TRUE(Signalled(watch, 1));
    EXPECT_NE(keyBefore, FingerprintKey(HKEY_CURRENT_USER, keyPath.c_str()));
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\QuiverdeskTest");
}
