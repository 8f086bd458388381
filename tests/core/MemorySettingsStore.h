#pragma once
#include <map>
#include <string>
#include <vector>

#include "settings/SettingsStore.h"

// Settings held in memory for tests. It logs every call ("open read",
// "open write", "read CnxType", "write Port=7410", "close") so a test can pin
// the order, and it plays the registry's cases: no key yet, a key found only
// in the user's hive, a key that can't be written and one that can't be opened.
class CMemorySettingsStore : public ISettingsStore {
public:
    bool Open(bool forWriting, bool* userHiveOnly) override;
    std::optional<std::string> ReadString(const char* name) override;
    void WriteString(const char* name, const std::string& text) override;
    void Close() override;

    // Stores a value as if written from outside; the key then exists.
    void Put(const std::string& name, const std::string& text);
    // Stores a value of another type than text.
    void PutOtherType(const std::string& name);
    std::optional<std::string> Value(const std::string& name) const;

    // The key stands only in the user's hive until a write opens it anew.
    void SetUserHiveOnly() { m_keyExists = true; m_userHiveOnly = true; }
    // Opening for writing falls back to reading; writes change nothing.
    void SetReadOnly() { m_writable = false; }
    // Nothing can be opened at all.
    void SetUnopenable() { m_openable = false; }

    const std::vector<std::string>& Log() const { return m_log; }
    void ClearLog() { m_log.clear(); }

private:
    struct Stored {
        std::string text;
        bool isText = true;
    };

    std::map<std::string, Stored> m_values;
    std::vector<std::string> m_log;
    bool m_keyExists = false;
    bool m_userHiveOnly = false;
    bool m_writable = true;
    bool m_openable = true;
};
