#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "OrderLines.h"
#include "TempDir.h"
#include "data/ItemList.h"
#include "order/EntryGrid.h"

namespace {

// The list window as the platform's report list behaves: a state change to
// another row comes back as a selection change, one to the same row doesn't;
// deleting a row above the selected one moves the selection up with it.
class FakeListWindow : public IEntryGridWindow, public IItemListView {
public:
    CEntryGrid* grid = nullptr;
    int selected = -1, mark = -1, deletes = 0;
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

    CItemList order;
    FakeListWindow window;
    CEntryGrid grid{order, window};
};

} // namespace

// The edit following the selection, a key release rewriting the order file, a
// zero line removed on leaving it with the cursor on the next line, Space
// jumping to the entry row, scrolling keeping the current row on the page and
// search hits keeping their zeros are pinned end to end
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
