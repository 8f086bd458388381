#pragma once
#include "skin/SkinColour.h"
#include "skin/SkinSurface.h"

class CSkinReader;

// A fill: "FILL { COLOR {..} SOLID|HOLLOW|HORIZONTAL|VERTICAL|FDIAGONAL|BDIAGONAL|CROSS|DIAGCROSS }".
// The last style word wins.
class CSkinBrush {
public:
    enum : uint32_t { kSolid = 0, kHollow = 1, kHatched = 2 };  // GDI brush styles

    bool Parse(CSkinReader& reader);
    // What the surface fills with; a brush without COLOR is white.
    SkinBrushStyle Style() const;

private:
    bool Set(uint32_t style, uint32_t hatch)
    {
        m_style.style = style;
        m_style.hatch = hatch;
        return true;
    }

    CSkinColour m_colour;
    SkinBrushStyle m_style;  // its colour comes from m_colour
};
