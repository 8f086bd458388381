#include "skin/SkinRegion.h"

#include "skin/Skin.h"
#include "skin/SkinBlock.h"

// The region body being read.
struct SkinRegionReading {
    static bool Combine(CSkinRegion& region, SkinCombine op)
    {
        region.m_combine = op;
        return true;
    }

    // Once a kind is set, a further shape keyword is skipped without reading
    // its block (whose closing brace then ends the body).
    template <class Block>
    static bool Shape(CSkinRegion& region, CSkinReader& reader, Block& shape, CSkinRegion::Kind kind)
    {
        if (region.m_kind != CSkinRegion::kNone)
            return true;
        if (!shape.Parse(reader))
            return false;
        region.m_kind = kind;
        return true;
    }

    static bool Corner(CSkinReader& reader, CSkinCoord& coord)
    {
        const char* operand = reader.NextOperand();
        if (operand)
            coord = CSkinCoord::FromWord(operand);
        return operand != nullptr;
    }
};

bool CSkinRegion::Parse(CSkinReader& reader)
{
    using R = SkinRegionReading;
    static const SkinBlockWord<CSkinRegion> kWords[] = {
        {"ID", [](CSkinRegion& g, CSkinReader& r) { return g.ReadId(r); }},
        {"AND", [](CSkinRegion& g, CSkinReader&) { return R::Combine(g, SkinCombine::kAnd); }},
        {"COPY", [](CSkinRegion& g, CSkinReader&) { return R::Combine(g, SkinCombine::kCopy); }},
        {"DIFF", [](CSkinRegion& g, CSkinReader&) { return R::Combine(g, SkinCombine::kDiff); }},
        {"OR", [](CSkinRegion& g, CSkinReader&) { return R::Combine(g, SkinCombine::kOr); }},
        {"XOR", [](CSkinRegion& g, CSkinReader&) { return R::Combine(g, SkinCombine::kXor); }},
        {"POLY", [](CSkinRegion& g, CSkinReader& r) { return R::Shape(g, r, g.m_polygon, kPolygon); }},
        {"ELLIPTIC", [](CSkinRegion& g, CSkinReader& r) { return R::Shape(g, r, g.m_ellipseFrame, kEllipse); }},
        {"RECT", [](CSkinRegion& g, CSkinReader& r) { return R::Shape(g, r, g.m_rectFrame, kRoundRect); }},
        {"W", [](CSkinRegion& g, CSkinReader& r) { return R::Corner(r, g.m_cornerWidth); }},
        {"H", [](CSkinRegion& g, CSkinReader& r) { return R::Corner(r, g.m_cornerHeight); }},
    };
    return ReadSkinBlock(reader, *this, kWords) && m_kind != kNone;
}

SkinArea CSkinRegion::Area(int32_t width, int32_t height) const
{
    SkinArea area;
    switch (m_kind) {
    case kPolygon:
        area.kind = SkinArea::kPolygon;
        area.points = m_polygon.Resolve(width, height);
        break;
    case kEllipse:
        area.kind = SkinArea::kEllipse;
        area.rect = m_ellipseFrame.Resolve(width, height);
        break;
    default:
        area.kind = SkinArea::kRoundRect;
        area.rect = m_rectFrame.Resolve(width, height);
        area.cornerWidth = m_cornerWidth.Resolve(width);
        area.cornerHeight = m_cornerHeight.Resolve(height);
        break;
    }
    return area;
}

void CSkinRegion::Draw(ISkinSurface&, int32_t width, int32_t height)
{
    if (ISkinWindow* window = m_owner->Window())
        window->CombineShape(Area(width, height), m_combine);
}
