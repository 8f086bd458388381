#pragma once
#include <map>
#include <optional>
#include <string>

#include "settings/SettingsStore.h"

// Settings held in memory for the settings record's tests. It counts the
// writes and plays a missing key.
class CMemorySettingsStore : public ISettingsStore {
public:
    bool Open(bool forWriting, bool* userHiveOnly) override
    {
        if (userHiveOnly)
            *userHiveOnly = false;
        if (forWriting)
            m_keyExists = true;
        return m_keyExists;
    }
    // Any length: the record's own bound is what its tests pin.
    std::optional<std::string> ReadString(const char* name) override { return Value(name); }
    void WriteString(const char* name, const std::string& text) override
    {
        ++m_writes;
        Put(name, text);
    }
    void Close() override {}

    // Stores a value as if written from outside; the key then exists.
    void Put(const std::string& name, const std::string& text)
    {
        m_keyExists = true;
        m_values[name] = text;
    }
    std::optional<std::string> Value(const std::string& name) const
    {
        const auto it = m_values.find(name);
        return it == m_values.end() ? std::nullopt : std::optional<std::string>(it->second);
    }
    int Writes() const { return m_writes; }

private:
    std::map<std::string, std::string> m_values;
    int m_writes = 0;
    bool m_keyExists = false;
};
