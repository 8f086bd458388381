#include "order/GridColumns.h"

#include "base/StrFormat.h"

namespace {
constexpr int kColumnsWithStatus = 10;
constexpr int kScrollBarAllowance = 20;
constexpr int kDescriptionIsTheRest = -1;

struct ColumnSpec {
    GridColumnInfo info;
    int width;  // kDescriptionIsTheRest for the description
};

const ColumnSpec kColumns[kColumnsWithStatus] = {
    {{"X", false}, 0},
    {{"#", true}, 0},
    {{"Description", false}, kDescriptionIsTheRest},
    {{"Size", false}, 85},
    {{"Item", false}, 0},
    {{"Price \xA3", true}, 60},  // only while prices are shown
    {{"Discount", false}, 0},
    {{"Qty", true}, 43},
    {{"Total \xA3", true}, 0},
    {{"Status", false}, 100},
};

bool HasStatus(ListKind kind)
{
    return kind == ListKind::Response || kind == ListKind::HistoryView;
}
} // namespace

int GridColumnCount(ListKind kind)
{
    return HasStatus(kind) ? kColumnsWithStatus : kColumnsWithStatus - 1;
}

const GridColumnInfo& GridColumnAt(int column)
{
    return kColumns[column].info;
}

std::vector<int> GridColumnWidths(ListKind kind, int clientWidth, bool showPrice)
{
    const int count = GridColumnCount(kind);
    std::vector<int> widths(static_cast<size_t>(count));
    int others = 0;
    for (int i = 0; i < count; ++i) {
        int width = kColumns[i].width;
        if (i == kColumnPrice && !showPrice)
            width = 0;
        if (width == kDescriptionIsTheRest)
            continue;
        widths[static_cast<size_t>(i)] = width;
        others += width;
    }
    // A negative width would ask the list to size the column to its contents.
    const int rest = clientWidth - others - kScrollBarAllowance;
    widths[kColumnDescription] = rest > 0 ? rest : 0;
    return widths;
}

std::string GridCellText(const ItemRecord& record, int column, int row)
{
    switch (column) {
    case kColumnNumber:
        return StrFormat("%d", row + 1);
    case kColumnDescription:
        return record.description;
    case kColumnSize:
        return record.size;
    case kColumnItem:
        return record.code;
    case kColumnPrice:
        return StrFormat("%8.2f", record.price);
    case kColumnDiscount:
        return StrFormat("%3.2f", record.discount);
    case kColumnQuantity:
        return StrFormat("%d", record.quantity);
    case kColumnTotal:
        return StrFormat("%8.2f", record.quantity * record.price);
    case kColumnStatus:
        return record.statusText;
    default:
        return std::string();
    }
}
