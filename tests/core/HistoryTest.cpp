#include <gtest/gtest.h>

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

#include "LocalTime.h"
#include "history/HistoryName.h"
#include "history/HistoryTexts.h"
#include "history/HistoryTree.h"

namespace {

// Index records as the index file holds them.
class IndexBytes {
public:
    IndexBytes& Short(int value)
    {
        bytes.push_back(static_cast<uint8_t>(value & 0xFF));
        bytes.push_back(static_cast<uint8_t>((value >> 8) & 0xFF));
        return *this;
    }
    IndexBytes& Year(int y) { return Short(0).Short(y); }
    IndexBytes& Month(int m) { return Short(1).Short(m); }
    IndexBytes& Day(int d) { return Short(2).Short(d); }
    IndexBytes& Order(int h, int m, int s, int32_t number)
    {
        return Short(3).Short(h).Short(m).Short(s).Short(number & 0xFFFF).Short((number >> 16) & 0xFFFF);
    }

    std::vector<uint8_t> bytes;
};

using Lines = std::vector<std::string>;

// The tree as lines "depth:text", depth first, for whole-tree comparisons.
Lines Flat(const CHistoryNode& node)
{
    Lines out;
    for (const auto& child : node.children) {
        out.push_back(std::to_string(child->depth) + ":" + child->text);
        const Lines below = Flat(*child);
        out.insert(out.end(), below.begin(), below.end());
    }
    return out;
}

Lines FlatIndex(const IndexBytes& index)
{
    CHistoryTree tree;
    tree.ReadIndex(index.bytes.data(), index.bytes.size());
    return Flat(tree.Root());
}

const CHistoryNode& FirstOrder(const CHistoryTree& tree)
{
    return *tree.Root().children.at(0)->children.at(0)->children.at(0)->children.at(0);
}

} // namespace

TEST(HistoryName, OrderNumberCannotLeaveTheHistoryFolder)
{
    EXPECT_EQ(SanitiseOrderNumber("123"), "123");
    EXPECT_EQ(SanitiseOrderNumber("..\\..\\Windows\\x"), "______Windows_x");
    EXPECT_EQ(SanitiseOrderNumber("C:x<y>\"z\"|?*"), "C_x_y__z____");
    EXPECT_EQ(SanitiseOrderNumber("1)2(3"), "1_2_3");
    EXPECT_EQ(SanitiseOrderNumber(std::string("1\r\n\t\x7f\xe9", 6)), "1_____");
    EXPECT_EQ(SanitiseOrderNumber(std::string(100, '9')), std::string(kMaxOrderNumberText, '9'));
}

