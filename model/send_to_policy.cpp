// The NoDrivesInSendToMenu policy, read from both hives and written to the user's only.
#include "model/send_to_policy.h"

#include <windows.h>

namespace {

const wchar_t kPolicyKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
const wchar_t kPolicyValue[] = L"NoDrivesInSendToMenu";

// Explorer reads any non-zero DWORD as set, and four bytes of REG_BINARY as a DWORD: policy
// tools write both.
bool IsSet(HKEY root)
{
    DWORD value = 0;
    DWORD size = sizeof(value);
    const DWORD types = RRF_RT_REG_DWORD | RRF_RT_REG_BINARY;
    return RegGetValueW(root, kPolicyKey, kPolicyValue, types, 0, &value, &size) == ERROR_SUCCESS
           && size == sizeof(value) && value != 0;
}

}  // namespace

RemovableDrivesPolicy ReadRemovableDrivesPolicy()
{
    RemovableDrivesPolicy policy;
    policy.setByMachine = IsSet(HKEY_LOCAL_MACHINE);
    policy.shown = !policy.setByMachine && !IsSet(HKEY_CURRENT_USER);
    return policy;
}

bool SetRemovableDrivesShown(bool shown)
{
    if (shown) {
        LSTATUS status = RegDeleteKeyValueW(HKEY_CURRENT_USER, kPolicyKey, kPolicyValue);
        return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
    }
    DWORD set = 1;
    return RegSetKeyValueW(HKEY_CURRENT_USER, kPolicyKey, kPolicyValue, REG_DWORD, &set, sizeof(set)) == ERROR_SUCCESS;
}
