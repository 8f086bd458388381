#include "skin/SkinBrush.h"

#include "skin/SkinBlock.h"

bool CSkinBrush::Parse(CSkinReader& reader)
{
    using Word = SkinBlockWord<CSkinBrush>;
    static const Word kWords[] = {
        {"COLOR", [](CSkinBrush& b, CSkinReader& r) { return b.m_colour.Parse(r); }},
        {"SOLID", [](CSkinBrush& b, CSkinReader&) { return b.Set(kSolid, 0); }},
        {"HOLLOW", [](CSkinBrush& b, CSkinReader&) { return b.Set(kHollow, 0); }},
        {"HORIZONTAL", [](CSkinBrush& b, CSkinReader&) { return b.Set(kHatched, 0); }},
        {"VERTICAL", [](CSkinBrush& b, CSkinReader&) { return b.Set(kHatched, 1); }},
        {"FDIAGONAL", [](CSkinBrush& b, CSkinReader&) { return b.Set(kHatched, 2); }},
        {"BDIAGONAL", [](CSkinBrush& b, CSkinReader&) { return b.Set(kHatched, 3); }},
        {"CROSS", [](CSkinBrush& b, CSkinReader&) { return b.Set(kHatched, 4); }},
        {"DIAGCROSS", [](CSkinBrush& b, CSkinReader&) { return b.Set(kHatched, 5); }},
    };
    return ReadSkinBlock(reader, *this, kWords);
}

SkinBrushStyle CSkinBrush::Style() const
{
    SkinBrushStyle style = m_style;
    style.colour = m_colour.Or(0xFFFFFF);
    return style;
}
