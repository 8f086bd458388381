#include <gtest/gtest.h>

#include <vector>

#include "order/GridColumns.h"
#include "order/RowColours.h"

// The widths right of the description (the quantity's 43, the history's status
// 100, 20 spare for the scroll bar) are where the Wine scenarios read the rows'
// colours (tests/wine/test_order.py, test_history.py).
TEST(GridColumns, DescriptionTakesTheRestAndGainsThePriceWidthWhenPricesAreHidden)
{
    const std::vector<int> shown = GridColumnWidths(ListKind::Order, 600, true);
    const std::vector<int> hidden = GridColumnWidths(ListKind::Order, 600, false);
    EXPECT_EQ(hidden[kColumnPrice], 0);
    EXPECT_EQ(hidden[kColumnDescription] - shown[kColumnDescription], 60);
    // A negative width would make a narrow list size the column to its contents.
    EXPECT_EQ(GridColumnWidths(ListKind::Order, 100, true)[kColumnDescription], 0);
}

TEST(GridColumns, CellTextsAndHeadings)
{
    // Money headings end in the Windows-1252 pound sign.
    EXPECT_STREQ(GridColumnAt(kColumnPrice).heading, "Price \xA3");
    ItemRecord r;
    r.quantity = 3;
    r.price = 2.5;
    r.discount = 0.25;
    EXPECT_EQ(GridCellText(r, kColumnNumber, 4), "5");
    EXPECT_EQ(GridCellText(r, kColumnPrice, 0), "    2.50");
    EXPECT_EQ(GridCellText(r, kColumnTotal, 0), "    7.50");
    EXPECT_EQ(GridCellText(r, kColumnDiscount, 0), "0.25");
}

// The class colours, the current row losing blue down to 5/7, and a dark row's white text, are
// pinned end to end (tests/wine/test_order.py); here the limit: text turns white
// where (2 red + green + 6 blue) / 9 is 128 or less, judged on the shown colours.
TEST(RowColours, TheCurrentRowIsMarkedByLessBlueAndDarkRowsGetWhiteText)
{
    const struct {
        uint32_t background;
        bool current;
        uint32_t shown, text;
    } cases[] = {
        {0xC00000, false, 0xC00000, kWhite},    // 6 * 192 / 9 = 128
        {0xC00005, false, 0xC00005, kBlack},    // (10 + 1152) / 9 = 129
        {0xD00000, true, 0x940000, kWhite},     // blue 208 becomes 148: 98
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.background << (c.current ? " current" : ""));
        const CellColours colours = RowCellColours(c.background, c.current);
        EXPECT_EQ(colours.background, c.shown);
        EXPECT_EQ(colours.text, c.text);
    }
}
