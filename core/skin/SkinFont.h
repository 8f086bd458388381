#pragma once
#include <cstdint>
#include <string>

#include "skin/SkinSurface.h"

class CSkinReader;

// A caption font: "FONT { FACE name HEIGHT n WIDTH n WEIGHT n BOLD ITALIC
// UNDERLINE STRIKEOUT DRAFT|PROOF|NONANTIALIASED|ANTIALIASED }". FACE and
// HEIGHT are required.
class CSkinFont {
public:
    CSkinFont() = default;
    virtual ~CSkinFont() = default;

    virtual bool Parse(CSkinReader& reader);
    // A font without a face name is never made: captions keep the surface's font.
    bool HasFace() const { return !m_face.empty(); }
    // Valid while this font lives and is not read again.
    SkinFontStyle Style() const;

private:
    friend struct SkinFontReading;

    std::string m_face;
    SkinFontStyle m_style;  // its face points into m_face when handed out
};
