#pragma once
#include <windows.h>

#include <optional>
#include <string>

#include "settings/SettingsStore.h"

constexpr char kSettingsKeyPath[] = "SOFTWARE\\Quarn Pharmaceutical Suppliers\\Quillbox";

// Opens "SOFTWARE\Quarn Pharmaceutical Suppliers\Quillbox": for writing, created
// open to every user under HKEY_LOCAL_MACHINE, else under HKEY_CURRENT_USER;
// otherwise for reading from the machine's hive, else the user's (then
// userHiveOnly, when given, is set). True when a key was opened.
bool OpenSettingsKey(HKEY* key, bool forWriting, bool* userHiveOnly);
// A REG_SZ value of at most 255 characters; none when missing, of another type or longer.
std::optional<std::string> ReadSettingString(HKEY key, const char* name);
// REG_SZ with the terminating zero stored; errors are ignored.
void WriteSettingString(HKEY key, const char* name, const std::string& text);

// The settings record's store in the registry.
class CRegistrySettingsStore : public ISettingsStore {
public:
    ~CRegistrySettingsStore() override { Close(); }

    bool Open(bool forWriting, bool* userHiveOnly) override;
    std::optional<std::string> ReadString(const char* name) override;
    void WriteString(const char* name, const std::string& text) override;
    void Close() override;

private:
    HKEY m_key = nullptr;
};
