#pragma once
#include "skin/SkinColour.h"
#include "skin/SkinSurface.h"

class CSkinReader;

// A line style: "BORDER { COLOR {..} SOLID|DASH|DOT|DASHDOT WIDTH n }".
class CSkinPen {
public:
    bool Parse(CSkinReader& reader);
    // What the surface draws with; a pen without COLOR is black.
    SkinPenStyle Style() const;

private:
    bool SetStyle(uint32_t style)
    {
        m_style.style = style;
        return true;
    }

    CSkinColour m_colour;
    SkinPenStyle m_style;  // its colour comes from m_colour
};
