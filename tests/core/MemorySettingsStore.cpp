#include "MemorySettingsStore.h"

bool CMemorySettingsStore::Open(bool forWriting, bool* userHiveOnly)
{
    m_log.push_back(forWriting ? "open write" : "open read");
    if (userHiveOnly)
        *userHiveOnly = false;
    if (!m_openable)
        return false;
    if (forWriting && m_writable) {
        // Created, or opened for writing, in the machine's hive.
        m_keyExists = true;
        m_userHiveOnly = false;
        return true;
    }
    if (m_keyExists && m_userHiveOnly && userHiveOnly)
        *userHiveOnly = true;
    return m_keyExists;
}

std::optional<std::string> CMemorySettingsStore::ReadString(const char* name)
{
    m_log.push_back(std::string("read ") + name);
    const auto it = m_values.find(name);
    if (it == m_values.end() || !it->second.isText || it->second.text.size() > kMaxSettingText)
        return std::nullopt;
    return it->second.text;
}

void CMemorySettingsStore::WriteString(const char* name, const std::string& text)
{
    m_log.push_back(std::string("write ") + name + "=" + text);
    if (m_writable)
        m_values[name] = Stored{text, true};
}

void CMemorySettingsStore::Close()
{
    m_log.push_back("close");
}

void CMemorySettingsStore::Put(const std::string& name, const std::string& text)
{
    m_keyExists = true;
    m_values[name] = Stored{text, true};
}

void CMemorySettingsStore::PutOtherType(const std::string& name)
{
    m_keyExists = true;
    m_values[name] = Stored{"", false};
}

std::optional<std::string> CMemorySettingsStore::Value(const std::string& name) const
{
    const auto it = m_values.find(name);
    if (it == m_values.end() || !it->second.isText)
        return std::nullopt;
    return it->second.text;
}
