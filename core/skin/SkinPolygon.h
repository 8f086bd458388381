#pragma once
#include <vector>

#include "base/LinkList.h"
#include "skin/SkinBrush.h"
#include "skin/SkinCoord.h"
#include "skin/SkinGeometry.h"
#include "skin/SkinPen.h"

class CSkinReader;
class ISkinSurface;

// One coordinate of a polygon's point list.
class CSkinPolygonCoord : public CLinkNode {
public:
    explicit CSkinPolygonCoord(const CSkinCoord& coord) : m_coord(coord) {}
    const CSkinCoord& Coord() const { return m_coord; }

private:
    CSkinCoord m_coord;
};

// A polygon: "{ BORDER {..} FILL {..} x1 y1 x2 y2 ... }" with at least four
// points (more than six coordinates, an even count).
class CSkinPolygon {
public:
    CSkinPolygon() = default;
    virtual ~CSkinPolygon();
    CSkinPolygon(const CSkinPolygon&) = delete;
    CSkinPolygon& operator=(const CSkinPolygon&) = delete;

    virtual bool Parse(CSkinReader& reader);
    // The points, x against the width and y against the height.
    std::vector<SkinPoint> Resolve(int32_t width, int32_t height) const;
    void Draw(ISkinSurface& surface, int32_t width, int32_t height) const;

private:
    CSkinPen m_border;
    CSkinBrush m_fill;
    CLinkList m_coords;  // x, y, x, y ...
};
