#pragma once
#include "skin/SkinColour.h"
#include "skin/SkinItem.h"
#include "skin/SkinStates.h"

// Statement ELLIPSE: "{ NORMAL {colour} OVER {..} DOWN {..} RIGHT {..} }".
// It keeps its colours but draws nothing and is never hit.
class CSkinEllipse : public CSkinItem {
public:
    bool Parse(CSkinReader& reader) override;
    void Draw(ISkinSurface&, int32_t, int32_t) override {}

private:
    CSkinStates<CSkinColour> m_colours;
};
