#pragma once
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "settings/SettingsStore.h"

// Settings held in memory for the settings record's tests. It logs the calls
// ("open read", "write Port=7410", "close") and plays a missing key, a key that
// can't be opened at all, and values too long or of another type than text.
class CMemorySettingsStore : public ISettingsStore {
public:
    bool Open(bool forWriting, bool* userHiveOnly) override
    {
        m_log.push_back(forWriting ? "open write" : "open read");
        if (userHiveOnly)
            *userHiveOnly = false;
        if (forWriting && m_openable)
            m_keyExists = true;
        return m_openable && m_keyExists;
    }
    std::optional<std::string> ReadString(const char* name) override
    {
        m_log.push_back(std::string("read ") + name);
        const auto text = Value(name);
        return text && text->size() <= kMaxSettingText ? text : std::nullopt;
    }
    void WriteString(const char* name, const std::string& text) override
    {
        m_log.push_back(std::string("write ") + name + "=" + text);
        Put(name, text);
    }
    void Close() override { m_log.push_back("close"); }

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
    void SetUnopenable() { m_openable = false; }
    const std::vector<std::string>& Log() const { return m_log; }

private:
    std::map<std::string, std::optional<std::string>> m_values;
    std::vector<std::string> m_log;
    bool m_keyExists = false;
    bool m_openable = true;
};
