#include "settings/RegistrySettingsStore.h"

// The layout the registry API reads the key's security from, on either build.
static_assert(sizeof(SECURITY_ATTRIBUTES) == (sizeof(void*) == 4 ? 12 : 24), "SECURITY_ATTRIBUTES layout");

namespace {
constexpr DWORD kValueBuffer = 256;
} // namespace

bool OpenSettingsKey(HKEY* key, bool forWriting, bool* userHiveOnly)
{
    if (userHiveOnly)
        *userHiveOnly = false;
    // A null DACL: a key created here is open to every user of the machine.
    SECURITY_DESCRIPTOR descriptor;
    if (!InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION))
        return false;
    SetSecurityDescriptorDacl(&descriptor, TRUE, nullptr, FALSE);
    SECURITY_ATTRIBUTES attributes = {sizeof attributes, &descriptor, FALSE};
    // Reading and writing values is all it asks for: that much the set-up
    // grants the pharmacy's standard users on the machine's key.
    if (forWriting) {
        for (HKEY hive : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
            if (RegCreateKeyExA(hive, kSettingsKeyPath, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE,
                                &attributes, key, nullptr) == ERROR_SUCCESS)
                return true;
        }
    }
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSettingsKeyPath, 0, KEY_QUERY_VALUE, key) == ERROR_SUCCESS)
        return true;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKeyPath, 0, KEY_QUERY_VALUE, key) == ERROR_SUCCESS) {
        if (userHiveOnly)
            *userHiveOnly = true;
        return true;
    }
    return false;
}

std::optional<std::string> ReadSettingString(HKEY key, const char* name)
{
    char text[kValueBuffer];
    DWORD type = 0;
    DWORD size = sizeof text;
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text), &size) != ERROR_SUCCESS ||
        type != REG_SZ)
        return std::nullopt;
    // The stored zero may be missing: the text ends at the size returned, and
    // 256 characters without one are too long.
    if (size == sizeof text && text[size - 1] != '\0')
        return std::nullopt;
    text[size < sizeof text ? size : sizeof text - 1] = '\0';
    return std::string(text);
}

void WriteSettingString(HKEY key, const char* name, const std::string& text)
{
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
}

bool CRegistrySettingsStore::Open(bool forWriting, bool* userHiveOnly)
{
    Close();
    return OpenSettingsKey(&m_key, forWriting, userHiveOnly);
}

std::optional<std::string> CRegistrySettingsStore::ReadString(const char* name)
{
    return m_key ? ReadSettingString(m_key, name) : std::nullopt;
}

void CRegistrySettingsStore::WriteString(const char* name, const std::string& text)
{
    if (m_key)
        WriteSettingString(m_key, name, text);
}

void CRegistrySettingsStore::Close()
{
    if (m_key)
        RegCloseKey(m_key);
    m_key = nullptr;
}
