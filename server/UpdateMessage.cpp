#include "UpdateMessage.h"

#include <cstdio>
#include <memory>

#include "base/StrFormat.h"
#include "comm/BiSyncReceiver.h"
#include "comm/UpdateFile.h"

namespace {

// 60 groups a chunk: a chunk and its "~" fill one block of the link.
constexpr size_t kChunkBytes = 180;
constexpr size_t kChunkChars = kChunkBytes / 3 * 4 + 1; // with its "~"
constexpr size_t kPrefixChars = sizeof "EXEUPDATE~" - 1;

} // namespace

size_t LargestUpdateFile()
{
    const size_t room = kDefaultMessageLimit - kPrefixChars;
    const size_t fullChunks = room / kChunkChars;
    const size_t left = room % kChunkChars; // a last, shorter chunk: four characters for three bytes, and "~"
    return fullChunks * kChunkBytes + (left > 4 ? (left - 1) / 4 * 3 : 0);
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
        if (content.size() > LargestUpdateFile()) {
            *error = StrFormat("update file %s is too large to reach a client: a client takes at most %zu bytes "
                               "of program in one message",
                               path.c_str(), LargestUpdateFile());
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
