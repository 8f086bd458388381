// Update chunks come from the server: any length and any bytes decode to
// three bytes per whole group, and what the encoder makes decodes back.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "comm/ServerMessage.h"
#include "comm/UpdateFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string message(reinterpret_cast<const char*>(data), size);
    for (const std::string& chunk : SplitFields(message)) {
        if (DecodeUpdateChunk(chunk.data(), chunk.size()).size() != chunk.size() / 4 * 3)
            std::abort();
    }
    const std::string chars = EncodeUpdateChunk(data, size);
    if (chars.find('~') != std::string::npos)
        std::abort();
    const std::vector<uint8_t> back = DecodeUpdateChunk(chars.data(), chars.size());
    if (back.size() < size || !std::equal(data, data + size, back.begin()))
        std::abort();
    return 0;
}
