#pragma once
#include "skin/SkinBrush.h"
#include "skin/SkinCoord.h"
#include "skin/SkinGeometry.h"
#include "skin/SkinPen.h"

class CSkinReader;
class ISkinSurface;

// A rectangle frame: "{ BORDER {..} FILL {..} X x Y y XE|W .. YE|H .. }".
// W and H are widths from X and Y as read so far; XE and W exclude each
// other, and so do YE and H.
class CSkinShape {
public:
    CSkinShape() = default;
    // Boxes that fill their area by default pass the words R and B here.
    CSkinShape(CSkinCoord right, CSkinCoord bottom) : m_right(right), m_bottom(bottom) {}

    bool Parse(CSkinReader& reader);
    // The four edges against a width and a height.
    SkinRect Resolve(int32_t width, int32_t height) const;
    // Outlines and fills the frame; a frame turned inside out draws nothing.
    void Draw(ISkinSurface& surface, int32_t width, int32_t height) const;

    const CSkinCoord& Left() const { return m_left; }
    const CSkinCoord& Top() const { return m_top; }
    const CSkinCoord& Right() const { return m_right; }
    const CSkinCoord& Bottom() const { return m_bottom; }

private:
    friend struct SkinShapeReading;

    CSkinPen m_border;
    CSkinBrush m_fill;
    CSkinCoord m_left;
    CSkinCoord m_top;
    CSkinCoord m_right;
    CSkinCoord m_bottom;
};
