#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "TempDir.h"
#include "data/ItemList.h"
#include "data/RecordFormat.h"
#include "data/ScrambledFile.h"

namespace {

std::unique_ptr<ItemRecord> Line(const std::string& code, int quantity, const std::string& description = "",
                                 int statusClass = 0)
{
    auto r = std::make_unique<ItemRecord>();
    r->code = code;
    r->quantity = quantity;
    r->description = description;
    r->statusClass = statusClass;
    r->price = 2.5;
    return r;
}

using Strings = std::vector<std::string>;

// Records what the window would be told.
struct RecordingView : IItemListView {
    void RowInserted(int i) override { events.push_back("insert " + std::to_string(i)); }
    void RowDeleted(int i) override { events.push_back("delete " + std::to_string(i)); }
    void RowChanged(int i) override { events.push_back("change " + std::to_string(i)); }
    void RowsReset() override { events.push_back("reset"); }
    int SelectionMark() const override { return mark; }
    void SelectRow(int i) override { events.push_back("select " + std::to_string(i)); }
    void Saved(bool ok) override { events.push_back(ok ? "saved" : "not saved"); }
    void FileUnreadable() override { events.push_back("unreadable"); }
    Strings events;
    int mark = -1;
};

} // namespace

// Whole product lines are read by ItemListFileTest's load; here the short and empty ones.
TEST(RecordFormat, ProductLinesSplitAtEveryTab)
{
    char shortLine[] = "B2\tY\t10";
    ItemRecord r = ParseRecordLine(ListKind::Products, shortLine);
    EXPECT_EQ(r.size, "10");
    EXPECT_DOUBLE_EQ(r.price, 0);
    EXPECT_EQ(r.description, "");

    char emptyFields[] = "\t\tSIZE\tabc\t\t";
    r = ParseRecordLine(ListKind::Products, emptyFields);
    EXPECT_EQ(r.code, "");
    EXPECT_EQ(r.size, "SIZE");
    EXPECT_DOUBLE_EQ(r.price, 0); // text that is no number reads 0
}

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

TEST(RecordFormat, HugeQuantitiesAreClampedNotOverflowed)
{
    char line[] = "C\tS\t1\t99999999999999999999\t0\tD\t-99999999999";
    ItemRecord r = ParseRecordLine(ListKind::Order, line);
    EXPECT_EQ(r.quantity, INT32_MAX);
    EXPECT_EQ(r.statusClass, INT32_MIN);
}

// The first word anchoring at the start and spaces alone matching everything
// are pinned end to end (tests/wine/test_search.py).
TEST(WordMatch, OtherWordsFloatAndUseUpOneOccurrenceEach)
{
    EXPECT_TRUE(CItemList::Matches("ASPIRIN TABLETS", " tab", "32"));
    EXPECT_TRUE(CItemList::Matches("ASPIRIN TABLETS", "asp 32", "32"));
    EXPECT_FALSE(CItemList::Matches("ASPIRIN", "a a", ""));   // the first A is used up by the prefix
    EXPECT_TRUE(CItemList::Matches("BANANA", " a a a", ""));
    EXPECT_FALSE(CItemList::Matches("BANANA", " a a a a", ""));
    EXPECT_FALSE(CItemList::Matches("ASPIRIN", "", ""));      // empty text matches nothing
    // Very long texts are cut, not overflowed.
    const std::string longText(5000, 'A');
    EXPECT_TRUE(CItemList::Matches(longText.c_str(), longText.c_str(), longText.c_str()));
    EXPECT_FALSE(CItemList::Matches("A", longText.c_str(), ""));
}

TEST(ItemList, OnceSetUpTheSameCodeRaisesTheQuantity)
{
    CItemList order;
    order.Setup(ListKind::Order);
    order.AddRecord(Line("111", 2, "ASPIRIN"));
    order.AddRecord(Line("222", 1, "BANDAGE"));
    order.AddRecord(Line("111", 3, "ASPIRIN AGAIN"));
    ASSERT_EQ(order.Count(), 2);
    int index = -1;
    ItemRecord* r = order.FindByCode("111", &index);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(index, 0);
    EXPECT_EQ(r->quantity, 5);
    EXPECT_EQ(r->description, "ASPIRIN");
    EXPECT_EQ(order.FindByCode("333", &index), nullptr);
    EXPECT_EQ(index, 0); // untouched on failure

    // One more of a line read from a file at the 32-bit limit stays there.
    order.AddRecord(Line("444", INT32_MAX));
    order.AddRecord(Line("444", 1));
    EXPECT_EQ(order.FindByCode("444")->quantity, INT32_MAX);
}

