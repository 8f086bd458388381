#pragma once
#include <string>
#include <vector>

#include "data/ItemRecord.h"

// The columns every shown record list has (order, search hits, response and
// history lines): which are visible, how wide, and what each cell says.

enum GridColumn : int {
    kColumnCheck = 0,
    kColumnNumber = 1,
    kColumnDescription = 2,
    kColumnSize = 3,
    kColumnItem = 4,
    kColumnPrice = 5,
    kColumnDiscount = 6,
    kColumnQuantity = 7,
    kColumnTotal = 8,
    kColumnStatus = 9,
};

struct GridColumnInfo {
    const char* heading;  // Windows-1252: the pound sign is byte 0xA3
    bool rightAligned;
};

// Response and history lines carry a "Status" column; the other lists don't.
int GridColumnCount(ListKind kind);
const GridColumnInfo& GridColumnAt(int column);

// Pixel widths of the columns for a list of this client width. Hidden columns
// are 0 wide; the description takes what the others leave, less 20 for the
// scroll bar, and never less than nothing.
std::vector<int> GridColumnWidths(ListKind kind, int clientWidth, bool showPrice);

// The text of one cell; row is the 0-based row the record stands in.
std::string GridCellText(const ItemRecord& record, int column, int row);

