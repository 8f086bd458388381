#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "OrderLines.h"
#include "TempDir.h"
#include "data/DataKey.h"
#include "data/ItemList.h"
#include "data/RecordFormat.h"
#include "data/ScrambledFile.h"

using Lines = std::vector<std::string>;

TEST(RecordFormat, LinesAreWrittenWithSixDecimalsPerKind)
{
    ItemRecord r;
    r.code = "0123456";
    r.auxText = "5000";
    r.size = "32";
    r.price = 2.5;
    r.discount = 1;
    r.quantity = 3;
    r.description = "ASPIRIN TABLETS";
    r.statusText = "Ok";
    r.statusClass = 2;
    EXPECT_EQ(FormatRecordLine(ListKind::Products, r), "0123456\t5000\t32\t2.500000\t1.000000\tASPIRIN TABLETS\n");
    EXPECT_EQ(FormatRecordLine(ListKind::Order, r), "0123456\t32\t2.500000\t3\t1.000000\tASPIRIN TABLETS\t2\n");
    EXPECT_EQ(FormatRecordLine(ListKind::Response, r), "0123456\t32\t2.500000\t3\t1.000000\tASPIRIN TABLETS\tOk\n");
}

// Whole product lines are read by ItemListFileTest's load; here the missing and
// unreadable fields, and numbers too big for 32 bits.
TEST(RecordFormat, MissingFieldsReadEmptyAndHugeNumbersAreClamped)
{
    char product[] = "\t\tSIZE\tabc";
    const ItemRecord p = ParseRecordLine(ListKind::Products, product);
    EXPECT_EQ(p.size, "SIZE");
    EXPECT_DOUBLE_EQ(p.price, 0);
    EXPECT_EQ(p.description, "");
    char line[] = "C\tS\t1\t99999999999999999999\t0\tD\t-99999999999";
    const ItemRecord r = ParseRecordLine(ListKind::Order, line);
    EXPECT_EQ(r.quantity, INT32_MAX);
    EXPECT_EQ(r.statusClass, INT32_MIN);
}

// The first word anchoring at the start and spaces alone matching everything
// are pinned end to end (tests/wine/test_search.py).
TEST(WordMatch, OtherWordsFloatAndUseUpOneOccurrenceEach)
{
    EXPECT_TRUE(CItemList::Matches("ASPIRIN TABLETS", "asp 32", "32"));
    EXPECT_FALSE(CItemList::Matches("ASPIRIN", "a a", ""));   // the first A is used up by the prefix
    EXPECT_TRUE(CItemList::Matches("BANANA", " a a a", ""));
    EXPECT_FALSE(CItemList::Matches("BANANA", " a a a a", ""));
    // A description is turned away by its start before it is copied; a first
    // word longer than the description runs on into the size.
    EXPECT_TRUE(CItemList::Matches("PARA", "para500", "500"));
    // Very long texts are cut, not overflowed.
    const std::string longText(5000, 'A');
    EXPECT_TRUE(CItemList::Matches(longText.c_str(), longText.c_str(), longText.c_str()));
    EXPECT_FALSE(CItemList::Matches("A", longText.c_str(), ""));
}

// Raising a line is pinned end to end (tests/wine/test_search.py); here a line
// read from a file at the 32-bit limit, which stays there.
TEST(ItemList, OnceSetUpTheSameCodeRaisesTheQuantityUpToTheLimit)
{
    CItemList order;
    order.Setup(ListKind::Order);
    AddLine(order, "222", 1, "BANDAGE");
    AddLine(order, "111", INT32_MAX, "ASPIRIN");
    AddLine(order, "111", 1, "ASPIRIN AGAIN");
    EXPECT_EQ(Described(order), (Lines{"222=1", "111=2147483647"}));
    int index = -1;
    EXPECT_EQ(order.FindByCode("111", &index)->description, "ASPIRIN");
    EXPECT_EQ(index, 1);
}

// Sort by class then description, the search's limit of 200 hits in file
// order, every change and a zero line leaving the order rewriting the order
// file, a failed save leaving the old file and retried at the next change, and
// response lines saved into History and shown again are pinned end to end
// (tests/wine/test_order.py, test_search.py, test_send.py, test_history.py).

using ItemListFileTest = TempDirTest;

// Read without its key, a scrambled order looked empty and the first change
// saved over it. No key at all is pinned end to end (tests/wine/test_order.py);
// an empty key counts as none.
TEST_F(ItemListFileTest, AScrambledFileReadWithAnEmptyKeyIsNeverSavedOver)
{
    CFixedKey key(std::string("installation"));
    const std::string path = PathOf("Current.dat");
    {
        CItemList order(&key);
        order.Setup(ListKind::Order);
        order.Load(path.c_str());
        AddLine(order, "111", 2);
    }
    const std::string scrambled = ReadBytes(path);
    CFixedKey empty(std::optional<std::string>(""));
    CItemList order(&empty);
    order.Setup(ListKind::Order);
    EXPECT_FALSE(order.Load(path.c_str()));
    EXPECT_TRUE(order.Unreadable());
    AddLine(order, "333", 1);
    EXPECT_TRUE(order.Unsaved());
    EXPECT_EQ(ReadBytes(path), scrambled);
}

TEST_F(ItemListFileTest, LoadSkipsBlankLinesKeepsFirstOfACodeAndSplitsLongLines)
{
    const std::string path = PathOf("Database.dat");
    std::string longDescription(3000, 'D');
    WriteBytes(path, "A1\tX\t100ML\t2.5\t0\tASPIRIN\r\n\n\nA1\tY\t1\t9\t9\tOTHER\n" "B2\t\t\t1\t0\t" +
                         longDescription + "\n");
    CItemList products;
    products.Setup(ListKind::Products);
    ASSERT_TRUE(products.Load(path.c_str()));
    ASSERT_GE(products.Count(), 3);
    EXPECT_EQ(products.At(0)->description, "ASPIRIN"); // CR LF removed
    EXPECT_EQ(products.FindByCode("A1")->auxText, "X");
    EXPECT_EQ(products.At(1)->code, "B2");
    // The 2,560-byte piece (9 bytes of fields before it) ends mid-description; the rest is a record of its own.
    EXPECT_EQ(products.At(1)->description.size(), 2560u - 9u);
    EXPECT_EQ(products.At(2)->code, std::string(3000 - (2560 - 9), 'D'));
}
