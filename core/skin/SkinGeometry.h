#pragma once
#include <cstdint>

// Plain geometry shared by the skin engine and the platform that draws for it.

// Edges in client pixels; right and bottom are exclusive, as in a Windows RECT.
struct SkinRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    bool operator==(const SkinRect& other) const
    {
        return left == other.left && top == other.top && right == other.right && bottom == other.bottom;
    }
};

struct SkinPoint {
    int32_t x = 0;
    int32_t y = 0;
};

// One copy of a bitmap part onto the buffer, stretched when the sizes differ
// (StretchBlt with a plain source copy).
struct SkinBlit {
    int32_t srcX = 0;
    int32_t srcY = 0;
    int32_t srcWidth = 0;
    int32_t srcHeight = 0;
    int32_t dstX = 0;
    int32_t dstY = 0;
    int32_t dstWidth = 0;
    int32_t dstHeight = 0;
};
