#include "order/RowColours.h"

namespace {
constexpr int kDarkUpTo = 128;

uint32_t Red(uint32_t colour) { return colour & 0xFF; }
uint32_t Green(uint32_t colour) { return (colour >> 8) & 0xFF; }
uint32_t Blue(uint32_t colour) { return (colour >> 16) & 0xFF; }
uint32_t Rgb(uint32_t red, uint32_t green, uint32_t blue) { return red | (green << 8) | (blue << 16); }
} // namespace

uint32_t RowBackground(int statusClass, const IStatusColours* colours)
{
    if (colours && statusClass >= 1 && statusClass <= 3)
        return colours->StatusColour(statusClass) & 0xFFFFFF;
    return kWhite;
}

CellColours RowCellColours(uint32_t background, bool currentRow)
{
    uint32_t red = Red(background);
    uint32_t green = Green(background);
    uint32_t blue = Blue(background);
    if (currentRow)
        blue = blue * 5 / 7;
    const uint32_t brightness = (2 * red + green + 6 * blue) / 9;
    return {Rgb(red, green, blue), brightness <= kDarkUpTo ? kWhite : kBlack};
}
