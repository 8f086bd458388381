#pragma once
#include "skin/SkinBitmapCache.h"

// Loads the skin's bitmap files with LoadImageA at their own size and reads
// the size back from the bitmap's header.
class CGdiBitmapLoader : public ISkinBitmapLoader {
public:
    bool Load(const char* fileName, SkinBitmapInfo& info) override;
};