TEST(ItemList, BeforeSetUpDuplicatesStayAndFindGivesTheFirst)
{
    CItemList list;
    list.AddRecord(Line("X", 1, "first"));
    list.AddRecord(Line("X", 2, "second"));
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.FindByCode("X")->description, "first");
    list.DeleteLine(0);
    EXPECT_EQ(list.FindByCode("X")->description, "second");
    EXPECT_EQ(list.FindByCode("x"), nullptr); // case matters
}

// Sort by class then description, the search's limit of 200 hits in file
// order, a zero line leaving the order, and response lines saved into History
// and shown again are pinned end to end (tests/wine/test_order.py,
// test_search.py, test_send.py, test_history.py).

using ItemListFileTest = TempDirTest;

TEST_F(ItemListFileTest, EveryOrderChangeRewritesTheOrderFile)
{
    CFixedKey key(std::string("installation"));
    const std::string path = PathOf("Current.dat");
    CItemList order(&key);
    order.Setup(ListKind::Order);
    ASSERT_FALSE(order.Load(path.c_str())); // no order yet: empty, file name kept
    order.AddRecord(Line("111", 2, "ASPIRIN"));
    order.AddRecord(Line("222", 1, "BANDAGE"));
    order.At(1)->quantity = 0;
    order.UpdateRow(1);

    CScrambledFile raw(&key);
    ASSERT_TRUE(raw.Open(path, false));
    char line[256];
    ASSERT_TRUE(raw.ReadLine(line, 255));
    EXPECT_STREQ(line, "111\t\t2.500000\t2\t0.000000\tASPIRIN\t0\n");
    EXPECT_FALSE(raw.ReadLine(line, 255));
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

// Read without its key, a scrambled order looked empty and the first change saved over it.
TEST_F(ItemListFileTest, AScrambledFileReadWithoutItsKeyIsNeverSavedOver)
{
    CFixedKey key(std::string("installation"));
    const std::string path = PathOf("Current.dat");
    {
        CItemList order(&key);
        order.Setup(ListKind::Order);
        order.Load(path.c_str());
        order.AddRecord(Line("111", 2, "ASPIRIN"));
        order.AddRecord(Line("222", 1, "BANDAGE"));
    }
    const std::string scrambled = ReadBytes(path);
    for (const char* noKey : {static_cast<const char*>(nullptr), ""}) {
        CFixedKey missing(noKey ? std::optional<std::string>(noKey) : std::nullopt);
        CItemList order(&missing);
        RecordingView view;
        order.SetView(&view);
        order.Setup(ListKind::Order);
        EXPECT_FALSE(order.Load(path.c_str()));
        EXPECT_TRUE(order.Unreadable());
        order.AddRecord(Line("333", 1, "GAUZE"));
        EXPECT_EQ(view.events, (Strings{"unreadable", "insert 0", "change 0", "not saved"}));
        EXPECT_TRUE(order.Unsaved());
        EXPECT_EQ(ReadBytes(path), scrambled);
    }
}

TEST_F(ItemListFileTest, AFailedSaveIsMarkedUntilALaterChangeSaves)
{
    const std::string path = PathOf("Current.dat");
    CItemList order;
    RecordingView view;
    order.SetView(&view);
    order.Setup(ListKind::Order);
    order.Load(path.c_str());
    order.AddRecord(Line("1", 1));
    const std::string first = ReadBytes(path);
    std::filesystem::create_directory(path + ".new"); // the save can't be written
    order.AddRecord(Line("2", 1));
    EXPECT_TRUE(order.Unsaved());
    EXPECT_EQ(ReadBytes(path), first); // the old file stays whole
    std::filesystem::remove(path + ".new");
    order.AddRecord(Line("3", 1));
    EXPECT_FALSE(order.Unsaved());
    EXPECT_EQ(view.events, (Strings{"insert 0", "change 0", "saved", "insert 1", "change 1", "not saved", "insert 2",
                                    "change 2", "saved"}));
    EXPECT_EQ(ReadBytes(path), first + "2\t\t2.500000\t1\t0.000000\t\t0\n3\t\t2.500000\t1\t0.000000\t\t0\n");
    EXPECT_FALSE(order.Save(PathOf("missing-folder/Current.dat").c_str()));
}
