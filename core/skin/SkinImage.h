#pragma once
#include <cstdint>

#include "skin/SkinColour.h"
#include "skin/SkinCoord.h"
#include "skin/SkinGeometry.h"
#include "skin/SkinShape.h"
#include "skin/SkinText.h"

class CSkinBitmapFile;
class CSkinReader;
class ISkinSurface;

// A placed bitmap: "{ FILE name RECT {..} HX x HY y TEXT {..} TRANS {..}
// VERTTILE HORZTILE DEST {..} }". FILE is required.
//
// RECT picks the part of the bitmap (the whole of it by default); DEST places
// it, less the hot spot HX, HY. A destination without XE (or YE) shows the
// part at its own width (or height). Tiling repeats the part at its own size
// across the destination, the last copy cut.
class CSkinImage {
public:
    CSkinImage();
    virtual ~CSkinImage() = default;

    virtual bool Parse(CSkinReader& reader);
    // Draws onto a surface of width x height and records the occupied rectangle.
    virtual void Draw(ISkinSurface& surface, int32_t width, int32_t height);

    bool IsPresent() const { return m_file != nullptr; }
    const CSkinBitmapFile* File() const { return m_file; }
    const SkinRect& Occupied() const { return m_occupied; }
    CSkinText& Caption() { return m_caption; }
    const CSkinText& Caption() const { return m_caption; }

private:
    friend struct SkinImageReading;

    void DrawCopies(ISkinSurface& surface, const SkinBlit& whole, int32_t width, int32_t height) const;

    CSkinBitmapFile* m_file = nullptr;  // shared through the process-wide cache
    CSkinShape m_source;
    CSkinCoord m_hotX;
    CSkinCoord m_hotY;
    CSkinText m_caption;
    CSkinColour m_transparent;  // read for the script's sake; every pixel is copied
    CSkinShape m_dest;
    bool m_tileVertically = false;
    bool m_tileHorizontally = false;
    SkinRect m_occupied;
};