// Names are read as "%d-%d-%d %d.%d.%d (%[^)]" reads them, and only with a
// real date and time. Names that are no date, and a month 13, are skipped end
// to end (tests/wine/test_history.py); an index's impossible times are read
// whole (RecordsBuildTheTreeUpToTheFirstRecordThatIsNotWhole).
TEST(HistoryName, ParsedAsTheListingPatternReadsNames)
{
    const struct {
        std::string name;
        bool parsed;
        std::string number;
    } cases[] = {
        {"2008-3-5   4.3.2(x)y).dat", true, "x"},
        {"2008-03-05 14.03.22.dat", true, ""},
        {"2008-03-05 14.03.22 (" + std::string(300, '7') + ").dat", true, std::string(255, '7')},
        {"2008-00-40 99.-1.05 (7).dat", false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        HistoryName name;
        EXPECT_EQ(ParseHistoryName(c.name, name), c.parsed);
        EXPECT_EQ(name.orderNumber, c.number);
    }
}

TEST(HistoryName, FileNameFromTimeAndOrderNumberAndRebuiltFromTheTree)
{
    EXPECT_EQ(HistoryFileName(LocalTime(2008, 12, 31, 0, 0, 9), ""), "History\\2008-12-31 00.00.09 ().dat");
    // Rebuilt, the two colons become full stops only where they stand.
    EXPECT_EQ(HistoryOrderPath(2008, 3, 5, "14:03:22 (123)"), "History\\2008-03-05 14.03.22 (123).dat");
    EXPECT_EQ(HistoryOrderTitle(2008, 3, 5, "14:0"), "2008-03-05 14.0.dat");
    EXPECT_EQ(HistoryOrderTitle(2008, 3, 5, "100:05:07 (1)"), "2008-03-05 100:05:07 (1).dat");
}

// An order's number is two shorts, low word first. The order's summary shows
// with its path.
TEST(HistoryIndex, RecordsBuildTheTreeUpToTheFirstRecordThatIsNotWhole)
{
    IndexBytes index;
    index.Year(2008).Month(3).Day(5).Order(14, 3, 22, 70000);
    CHistoryTree tree;
    tree.ReadIndex(index.bytes.data(), index.bytes.size());
    EXPECT_EQ(Flat(tree.Root()), (Lines{"1:2008", "2:March", "3:5th", "4:14:03:22 (70000)"}));
    EXPECT_EQ(CHistoryTree::OrderPath(FirstOrder(tree)), "History\\2008-03-05 14.03.22 (70000).dat");
    EXPECT_EQ(OrderSummary(CHistoryTree::OrderName(FirstOrder(tree))),
              "Order Number: 70000\r\nPlaced On 05 March 2008 at 14:03.22");
    for (size_t cut = 1; cut <= 10; ++cut) {
        SCOPED_TRACE(cut);
        IndexBytes shorter = index;
        shorter.bytes.resize(index.bytes.size() - cut);
        EXPECT_EQ(FlatIndex(shorter), (Lines{"1:2008", "2:March", "3:5th"}));
    }
}

TEST(HistoryIndex, RecordsThatCannotBePlacedAreSkipped)
{
    const struct {
        const char* what;
        IndexBytes index;
        Lines tree;
    } cases[] = {
        {"unknown tags have no payload", IndexBytes().Year(2008).Short(7).Short(-1).Month(2).Short(4).Day(11),
         {"1:2008", "2:Febuary", "3:11th"}},
        {"no parent: skipped with what follows",
         IndexBytes().Order(1, 2, 3, 4).Day(1).Month(1).Year(2008).Day(9).Order(1, 1, 1, 1).Month(4).Day(2).Order(2, 2, 2, 2),
         {"1:2008", "2:April", "3:2nd", "4:02:02:02 (2)"}},
        {"month beyond twelve skipped, zero is December",
         IndexBytes().Year(2008).Month(13).Day(1).Order(1, 1, 1, 1).Month(0).Day(3).Month(-2).Day(4),
         {"1:2008", "2:December", "3:3rd"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FlatIndex(c.index), c.tree) << c.what;
}

// A name that is no date, months across years, today's latest order, the
// latest earlier day and an empty tree are pinned end to end
// (tests/wine/test_history.py); here the order of the nodes and the walk up
// the tree.
TEST(HistoryFiles, NamesFallIntoAscendingNodesAndOpeningWalksToTheLatestEarlierNode)
{
    CHistoryTree tree;
    for (const char* name : {"2008-03-07 09.00.00 (3).dat", "2008-03-05 14.03.22 (1).dat",
                             "2007-11-30 10.00.00 (5).dat", "2008-03-05 14.03.22 (6).dat"})
        EXPECT_TRUE(tree.AddHistoryFile(name)) << name;
    EXPECT_EQ(Flat(tree.Root()), (Lines{"1:2007", "2:November", "3:30th", "4:10:00:00 (5)",
                                 "1:2008", "2:March", "3:5th", "4:14:03:22 (1)", "4:14:03:22 (6)",
                                 "3:7th", "4:09:00:00 (3)"}));
    const struct {
        int year, month, day;
        const char* expanded;
        const char* selected;
    } cases[] = {
        {2008, 4, 2, "March", "7th"},         // no March day at or before the 2nd
        {2009, 1, 1, "2008", "March"},        // no 2008 month at or before January
        {2006, 12, 31, "", ""},               // nothing that early
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.year << "-" << c.month << "-" << c.day);
        const HistoryOpening opening = tree.OpeningFor(c.year, c.month, c.day);
        EXPECT_EQ(opening.expanded ? opening.expanded->text : "", c.expanded);
        EXPECT_EQ(opening.selected ? opening.selected->text : "", c.selected);
    }
}
