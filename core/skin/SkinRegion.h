#pragma once
#include "skin/SkinCoord.h"
#include "skin/SkinItem.h"
#include "skin/SkinPolygon.h"
#include "skin/SkinShape.h"
#include "skin/SkinWindow.h"

// A window outline (statement REGION): "{ ID n AND|COPY|DIFF|OR|XOR
// POLY {polygon} | ELLIPTIC {frame} | RECT {frame} W w H h }". The first shape
// read sets the kind; W and H round a RECT's corners. Drawing combines the
// shape, resolved against the client size, with the outline the window has,
// so regions apply in script order. It is never hit.
class CSkinRegion : public CSkinItem {
public:
    enum Kind : uint32_t { kNone = 0, kPolygon = 1, kRoundRect = 2, kEllipse = 3 };

    bool Parse(CSkinReader& reader) override;
    void Draw(ISkinSurface& surface, int32_t width, int32_t height) override;

private:
    friend struct SkinRegionReading;

    // The outline against a client size.
    SkinArea Area(int32_t width, int32_t height) const;

    SkinCombine m_combine = SkinCombine::kOr;
    Kind m_kind = kNone;
    CSkinPolygon m_polygon;
    CSkinShape m_rectFrame;
    CSkinShape m_ellipseFrame;
    CSkinCoord m_cornerWidth;
    CSkinCoord m_cornerHeight;
};
