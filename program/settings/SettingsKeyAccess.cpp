#include "settings/SettingsKeyAccess.h"

#include <windows.h>

#include <aclapi.h>

#include "settings/RegistrySettingsStore.h"

namespace {

// The entry for the Users group (S-1-5-32-545), inherited by subkeys.
bool AddUsersEntry(PACL current, PACL* updated)
{
    BYTE sid[SECURITY_MAX_SID_SIZE];
    DWORD sidSize = sizeof sid;
    if (!CreateWellKnownSid(WinBuiltinUsersSid, nullptr, sid, &sidSize))
        return false;
    EXPLICIT_ACCESS_A entry{};
    entry.grfAccessPermissions = KEY_READ | KEY_WRITE;
    entry.grfAccessMode = GRANT_ACCESS;
    entry.grfInheritance = SUB_CONTAINERS_AND_OBJECTS_INHERIT;
    entry.Trustee.TrusteeForm = TRUSTEE_IS_SID;
    entry.Trustee.TrusteeType = TRUSTEE_IS_WELL_KNOWN_GROUP;
    entry.Trustee.ptstrName = reinterpret_cast<LPSTR>(sid);
    return SetEntriesInAclA(1, &entry, current, updated) == ERROR_SUCCESS;
}

} // namespace

bool GrantUsersSettingsKey()
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kSettingsKeyPath, 0, nullptr, REG_OPTION_NON_VOLATILE,
                        READ_CONTROL | WRITE_DAC, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    PACL current = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    PACL updated = nullptr;
    const bool granted = GetSecurityInfo(key, SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr, nullptr, &current,
                                         nullptr, &descriptor) == ERROR_SUCCESS &&
                         AddUsersEntry(current, &updated) &&
                         SetSecurityInfo(key, SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr, nullptr, updated,
                                         nullptr) == ERROR_SUCCESS;
    LocalFree(updated);
    LocalFree(descriptor);
    RegCloseKey(key);
    return granted;
}
