#pragma once
#include "skin/SkinItem.h"
#include "skin/SkinShape.h"
#include "skin/SkinStates.h"

// The placement of one of the window's dialog controls (statement CONTROL):
// "{ ID n NORMAL {frame} }". Each time the buffer is built a visible control
// is moved to the NORMAL frame, resolved against the client size.
class CSkinControl : public CSkinItem {
public:
    bool Parse(CSkinReader& reader) override;
    void Draw(ISkinSurface& surface, int32_t width, int32_t height) override;

private:
    CSkinStates<CSkinShape> m_frames;
    bool m_hasId = false;
};
