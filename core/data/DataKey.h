#pragma once
#include <optional>
#include <string>

// Where the data-file key comes from. The Windows program reads it from the
// registry; tools and tests hand one over directly.
class IDataKeySource {
public:
    virtual ~IDataKeySource() = default;
    // The key, or nothing when none is stored (the stream is then the identity).
    virtual std::optional<std::string> GetDataFileKey() const = 0;
};

class CFixedKey : public IDataKeySource {
public:
    explicit CFixedKey(std::optional<std::string> key) : m_key(std::move(key)) {}
    std::optional<std::string> GetDataFileKey() const override { return m_key; }

private:
    std::optional<std::string> m_key;
};
