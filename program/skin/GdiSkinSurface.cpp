#include "skin/GdiSkinSurface.h"

#include <vector>

namespace {

// Selects a pen and a brush made for one drawing call and releases them after it.
class CPenAndBrush {
public:
    CPenAndBrush(HDC dc, const SkinPenStyle& pen, const SkinBrushStyle& brush) : m_dc(dc)
    {
        m_pen = CreatePen(static_cast<int>(pen.style), pen.width, pen.colour);
        LOGBRUSH logBrush = {brush.style, brush.colour, brush.hatch};
        m_brush = CreateBrushIndirect(&logBrush);
        m_oldPen = SelectObject(dc, m_pen);
        m_oldBrush = SelectObject(dc, m_brush);
    }
    CPenAndBrush(const CPenAndBrush&) = delete;
    CPenAndBrush& operator=(const CPenAndBrush&) = delete;
    ~CPenAndBrush()
    {
        SelectObject(m_dc, m_oldPen);
        SelectObject(m_dc, m_oldBrush);
        DeleteObject(m_pen);
        DeleteObject(m_brush);
    }

private:
    HDC m_dc;
    HPEN m_pen;
    HBRUSH m_brush;
    HGDIOBJ m_oldPen;
    HGDIOBJ m_oldBrush;
};

HFONT MakeFont(const SkinFontStyle& font)
{
    return CreateFontA(font.height, font.width, 0, 0, font.weight, font.italic, font.underline, font.strikeout, 0, 0,
                       0, static_cast<DWORD>(font.quality), 0, font.face);
}

} // namespace

void CGdiSkinSurface::Rectangle(const SkinPenStyle& pen, const SkinBrushStyle& brush, const SkinRect& rect)
{
    CPenAndBrush tools(m_dc, pen, brush);
    ::Rectangle(m_dc, rect.left, rect.top, rect.right, rect.bottom);
}

void CGdiSkinSurface::Polygon(const SkinPenStyle& pen, const SkinBrushStyle& brush, const SkinPoint* points,
                              size_t count)
{
    std::vector<POINT> corners(count);
    for (size_t i = 0; i < count; ++i)
        corners[i] = {points[i].x, points[i].y};
    CPenAndBrush tools(m_dc, pen, brush);
    SetPolyFillMode(m_dc, ALTERNATE);
    ::Polygon(m_dc, corners.data(), static_cast<int>(count));
}

void CGdiSkinSurface::Text(const SkinFontStyle* font, uint32_t colour, const char* text, const SkinRect& box,
                           uint32_t format)
{
    HFONT made = font ? MakeFont(*font) : nullptr;
    HGDIOBJ old = made ? SelectObject(m_dc, made) : nullptr;
    SetTextColor(m_dc, colour);
    RECT rect = {box.left, box.top, box.right, box.bottom};
    DrawTextA(m_dc, text, -1, &rect, format);
    if (made) {
        SelectObject(m_dc, old);
        DeleteObject(made);
    }
}

void CGdiSkinSurface::Blit(void* bitmap, const SkinBlit& blit)
{
    if (!bitmap)
        return;
    HDC source = CreateCompatibleDC(m_dc);
    HGDIOBJ old = SelectObject(source, static_cast<HBITMAP>(bitmap));
    StretchBlt(m_dc, blit.dstX, blit.dstY, blit.dstWidth, blit.dstHeight, source, blit.srcX, blit.srcY,
               blit.srcWidth, blit.srcHeight, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
}
