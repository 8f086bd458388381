#pragma once
#include <map>
#include <optional>
#include <string>
#include <utility>

#include "settings/SettingsStore.h"

// Settings held in memory for the settings record's tests. It counts the
// writes and plays a missing key, and values of another type than text.
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

    // Stores a value as if written from outside (nullopt: a value of another
    // type than text); the key then exists.
    void Put(const std::string& name, std::optional<std::string> text)
    {
        m_keyExists = true;
        m_values[name] = std::move(text);
    }
    std::optional<std::string> Value(const std::string& name) const
    {
        const auto it = m_values.find(name);
        return it == m_values.end() ? std::nullopt : it->second;
    }
    int Writes() const { return m_writes; }

private:
    std::map<std::string, std::optional<std::string>> m_values;
    int m_writes = 0;
    bool m_keyExists = false;
};
