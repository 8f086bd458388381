#include "skin/SkinPolygonItem.h"

bool CSkinPolygonItem::Parse(CSkinReader& reader)
{
    return ReadSkinItemBody(reader, *this, m_polygons);
}

void CSkinPolygonItem::Draw(ISkinSurface& surface, int32_t width, int32_t height)
{
    m_polygons[kSkinNormal].Draw(surface, width, height);
}
