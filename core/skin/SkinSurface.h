#pragma once
#include <cstddef>
#include <cstdint>

#include "skin/SkinGeometry.h"

// What a drawing needs of the platform. Every pen, brush and font is made for
// one call and released after it; the values are those of the GDI calls
// CreatePen, CreateBrushIndirect and CreateFontA.

// Colours are 0x00BBGGRR. The skin resolves a colour the script left unset
// before it reaches the surface, so these are always real colours.
struct SkinPenStyle {
    uint32_t colour = 0;
    uint32_t style = 0;   // 0 solid, 1 dashed, 2 dotted, 3 dash-dot (PS_*)
    int32_t width = 0;    // 0: the thinnest line
};

struct SkinBrushStyle {
    uint32_t colour = 0;
    uint32_t style = 0;   // 0 solid, 1 hollow, 2 hatched (BS_*)
    uint32_t hatch = 0;   // 0 horizontal .. 5 diagonal cross (HS_*)
};

struct SkinFontStyle {
    const char* face = "";  // never empty when handed to a surface
    int32_t height = 10;
    int32_t width = 0;
    int32_t weight = 0;
    bool italic = false;
    bool underline = false;
    bool strikeout = false;
    uint32_t quality = 0;  // 0 default, 1 draft, 2 proof, 3 non-antialiased, 4 antialiased
};

// The skin's off-screen buffer in the program; a recorder in tests.
class ISkinSurface {
public:
    virtual ~ISkinSurface() = default;

    // Outlines with the pen and fills with the brush (GDI Rectangle).
    virtual void Rectangle(const SkinPenStyle& pen, const SkinBrushStyle& brush, const SkinRect& rect) = 0;
    // Alternate filling (GDI Polygon).
    virtual void Polygon(const SkinPenStyle& pen, const SkinBrushStyle& brush, const SkinPoint* points,
                         size_t count) = 0;
    // DrawTextA of the whole text clipped to box with the format flags; a null
    // font keeps the surface's current font. The background stays as it is.
    virtual void Text(const SkinFontStyle* font, uint32_t colour, const char* text, const SkinRect& box,
                      uint32_t format) = 0;
    // Copies part of a loaded bitmap (the handle its loader gave, see
    // SkinBitmapCache.h) through a temporary memory surface.
    virtual void Blit(void* bitmap, const SkinBlit& blit) = 0;
};

// A surface that draws nothing: what items draw into before the window has a buffer.
class CNullSkinSurface : public ISkinSurface {
public:
    void Rectangle(const SkinPenStyle&, const SkinBrushStyle&, const SkinRect&) override {}
    void Polygon(const SkinPenStyle&, const SkinBrushStyle&, const SkinPoint*, size_t) override {}
    void Text(const SkinFontStyle*, uint32_t, const char*, const SkinRect&, uint32_t) override {}
    void Blit(void*, const SkinBlit&) override {}
};
