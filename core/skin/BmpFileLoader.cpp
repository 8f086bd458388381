#include "skin/BmpFileLoader.h"

#include <cstdio>

namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr size_t kCoreHeaderSize = 12;  // BITMAPCOREHEADER: 16-bit width and height
constexpr size_t kInfoHeaderSize = 40;  // BITMAPINFOHEADER and its successors
constexpr size_t kHeadBytes = kFileHeaderSize + kInfoHeaderSize;

uint32_t Little(const uint8_t* p, size_t bytes)
{
    uint32_t value = 0;
    for (size_t i = bytes; i-- > 0;)
        value = value << 8 | p[i];
    return value;
}

int32_t Signed16(const uint8_t* p)
{
    return static_cast<int16_t>(static_cast<uint16_t>(Little(p, 2)));
}

int32_t Signed32(const uint8_t* p)
{
    return static_cast<int32_t>(Little(p, 4));
}

} // namespace

bool CBmpFileLoader::Load(const char* fileName, SkinBitmapInfo& info)
{
    FILE* file = std::fopen(fileName, "rb");
    if (!file)
        return false;
    uint8_t head[kHeadBytes];
    const size_t got = std::fread(head, 1, sizeof head, file);
    std::fclose(file);
    return ReadSize(head, got, info);
}

bool CBmpFileLoader::ReadSize(const uint8_t* data, size_t size, SkinBitmapInfo& info)
{
    if (size < kFileHeaderSize + 4 || data[0] != 'B' || data[1] != 'M')
        return false;
    const uint8_t* dib = data + kFileHeaderSize;
    const uint32_t dibSize = Little(dib, 4);
    int32_t width = 0;
    int32_t height = 0;
    if (dibSize == kCoreHeaderSize && size >= kFileHeaderSize + kCoreHeaderSize) {
        width = Signed16(dib + 4);
        height = Signed16(dib + 6);
    } else if (dibSize >= kInfoHeaderSize && size >= kFileHeaderSize + kInfoHeaderSize) {
        width = Signed32(dib + 4);
        height = Signed32(dib + 8);
    } else {
        return false;
    }
    if (width <= 0 || height == 0 || height == INT32_MIN)
        return false;
    info.handle = nullptr;
    info.width = width;
    info.height = height < 0 ? -height : height;
    return true;
}
