#include <gtest/gtest.h>

#include <numeric>
#include <utility>
#include <vector>

#include "order/GridColumns.h"
#include "order/RowColours.h"

namespace {

ItemRecord Line(int quantity, double price)
{
    ItemRecord r;
    r.code = "A1";
    r.size = "100ML";
    r.description = "ASPIRIN";
    r.quantity = quantity;
    r.price = price;
    r.discount = 0.25;
    r.statusText = "Out Of Stock";
    return r;
}

struct FixedColours : IStatusColours {
    uint32_t StatusColour(int statusClass) const override { return 0x010101u * static_cast<uint32_t>(statusClass); }
};

} // namespace

TEST(GridColumns, OnlyResponseAndHistoryListsHaveTheStatusColumn)
{
    EXPECT_EQ(GridColumnCount(ListKind::Order), 9);
    EXPECT_EQ(GridColumnCount(ListKind::SearchResults), 9);
    EXPECT_EQ(GridColumnCount(ListKind::Response), 10);
    EXPECT_EQ(GridColumnCount(ListKind::HistoryView), 10);
    EXPECT_STREQ(GridColumnAt(kColumnStatus).heading, "Status");
    // Money headings end in the Windows-1252 pound sign.
    EXPECT_STREQ(GridColumnAt(kColumnPrice).heading, "Price \xA3");
    EXPECT_STREQ(GridColumnAt(kColumnTotal).heading, "Total \xA3");
    EXPECT_TRUE(GridColumnAt(kColumnQuantity).rightAligned);
    EXPECT_FALSE(GridColumnAt(kColumnDescription).rightAligned);
}

TEST(GridColumns, DescriptionTakesTheRestAndGainsThePriceWidthWhenPricesAreHidden)
{
    const std::vector<int> shown = GridColumnWidths(ListKind::Order, 600, true);
    const std::vector<int> hidden = GridColumnWidths(ListKind::Order, 600, false);
    EXPECT_EQ(shown[kColumnPrice], 60);
    EXPECT_EQ(hidden[kColumnPrice], 0);
    EXPECT_EQ(hidden[kColumnDescription] - shown[kColumnDescription], 60);
    EXPECT_EQ(std::accumulate(shown.begin(), shown.end(), 0), 600 - 20);
    EXPECT_EQ(shown[kColumnSize], 85);
    EXPECT_EQ(shown[kColumnQuantity], 43);
    for (int hiddenColumn : {kColumnCheck, kColumnNumber, kColumnItem, kColumnDiscount, kColumnTotal})
        EXPECT_EQ(shown[hiddenColumn], 0) << hiddenColumn;

    const std::vector<int> history = GridColumnWidths(ListKind::HistoryView, 600, false);
    EXPECT_EQ(history[kColumnStatus], 100);
    EXPECT_EQ(history[kColumnDescription], hidden[kColumnDescription] - 100);
    // A negative width would make a narrow list size the column to its contents.
    EXPECT_EQ(GridColumnWidths(ListKind::Order, 100, true)[kColumnDescription], 0);
}

TEST(GridColumns, CellTexts)
{
    const ItemRecord r = Line(3, 2.5);
    EXPECT_EQ(GridCellText(r, kColumnNumber, 4), "5");
    EXPECT_EQ(GridCellText(r, kColumnPrice, 0), "    2.50");
    EXPECT_EQ(GridCellText(r, kColumnTotal, 0), "    7.50");
    EXPECT_EQ(GridCellText(r, kColumnQuantity, 0), "3");
    EXPECT_EQ(GridCellText(r, kColumnDiscount, 0), "0.25");
    EXPECT_EQ(GridCellText(r, kColumnItem, 0), "A1");
    EXPECT_EQ(GridCellText(r, kColumnStatus, 0), "Out Of Stock");
    EXPECT_EQ(GridCellText(r, kColumnCheck, 0), "");
}

TEST(RowColours, WhiteRowsAndClassColours)
{
    FixedColours colours;
    const std::pair<int, uint32_t> cases[] = {{0, kWhite}, {1, 0x010101u}, {3, 0x030303u}, {4, kWhite}, {-1, kWhite}};
    for (const auto& [statusClass, colour] : cases)
        EXPECT_EQ(RowBackground(statusClass, &colours), colour) << statusClass;
    EXPECT_EQ(RowBackground(2, nullptr), kWhite);
}

TEST(RowColours, TheCurrentRowIsMarkedByLessBlue)
{
    const CellColours plain = RowCellColours(kWhite, false);
    EXPECT_EQ(plain.background, kWhite);
    EXPECT_EQ(plain.text, kBlack);
    const CellColours current = RowCellColours(kWhite, true);
    EXPECT_EQ(current.background, 0xB6FFFFu);  // (255, 255, 182): pale yellow
    EXPECT_EQ(current.text, kBlack);
    // The default out-of-stock pink, RGB(234, 176, 234): blue 234 becomes 167.
    EXPECT_EQ(RowCellColours(0xEAB0EA, true).background, 0xA7B0EAu);
}

TEST(RowColours, TextTurnsWhiteOnDarkBackgrounds)
{
    // Navy current row: the text stays white.
    EXPECT_EQ(RowCellColours(0x800000, true).text, kWhite);
    // Brightness (2 red + green + 6 blue) / 9 of 128 counts as dark, 129 as light.
    EXPECT_EQ(RowCellColours(0xC00000, false).text, kWhite);  // 6 * 192 / 9 = 128
    EXPECT_EQ(RowCellColours(0xC00005, false).text, kBlack);  // (10 + 1152) / 9 = 129
    // The colour test is made on the current row's own colours.
    EXPECT_EQ(RowCellColours(0xD00000, false).text, kBlack);  // 6 * 208 / 9 = 138
    EXPECT_EQ(RowCellColours(0xD00000, true).text, kWhite);   // blue 148: 98
}
