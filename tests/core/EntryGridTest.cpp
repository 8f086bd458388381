#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "OrderLines.h"
#include "TempDir.h"
#include "data/ItemList.h"
#include "order/EntryGrid.h"
#include "order/LargeQuantity.h"

namespace {

// The list window as the platform's report list behaves: a state change to
// another row comes back as a selection change, one to the same row doesn't;
// deleting a row above the selected one moves the selection up with it.
class FakeListWindow : public IEntryGridWindow, public IItemListView {
public:
    CEntryGrid* grid = nullptr;
    int selected = -1, mark = -1, deletes = 0, asks = 0;
    bool editVisible = false;
    EntryEditKind editKind = EntryEditKind::SearchText;
    std::string editText;

    // IEntryGridWindow
    void SetRowState(int row) override
    {
        if (row == selected)
            return;
        selected = row;
        grid->OnSelectionChange(row);
    }
    void ScrollIntoView(int) override {}
    int TopRow() const override { return 0; }
    int RowsPerPage() const override { return 10; }
    bool EditVisible() const override { return editVisible; }
    std::string EditText() const override { return editText; }
    void ShowEdit(int, EntryEditKind kind, const std::string& text) override
    {
        editVisible = true;
        editKind = kind;
        editText = text;
    }
    void HideEdit() override { editVisible = false; }
    void RefreshRow(int) override {}
    void AskAboutQuantity() override { ++asks; }

    // IItemListView
    void RowInserted(int) override {}
    void RowDeleted(int index) override
    {
        ++deletes;
        if (index < selected)
            --selected;
        else if (index == selected)
            selected = -1;
        grid->RowsRemoved();
    }
    void RowChanged(int) override {}
    void RowsReset() override
    {
        selected = -1;
        grid->RowsRemoved();
    }
    int SelectionMark() const override { return mark; }
    void SelectRow(int row) override { grid->SelectRow(row); }

    // What a person does.
    void UserSelects(int row)
    {
        mark = row;
        SetRowState(row);
    }
};

using Lines = std::vector<std::string>;

class EntryGridTest : public TempDirTest {
protected:
    EntryGridTest()
    {
        window.grid = &grid;
        order.SetView(&window);
    }

    // Lines A, B, C... with the given quantities, held in memory only.
    void MakeOrder(const std::vector<int>& quantities)
    {
        order.Setup(ListKind::Order);
        grid.Configure(true, false);
        for (size_t i = 0; i < quantities.size(); ++i)
            AddLine(order, std::string(1, static_cast<char>('A' + i)), quantities[i]);
    }

    // Keys typed into the edit, gap milliseconds apart from the time given,
    // each released at once; the edit shows what a quantity cell takes.
    uint32_t Type(const std::string& keys, uint32_t time, uint32_t gap)
    {
        for (char c : keys) {
            time += gap;
            grid.KeyTyped(c, time);
            if (window.editText.size() < kQuantityCellLimit)
                window.editText += c;
            grid.CommitKeyRelease();
        }
        return time;
    }

    CItemList order;
    FakeListWindow window;
    CEntryGrid grid{order, window};
};

} // namespace

// The edit following the selection, a key release rewriting the order file, a
// zero line removed on leaving it with the cursor on the next line, Space
// jumping to the entry row and search hits keeping their zeros are pinned end
// to end
// (tests/wine/test_order.py, test_search.py). A click two or more rows below a
// zero line once selected the wrong line.
TEST_F(EntryGridTest, LeavingAZeroLineLandsOnTheLineTheUserChoseAndAClearedOrderOnTheEntryRow)
{
    MakeOrder({3, 4, 5, 6});
    window.UserSelects(0);
    window.editText = "0";
    window.UserSelects(2);
    EXPECT_EQ(Described(order), (Lines{"B=4", "C=5", "D=6"}));
    EXPECT_EQ(grid.CurrentRow(), 1);
    EXPECT_EQ(window.editText, "5");

    window.editText = "9";
    order.Clear();  // the edited line is gone: nothing may be written through it
    grid.HideEdit();
    grid.PlaceEdit();
    EXPECT_EQ(grid.CurrentRow(), 0);
    EXPECT_EQ(window.editKind, EntryEditKind::SearchText);
}

TEST_F(EntryGridTest, ALoadedZeroLineNeverReachesTheWindow)
{
    // A line kept at 0 by a key release, then the program ended.
    WriteBytes(PathOf("Current.dat"), "Z\t\t0\t0\t0\t\t0\nY\t\t0\t2\t0\t\t0\n");
    order.Setup(ListKind::Order);
    order.Load(PathOf("Current.dat").c_str());
    EXPECT_EQ(Described(order), (Lines{"Y=2"}));
    EXPECT_EQ(window.deletes, 0);
}

// After Enter on a line the cursor sits in the next line's quantity, where a
// scanner once set 50,219 (the code's first five digits) and added nothing: a
// whole code scanned there, and a quantity typed at a person's pace, are pinned
// end to end (tests/wine/test_scan.py, test_order.py); here the key timings
// that tell a scan from a quantity.
TEST_F(EntryGridTest, KeysAtScannerSpeedOrPastTheCellAreAScanNotAQuantity)
{
    const struct {
        std::string keys;
        uint32_t gap, enterAfter;
        bool scan;
    } cases[] = {
        {"502194600000", 200, 300, true}, // longer than the cell, however slowly
        {"123", 10, 10, true},            // Enter at scanner speed too
        {"12", 10, 300, false},           // two keys rolled, then Enter
    };
    MakeOrder({3, 4});
    for (const auto& c : cases) {
        window.UserSelects(0);
        window.editText.clear();
        const uint32_t end = Type(c.keys, 0xFFFFFFF0u, c.gap) + c.enterAfter;  // the key clock wraps
        if (c.scan && c.gap < kScannerKeyGapMs) {
            EXPECT_EQ(Described(order), (Lines{"A=3", "B=4"})) << c.keys;
        }
        EXPECT_EQ(grid.TakeScan(end), c.scan ? c.keys : "") << c.keys;
        window.UserSelects(1);
        EXPECT_EQ(order.At(0)->quantity, c.scan ? 3 : 12) << c.keys;
        order.At(0)->quantity = 3;
    }
}

// No putting back the quantity the line came with is pinned end to end
// (tests/wine/test_order.py).
TEST_F(EntryGridTest, ALargeQuantityIsAskedAboutOnce)
{
    MakeOrder({3, 4});
    window.UserSelects(0);
    window.editText.clear();
    Type("1200", 0, 200);
    window.UserSelects(1);
    ASSERT_EQ(grid.UnconfirmedLine(), order.At(0));
    grid.QuantityConfirmed(true);
    EXPECT_EQ(Described(order), (Lines{"A=1200", "B=4"}));
    window.UserSelects(0);
    window.UserSelects(1);
    EXPECT_EQ(window.asks, 1);
    AddLine(order, "C", 5000, "EYE DROPS");
    AddLine(order, "D", 1000);
    order.At(0)->description = "PARACETAMOL 500MG TABLETS 32 PACK";
    EXPECT_EQ(SendQuestion(order), "Do you want to send this order?\n1200 x PARACETAMOL 500MG TABLETS\n"
                                   "and 2 more over 999");
}
