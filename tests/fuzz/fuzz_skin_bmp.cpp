// Feeds the first bytes of bitmap files to the header reader that sizes them.
#include <cstddef>
#include <cstdint>

#include "skin/BmpFileLoader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    SkinBitmapInfo info;
    if (CBmpFileLoader::ReadSize(data, size, info) && (info.width <= 0 || info.height <= 0))
        __builtin_trap();
    return 0;
}
