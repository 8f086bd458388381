#include "skin/SkinText.h"

#include "skin/SkinBlock.h"
#include "skin/SkinSurface.h"

CSkinText::CSkinText()
    : m_box(CSkinCoord(0, CSkinCoord::kFar), CSkinCoord(0, CSkinCoord::kFar))
{
}

bool CSkinText::Parse(CSkinReader& reader)
{
    using Word = SkinBlockWord<CSkinText>;
    static const Word kWords[] = {
        {"RECT", [](CSkinText& t, CSkinReader& r) { return t.m_box.Parse(r); }},
        {"LEFT", [](CSkinText& t, CSkinReader&) { return t.SetFormat(kLeft); }},
        {"TOP", [](CSkinText& t, CSkinReader&) { return t.SetFormat(kLeft); }},
        {"RIGHT", [](CSkinText& t, CSkinReader&) { return t.SetFormat(kRight); }},
        {"BOTTOM", [](CSkinText& t, CSkinReader&) { return t.SetFormat(kBottom); }},
        {"CENTER", [](CSkinText& t, CSkinReader&) { return t.SetFormat(kCentre); }},
        {"FONT", [](CSkinText& t, CSkinReader& r) { return t.m_font.Parse(r); }},
        {"COLOR", [](CSkinText& t, CSkinReader& r) { return t.m_colour.Parse(r); }},
    };
    auto appendWord = [](CSkinText& t, const char* word) {
        t.m_text += word;
        return true;
    };
    return ReadSkinOpenBrace(reader) && ReadSkinBlock(reader, *this, kWords, +appendWord);
}

void CSkinText::Draw(ISkinSurface& surface, int32_t x0, int32_t y0, int32_t width, int32_t height) const
{
    if (m_text.empty())
        return;
    const SkinRect area = m_box.Resolve(width, height);
    SkinRect box;
    box.left = SkinWrap(int64_t(x0) + area.left);
    box.top = SkinWrap(int64_t(y0) + area.top);
    box.right = SkinWrap(int64_t(x0) + area.right);
    box.bottom = SkinWrap(int64_t(y0) + area.bottom);
    const SkinFontStyle font = m_font.Style();
    surface.Text(m_font.HasFace() ? &font : nullptr, m_colour.Or(0x000000), m_text.c_str(), box, m_format);
}
