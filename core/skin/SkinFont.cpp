#include "skin/SkinFont.h"

#include "skin/SkinBlock.h"

// The font being read, with whether its two required words were given.
struct SkinFontReading {
    CSkinFont& font;
    bool face = false;
    bool height = false;

    static bool Number(CSkinReader& reader, int32_t& value)
    {
        const char* operand = reader.NextOperand();
        if (operand)
            value = SkinNumber(operand);
        return operand != nullptr;
    }
    static bool Weight(CSkinFont& font, int32_t weight)
    {
        font.m_style.weight = weight;
        return true;
    }
    static bool Flag(bool& flag)
    {
        flag = true;
        return true;
    }
    static bool Quality(CSkinFont& font, uint32_t quality)
    {
        font.m_style.quality = quality;
        return true;
    }
};

bool CSkinFont::Parse(CSkinReader& reader)
{
    using R = SkinFontReading;
    static const SkinBlockWord<R> kWords[] = {
        {"FACE", [](R& f, CSkinReader& r) {
             const char* operand = r.NextOperand();
             if (operand)
                 f.font.m_face = operand;
             return f.face = operand != nullptr;
         }},
        {"HEIGHT", [](R& f, CSkinReader& r) { return f.height = R::Number(r, f.font.m_style.height); }},
        {"WIDTH", [](R& f, CSkinReader& r) { return R::Number(r, f.font.m_style.width); }},
        {"WEIGHT", [](R& f, CSkinReader& r) { return R::Number(r, f.font.m_style.weight); }},
        {"BOLD", [](R& f, CSkinReader&) { return R::Weight(f.font, 700); }},
        {"ITALIC", [](R& f, CSkinReader&) { return R::Flag(f.font.m_style.italic); }},
        {"UNDERLINE", [](R& f, CSkinReader&) { return R::Flag(f.font.m_style.underline); }},
        {"STRIKEOUT", [](R& f, CSkinReader&) { return R::Flag(f.font.m_style.strikeout); }},
        {"DRAFT", [](R& f, CSkinReader&) { return R::Quality(f.font, 1); }},
        {"PROOF", [](R& f, CSkinReader&) { return R::Quality(f.font, 2); }},
        {"NONANTIALIASED", [](R& f, CSkinReader&) { return R::Quality(f.font, 3); }},
        {"ANTIALIASED", [](R& f, CSkinReader&) { return R::Quality(f.font, 4); }},
    };
    SkinFontReading reading{*this};
    return ReadSkinBlock(reader, reading, kWords) && reading.face && reading.height;
}

SkinFontStyle CSkinFont::Style() const
{
    SkinFontStyle style = m_style;
    style.face = m_face.c_str();
    return style;
}
