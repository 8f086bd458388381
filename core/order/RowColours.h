#pragma once
#include <cstdint>

// How a row of a record list is painted. Colours are 0x00BBGGRR.

// The colours of the three status classes, as the settings hold them.
class IStatusColours {
public:
    virtual ~IStatusColours() = default;
    // Class 1 part fulfilled, 2 out of stock, 3 not supplied.
    virtual uint32_t StatusColour(int statusClass) const = 0;
};

struct CellColours {
    uint32_t background;
    uint32_t text;
};

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBlack = 0x000000;

// A record's row: white unless the record has a status class 1 to 3, then
// that class's colour; colours may be null (white rows).
uint32_t RowBackground(int statusClass, const IStatusColours* colours);

// The cell colours of a row with this background. The current row is marked
// by taking blue down to 5/7 (white turns pale yellow), never by the list's
// own highlight. Text is white where (2 red + green + 6 blue) / 9 is 128 or
// less, black elsewhere.
CellColours RowCellColours(uint32_t background, bool currentRow);
