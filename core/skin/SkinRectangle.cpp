#include "skin/SkinRectangle.h"

bool CSkinRectangle::Parse(CSkinReader& reader)
{
    return ReadSkinItemBody(reader, *this, m_frames);
}

void CSkinRectangle::Draw(ISkinSurface& surface, int32_t width, int32_t height)
{
    m_rect = m_frames[kSkinNormal].Resolve(width, height);
    m_frames[kSkinNormal].Draw(surface, width, height);
}
