#pragma once
#include <cstdint>
#include <string>

#include "skin/SkinColour.h"
#include "skin/SkinFont.h"
#include "skin/SkinShape.h"

class CSkinReader;
class ISkinSurface;

// A caption: "TEXT { RECT {..} LEFT|TOP|RIGHT|BOTTOM|CENTER FONT {..} COLOR {..} words }".
// Every other word is appended to the text with no blank between; a caption
// with blanks is one quoted word.
class CSkinText {
public:
    // DrawTextA flags; they replace each other, the last one wins.
    enum Format : uint32_t { kLeft = 0, kCentre = 1, kRight = 2, kBottom = 8 };

    CSkinText();
    virtual ~CSkinText() = default;

    virtual bool Parse(CSkinReader& reader);
    // Draws the text in its box, laid out in the area at x0, y0 of width x height.
    void Draw(ISkinSurface& surface, int32_t x0, int32_t y0, int32_t width, int32_t height) const;

    const std::string& Text() const { return m_text; }
    void SetText(const char* text) { m_text = text ? text : ""; }
    void SetColour(uint32_t colour) { m_colour = CSkinColour(colour); }
    uint32_t Format() const { return m_format; }

private:
    bool SetFormat(uint32_t format)
    {
        m_format = format;
        return true;
    }

    std::string m_text;
    CSkinShape m_box;
    uint32_t m_format = kLeft;
    CSkinFont m_font;
    CSkinColour m_colour;
};
