#include "skin/SkinEllipse.h"

bool CSkinEllipse::Parse(CSkinReader& reader)
{
    return ReadSkinItemBody(reader, *this, m_colours);
}
