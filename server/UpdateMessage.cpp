#include "UpdateMessage.h"

#include <cstdio>
#include <memory>

namespace {

// 60 groups a chunk: a chunk and its "~" fill one block of the link.
constexpr size_t kChunkBytes = 180;

// A character whose low six bits are v, printable, and never "~".
char SixBits(unsigned v)
{
    return static_cast<char>(v < 32 ? 0x40 + v : v);
}

} // namespace

std::string EncodeUpdateChunk(const unsigned char* bytes, size_t count)
{
    std::string text;
    for (size_t i = 0; i < count; i += 3) {
        const unsigned b0 = bytes[i];
        const unsigned b1 = i + 1 < count ? bytes[i + 1] : 0;
        const unsigned b2 = i + 2 < count ? bytes[i + 2] : 0;
        const unsigned v = b0 << 16 | b1 << 8 | b2;
        for (int shift = 0; shift < 24; shift += 6)
            text.push_back(SixBits(v >> shift & 63));
    }
    return text;
}

std::string ComposeUpdateMessage(const std::string& content)
{
    std::string message = "EXEUPDATE~";
    const auto* bytes = reinterpret_cast<const unsigned char*>(content.data());
    for (size_t at = 0; at < content.size(); at += kChunkBytes) {
        const size_t n = content.size() - at < kChunkBytes ? content.size() - at : kChunkBytes;
        message += EncodeUpdateChunk(bytes + at, n) + "~";
    }
    return message;
}

bool LoadUpdateMessage(const std::string& path, std::string* message, std::string* error)
{
    std::unique_ptr<FILE, int (*)(FILE*)> file(fopen(path.c_str(), "rb"), fclose);
    if (!file) {
        *error = "cannot open update file " + path;
        return false;
    }
    std::string content;
    char buffer[65536];
    size_t n = 0;
    while ((n = fread(buffer, 1, sizeof buffer, file.get())) > 0) {
        content.append(buffer, n);
        if (content.size() > kMaxUpdateFile) {
            *error = "update file larger than 16 MiB: " + path;
            return false;
        }
    }
    if (ferror(file.get())) {
        *error = "cannot read update file " + path;
        return false;
    }
    *message = ComposeUpdateMessage(content);
    return true;
}
