#pragma once
#include <cstddef>
#include <cstdint>

#include "skin/SkinBitmapCache.h"

// The portable bitmap loader: reads a BMP file's header for its width and
// height and keeps no bitmap. The cache uses it where the platform gives no
// loader of its own (tests, tools).
class CBmpFileLoader : public ISkinBitmapLoader {
public:
    bool Load(const char* fileName, SkinBitmapInfo& info) override;

    // The size from the first bytes of a BMP file (file header, then a core or
    // info header); false for anything else. A top-down bitmap's negative
    // height counts as its height.
    static bool ReadSize(const uint8_t* data, size_t size, SkinBitmapInfo& info);
};
