#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "OrderLines.h"
#include "TempFolder.h"
#include "order/OrderImport.h"

// Each row's outcome by its line; the usable rows join the order with one
// save. A header, CSV with quotes, an unknown code, a quantity over the bound
// and a list that can't be read are pinned through the data tool
// (tests/tools/qbxdata_test.sh) and the window (tests/wine/test_scan.py).
TEST(OrderImport, RowsJoinTheOrderOrAreListedWithTheirLine)
{
    CItemList products;
    products.Setup(ListKind::Products);
    AddProduct(products, "A1", "4006381333931");
    AddProduct(products, "B2", "");
    AddProduct(products, "C3", "96385074");
    AddProduct(products, "D4", "000096385074");
    CTempFolder folder;
    CItemList order;
    order.Setup(ListKind::Order);
    order.Load(folder.Path("Current.dat").c_str());
    AddLine(order, "B2", 990);

    COrderImport import;
    ASSERT_TRUE(import.Read("Code\tQty\n"
                            "A1\tnone\n"
                            "A1\t2\tALPHA, 20\n"
                            "4006381333931\t 3\r\n"
                            "\t\n"
                            "4006381333932\t1\n"
                            "96385074\t1\n"
                            "B2\t9\n"
                            "B2\t1\n"
                            "A1\n"
                            "\t5\n"
                            "A1\t995\n"));
    import.Match(products, order);
    const std::vector<std::pair<int, std::string>> unused = {
        {2, "The quantity 'none' is not a whole number of packs"},
        {6, "Wrong check digit in the code 4006381333932"},
        {7, "The code 96385074 is on 2 products"},
        {9, "The line of B2 would hold 1000, over 999"},
        {10, "No quantity"},
        {11, "No item code"},
        {12, "The line of A1 would hold 1000, over 999"},
    };
    ASSERT_EQ(import.Unused().size(), unused.size());
    for (size_t i = 0; i < unused.size(); ++i) {
        EXPECT_EQ(import.Unused()[i].line, unused[i].first);
        EXPECT_EQ(import.Unused()[i].reason, unused[i].second);
    }

    SaveCounter view;
    order.SetView(&view);
    import.AddTo(order);
    EXPECT_EQ(view.saves, 1);
    ASSERT_EQ(order.Count(), 2);
    EXPECT_EQ(order.At(0)->quantity, 999);
    EXPECT_EQ(order.At(1)->code, "A1");
    EXPECT_EQ(order.At(1)->quantity, 5);
    EXPECT_EQ(import.Report(1), "3 rows of the list joined the order. Not taken:\n\n"
                                "Line 2: The quantity 'none' is not a whole number of packs\n"
                                "... and 6 more rows");
}
