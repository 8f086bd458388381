#pragma once
#include "skin/SkinItem.h"
#include "skin/SkinShape.h"
#include "skin/SkinStates.h"

// A framed rectangle (statement RECTANGLE): "{ NORMAL {frame} OVER {..} DOWN
// {..} RIGHT {..} }". Only NORMAL is drawn. It has no ID, so it never
// notifies, but it hides the items under it from the pointer.
class CSkinRectangle : public CSkinItem {
public:
    bool Parse(CSkinReader& reader) override;
    void Draw(ISkinSurface& surface, int32_t width, int32_t height) override;

private:
    CSkinStates<CSkinShape> m_frames;
};
