#include "comm/UpdateFile.h"

#include "comm/ServerMessage.h"
#include "data/SafeFile.h"

std::vector<uint8_t> DecodeUpdateChunk(const char* chars, size_t count)
{
    std::vector<uint8_t> bytes;
    bytes.reserve(count / 4 * 3);
    for (size_t i = 0; i + 4 <= count; i += 4) {
        uint32_t value = 0;
        for (size_t k = 4; k-- > 0;)
            value = (value << 6) | (static_cast<uint8_t>(chars[i + k]) & 63u);
        bytes.push_back(static_cast<uint8_t>(value >> 16));
        bytes.push_back(static_cast<uint8_t>(value >> 8));
        bytes.push_back(static_cast<uint8_t>(value));
    }
    return bytes;
}

std::string EncodeUpdateChunk(const uint8_t* bytes, size_t count)
{
    std::string chars;
    chars.reserve((count + 2) / 3 * 4);
    for (size_t i = 0; i < count; i += 3) {
        uint32_t value = 0;
        for (size_t k = 0; k < 3; ++k)
            value = (value << 8) | (i + k < count ? bytes[i + k] : 0u);
        for (int k = 0; k < 4; ++k) {
            const uint32_t six = (value >> (6 * k)) & 63u;
            chars += static_cast<char>(six == 62 ? '>' : 0x40 | six);
        }
    }
    return chars;
}

bool WriteUpdateFile(const std::string& message, const std::string& path)
{
    const std::vector<std::string> fields = SplitFields(message);
    CSafeFile file;
    if (!file.Open(path))
        return false;
    for (size_t i = 1; i < fields.size(); ++i) {
        const std::vector<uint8_t> bytes = DecodeUpdateChunk(fields[i].data(), fields[i].size());
        if (!file.Write(bytes.data(), bytes.size()))
            return false;
    }
    return file.Commit();
}
