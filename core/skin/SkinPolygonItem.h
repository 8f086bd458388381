#pragma once
#include "skin/SkinItem.h"
#include "skin/SkinPolygon.h"
#include "skin/SkinStates.h"

// A filled polygon (statement POLYGON): "{ NORMAL {polygon} OVER {..} DOWN
// {..} RIGHT {..} }". Only NORMAL is drawn; a polygon is never hit.
class CSkinPolygonItem : public CSkinItem {
public:
    bool Parse(CSkinReader& reader) override;
    void Draw(ISkinSurface& surface, int32_t width, int32_t height) override;

private:
    CSkinStates<CSkinPolygon> m_polygons;
};
