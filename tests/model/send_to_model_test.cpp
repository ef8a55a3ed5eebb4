// What the Send To tab adds to the model: the Hidden attribute alone, and the removable-drives
// policy of the user's and the machine's.
#include "model/hidden_attribute.h"
#include "model/send_to_policy.h"
#include "support/support.h"

namespace {

const wchar_t kPolicyKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";

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
            WIN32_FILE_ATTRIBUTE_DATA before = {}, after = {};
            GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &before);
            EXPECT_TRUE(SetHiddenAttribute(path.c_str(), hidden)) << other;
            GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &after);
            after.dwFileAttributes ^= FILE_ATTRIBUTE_HIDDEN;  // all else, the times and size included, stays
            EXPECT_EQ(0, memcmp(&before, &after, sizeof(before))) << other << hidden;
            EXPECT_EQ("mail", ReadBytes(path)) << other << hidden;
        }
    }
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_FALSE(SetHiddenAttribute((kScratchFolder + L"\\gone.lnk").c_str(), true));
}

// Read as Explorer reads it (a DWORD, or four bytes of REG_BINARY), written, deleted; HKLM's wins.
TEST_F(ShellFolderTest, RemovableDrivesPolicyRoundTrips)
{
    const std::tuple<DWORD, DWORD, bool> stored[] = {
        {REG_BINARY, 1, false}, {REG_BINARY, 1u << 24, false}, {REG_BINARY, 0, true}, {REG_DWORD, 2, false}};
    for (const auto& [type, data, shown] : stored) {
        RegSetKeyValueW(HKEY_CURRENT_USER, kPolicyKey, L"NoDrivesInSendToMenu", type, &data, sizeof(data));
        EXPECT_EQ(shown, ReadRemovableDrivesPolicy().shown) << type << " " << data;
    }
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
