#include "skin/SkinShape.h"

#include "skin/SkinBlock.h"
#include "skin/SkinSurface.h"

// The frame being read, with which of each exclusive pair was given.
struct SkinShapeReading {
    CSkinShape& shape;
    bool right = false;
    bool width = false;
    bool bottom = false;
    bool height = false;

    static bool Coord(CSkinReader& reader, CSkinCoord& coord)
    {
        const char* operand = reader.NextOperand();
        if (operand)
            coord = CSkinCoord::FromWord(operand);
        return operand != nullptr;
    }

    // W and H: the far edge is the near edge as read so far plus the size,
    // with the anchor flags written on the size.
    static bool Size(CSkinReader& reader, const CSkinCoord& nearEdge, CSkinCoord& farEdge)
    {
        CSkinCoord size;
        if (!Coord(reader, size))
            return false;
        farEdge = CSkinCoord(SkinWrap(int64_t(size.Value()) + nearEdge.Value()), size.Flags());
        return true;
    }

    // The second of an exclusive pair rejects the block.
    static bool Claim(bool& mine, bool other)
    {
        mine = true;
        return !other;
    }
};

bool CSkinShape::Parse(CSkinReader& reader)
{
    using R = SkinShapeReading;
    static const SkinBlockWord<R> kWords[] = {
        {"BORDER", [](R& f, CSkinReader& r) { return f.shape.m_border.Parse(r); }},
        {"FILL", [](R& f, CSkinReader& r) { return f.shape.m_fill.Parse(r); }},
        {"X", [](R& f, CSkinReader& r) { return R::Coord(r, f.shape.m_left); }},
        {"Y", [](R& f, CSkinReader& r) { return R::Coord(r, f.shape.m_top); }},
        {"XE", [](R& f, CSkinReader& r) {
             return R::Claim(f.right, f.width) && R::Coord(r, f.shape.m_right);
         }},
        {"YE", [](R& f, CSkinReader& r) {
             return R::Claim(f.bottom, f.height) && R::Coord(r, f.shape.m_bottom);
         }},
        {"W", [](R& f, CSkinReader& r) {
             return R::Claim(f.width, f.right) && R::Size(r, f.shape.m_left, f.shape.m_right);
         }},
        {"H", [](R& f, CSkinReader& r) {
             return R::Claim(f.height, f.bottom) && R::Size(r, f.shape.m_top, f.shape.m_bottom);
         }},
    };
    SkinShapeReading reading{*this};
    return ReadSkinBlock(reader, reading, kWords);
}

SkinRect CSkinShape::Resolve(int32_t width, int32_t height) const
{
    SkinRect rect;
    rect.left = m_left.Resolve(width);
    rect.top = m_top.Resolve(height);
    rect.right = m_right.Resolve(width);
    rect.bottom = m_bottom.Resolve(height);
    return rect;
}

void CSkinShape::Draw(ISkinSurface& surface, int32_t width, int32_t height) const
{
    const SkinRect rect = Resolve(width, height);
    if (rect.right < rect.left || rect.bottom < rect.top)
        return;
    surface.Rectangle(m_border.Style(), m_fill.Style(), rect);
}
