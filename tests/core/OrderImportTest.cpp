#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "TempFolder.h"
#include "order/OrderImport.h"

namespace {

void AddProduct(CItemList& products, const std::string& code, const std::string& second)
{
    auto r = std::make_unique<ItemRecord>();
    r->code = code;
    r->auxText = second;
    products.AddRecord(std::move(r));
}

struct SaveCounter : IItemListView {
    void RowInserted(int) override {}
    void RowDeleted(int) override {}
    void RowChanged(int) override {}
    void RowsReset() override {}
    void Saved(bool) override { ++saves; }
    int saves = 0;
};

} // namespace

// Each row's outcome by its line; the usable rows join the order with one save.
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
    auto b2 = std::make_unique<ItemRecord>();
    b2->code = "B2";
    b2->quantity = 990;
    order.AddRecord(std::move(b2));

    COrderImport import;
    ASSERT_TRUE(import.Read("Item code,Qty\n"
                            "A1,2\n"
                            "\" 4006381333931\", 3\r\n"
                            ",\n"
                            "ZZ9,1\n"
                            "4006381333932,1\n"
                            "96385074,1\n"
                            "A1,2.5\n"
                            "A1,01000\n"
                            "B2,9\n"
                            "B2,1\n"
                            "A1\n"
                            ",5\n"
                            "A1,0\n"
                            "A1,995\n"));
    import.Match(products, order);
    const std::vector<std::pair<int, std::string>> unused = {
        {5, "No product with the code ZZ9"},
        {6, "Wrong check digit in the code 4006381333932"},
        {7, "The code 96385074 is on 2 products"},
        {8, "The quantity '2.5' is not a whole number of packs"},
        {9, "The quantity 1000 is over 999"},
        {11, "The line of B2 would hold 1000, over 999"},
        {12, "No quantity"},
        {13, "No item code"},
        {14, "The quantity 0 orders nothing"},
        {15, "The line of A1 would hold 1000, over 999"},
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
    EXPECT_EQ(import.Report(2), "3 rows of the list joined the order. Not taken:\n\n"
                                "Line 5: No product with the code ZZ9\n"
                                "Line 6: Wrong check digit in the code 4006381333932\n"
                                "... and 8 more rows");
}

TEST(OrderImport, AListThatCantBeReadTakesNothing)
{
    const std::pair<std::string, const char*> cases[] = {
        {"A1,1\nA1,\"2\n", "Line 2: a quoted field is not closed."},
        {std::string("A1,1\n\nA1\0,2\n", 12), "Line 3 holds a zero byte: the file is no list of text."},
        {std::string(kMaxOrderListBytes + 1, ' '), "The list is over 1024 KiB: no re-order list is."},
    };
    for (const auto& [text, error] : cases) {
        COrderImport import;
        EXPECT_FALSE(import.Read(text));
        EXPECT_EQ(import.Error(), error);
    }
    COrderImport tabs;
    CItemList products;
    products.Setup(ListKind::Products);
    AddProduct(products, "A,1", "");
    ASSERT_TRUE(tabs.Read("A,1\t4\n"));
    tabs.Match(products, CItemList());
    ASSERT_EQ(tabs.Lines().size(), 1u);
    EXPECT_EQ(tabs.Lines()[0].quantity, 4);
}
