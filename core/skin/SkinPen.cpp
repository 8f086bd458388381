#include "skin/SkinPen.h"

#include "skin/SkinBlock.h"

bool CSkinPen::Parse(CSkinReader& reader)
{
    static const SkinBlockWord<CSkinPen> kWords[] = {
        {"COLOR", [](CSkinPen& pen, CSkinReader& r) { return pen.m_colour.Parse(r); }},
        {"SOLID", [](CSkinPen& pen, CSkinReader&) { return pen.SetStyle(0); }},
        {"DASH", [](CSkinPen& pen, CSkinReader&) { return pen.SetStyle(1); }},
        {"DOT", [](CSkinPen& pen, CSkinReader&) { return pen.SetStyle(2); }},
        {"DASHDOT", [](CSkinPen& pen, CSkinReader&) { return pen.SetStyle(3); }},
        {"WIDTH", [](CSkinPen& pen, CSkinReader& r) {
             const char* operand = r.NextOperand();
             if (operand)
                 pen.m_style.width = SkinNumber(operand);
             return operand != nullptr;
         }},
    };
    return ReadSkinBlock(reader, *this, kWords);
}

SkinPenStyle CSkinPen::Style() const
{
    SkinPenStyle style = m_style;
    style.colour = m_colour.Or(0x000000);
    return style;
}
