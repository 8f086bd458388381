#pragma once
#include <windows.h>

#include "skin/SkinSurface.h"

// The skin's drawing calls on a GDI device context (the skin's off-screen
// buffer). Every pen, brush and font lives for one call.
class CGdiSkinSurface : public ISkinSurface {
public:
    explicit CGdiSkinSurface(HDC dc = nullptr) : m_dc(dc) {}
    void SetDC(HDC dc) { m_dc = dc; }
    HDC DC() const { return m_dc; }

    void Rectangle(const SkinPenStyle& pen, const SkinBrushStyle& brush, const SkinRect& rect) override;
    void Polygon(const SkinPenStyle& pen, const SkinBrushStyle& brush, const SkinPoint* points,
                 size_t count) override;
    void Text(const SkinFontStyle* font, uint32_t colour, const char* text, const SkinRect& box,
              uint32_t format) override;
    void Blit(void* bitmap, const SkinBlit& blit) override;

private:
    HDC m_dc;
};
