#include "skin/SkinPolygon.h"

#include "skin/SkinBlock.h"
#include "skin/SkinSurface.h"

CSkinPolygon::~CSkinPolygon()
{
    m_coords.UnlinkAll(true);
}

bool CSkinPolygon::Parse(CSkinReader& reader)
{
    static const SkinBlockWord<CSkinPolygon> kWords[] = {
        {"BORDER", [](CSkinPolygon& p, CSkinReader& r) { return p.m_border.Parse(r); }},
        {"FILL", [](CSkinPolygon& p, CSkinReader& r) { return p.m_fill.Parse(r); }},
    };
    auto addCoord = [](CSkinPolygon& p, const char* word) {
        p.m_coords.Append(new CSkinPolygonCoord(CSkinCoord::FromWord(word)));
        return true;
    };
    if (!ReadSkinOpenBrace(reader) || !ReadSkinBlock(reader, *this, kWords, +addCoord))
        return false;
    return m_coords.Count() > 6 && m_coords.Count() % 2 == 0;
}

std::vector<SkinPoint> CSkinPolygon::Resolve(int32_t width, int32_t height) const
{
    std::vector<SkinPoint> points;
    points.reserve(m_coords.Count() / 2);
    for (auto* x = m_coords.FirstAs<CSkinPolygonCoord>(); x && x->Next(); x = CLinkList::NextAs(x)) {
        auto* y = CLinkList::NextAs(x);
        points.push_back(SkinPoint{x->Coord().Resolve(width), y->Coord().Resolve(height)});
        x = y;
    }
    return points;
}

void CSkinPolygon::Draw(ISkinSurface& surface, int32_t width, int32_t height) const
{
    const std::vector<SkinPoint> points = Resolve(width, height);
    surface.Polygon(m_border.Style(), m_fill.Style(), points.data(), points.size());
}
