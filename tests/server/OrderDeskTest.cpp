#include <gtest/gtest.h>

#include <sqlite3.h>

#include <chrono>
#include <string>
#include <thread>

#include "OrderDesk.h"
#include "StoreWorker.h"
#include "TestServer.h"

namespace {

// The reply's fields are pinned by the order desk's answers below; here codes
// and memo bytes that the link can't carry are left out.
TEST(ComposeReply, LeavesOutWhatTheLinkCannotCarry)
{
    OrderOutcome outcome;
    outcome.knownAccount = true;
    outcome.orderNumber = 7;
    outcome.lines = {{"X9", 5, kPartDelivered}, {"Q\xAC", 1, kItemNotFound}, {"", 1, kItemNotFound}};
    EXPECT_EQ("REPLY~ORDER NUMBER 7~X9*5*3~FLAGS +P~MEMO Closed on Monday~",
              ComposeReply(outcome, true, "Closed~ on\x03 Monday"));
    EXPECT_EQ("REPLY~ORDER NUMBER 7~X9*5*3~FLAGS -P~", ComposeReply(outcome, false, "~"));
}

class OrderDeskTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(m_store.Open(m_dir.Path("orders.db"), &error)) << error;
        CTestServer::SmallCatalogue(m_store);
    }

    static std::string Order(const char* account, const char* lines)
    {
        return std::string("10~0~QN~1.600~QUARN  1.600*1700000000*1700000100*WinXP*INET~ORDER SET 666~ACC ") +
               account + "~" + lines;
    }

    CTempFolder m_dir;
    COrderStore m_store;
    COrderDesk m_desk{m_store};
};

// Delivered, part delivered (the second line of an item takes what the
// first left), out of stock, discontinued though stock is left, unknown, and
// a quantity that is none, negative or unreadable. An unknown account gets
// status 6 on every line, and nothing of its order is stored.
TEST_F(OrderDeskTest, AppliesAnOrderAndItsStockTogetherButNoneFromAnUnknownAccount)
{
    const OrderOutcome o = m_desk.Answer(
        Order("4711", "1000001*10~1000002*3~1000002*3~1000003*1~1000004*2~9999999*1~1000001*0~1000001*-4~1000001*x~"),
        0);
    EXPECT_EQ("REPLY~ORDER NUMBER 100001~1000001*10*0~1000002*3*0~1000002*1*3~1000003*1*7~1000004*2*2~9999999*1*1~"
              "1000001*0*4~1000001*-4*4~1000001*0*4~FLAGS +P~",
              o.reply);
    EXPECT_EQ(90, StockOf(m_store, "1000001"));
    EXPECT_EQ(0, StockOf(m_store, "1000002"));
    EXPECT_EQ(30, StockOf(m_store, "1000004"));

    EXPECT_EQ("REPLY~ORDER NUMBER 100002~1000001*1*0~FLAGS -P~MEMO Closed on Monday~",
              m_desk.Answer(Order("1002", "1000001*1~"), 0).reply);

    EXPECT_EQ("REPLY~1000001*10*6~1000003*1*6~", m_desk.Answer(Order("0000", "1000001*10~1000003*1~"), 0).reply);
    EXPECT_EQ(89, StockOf(m_store, "1000001"));
    EXPECT_EQ(2, m_store.OrderCount());
}

// Only the account's latest order, unconfirmed and recent, counts as sent
// again: a standing order placed twice a day is two orders. The same text
// again after a lost reply, answered as before and not applied twice, is
// pinned over the loopback (ExchangeTest).
TEST_F(OrderDeskTest, OnlyTheAccountsLatestRecentUnconfirmedOrderIsTakenForAResend)
{
    const struct {
        time_t firstAt;
        bool confirmed;      // the pharmacy's program took the first reply
        const char* between; // another order of the account meanwhile, or null
        time_t againAt;
    } cases[] = {
        {100, true, nullptr, 100},
        {1000, false, nullptr, 1000 + kResendWindowSeconds + 1},
        {5000, false, "1000002*1~", 5001},
    };
    int quantity = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.firstAt);
        const std::string standing = Order("4711", ("1000001*" + std::to_string(++quantity) + "~").c_str());
        const OrderOutcome first = m_desk.Answer(standing, c.firstAt);
        if (c.confirmed)
            m_desk.Confirm(first.orderNumber);
        if (c.between)
            m_desk.Answer(Order("4711", c.between), c.firstAt);
        const OrderOutcome again = m_desk.Answer(standing, c.againAt);
        EXPECT_FALSE(again.replayed);
        EXPECT_NE(again.reply, first.reply);
    }
    EXPECT_EQ(100 - 2 * (1 + 2 + 3), StockOf(m_store, "1000001"));
    EXPECT_EQ(7, m_store.OrderCount());
}

// One account can't fill the disk: a longer order than allowed is refused
// whole, and so is any order beyond the allowed number a minute; each is
// answered with every line kept and a memo.
TEST_F(OrderDeskTest, OrdersOverTheLimitsAreRefusedWholeAndNothingOfThemIsStored)
{
    COrderDesk desk(m_store, DeskLimits{3, 2});
    const OrderOutcome longOne = desk.Answer(Order("4711", "1000001*1~1000001*1~1000001*1~1000001*1~"), 0);
    EXPECT_EQ("order refused: 4 lines, at most 3", longOne.refused);
    EXPECT_EQ("REPLY~1000001*1*5~1000001*1*5~1000001*1*5~1000001*1*5~FLAGS +P~MEMO Too many lines in one order (at "
              "most 3): please send it in parts.~",
              longOne.reply);
    std::vector<std::string> refusals;
    for (const time_t at : {0, 10, 20, 61})
        refusals.push_back(desk.Answer(Order("4711", ("1000001*" + std::to_string(at + 1) + "~").c_str()), at).refused);
    EXPECT_EQ((std::vector<std::string>{"", "", "order refused: at most 2 orders a minute from one address for the account",
                                        ""}),
              refusals);
    EXPECT_EQ(3, m_store.OrderCount());
    EXPECT_EQ(100 - 1 - 11 - 62, StockOf(m_store, "1000001"));
}

// An order waits for the store only while there is room, and one whose
// client has gone before it was acknowledged is dropped unstored.
TEST_F(OrderDeskTest, TheStoreQueueIsBoundedAndDropsOrdersWhoseClientLeft)
{
    auto store = std::make_unique<COrderStore>();
    std::string error;
    ASSERT_TRUE(store->Open(m_dir.Path("orders.db"), &error)) << error;
    sqlite3* lock = nullptr;
    ASSERT_EQ(SQLITE_OK, sqlite3_open(m_dir.Path("orders.db").c_str(), &lock));
    ASSERT_EQ(SQLITE_OK, sqlite3_exec(lock, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr));
    CStoreWorker worker(std::move(store));
    ASSERT_TRUE(worker.Start());
    ASSERT_TRUE(worker.SubmitOrder(16, "127.0.0.1", Order("4711", "1000001*1~")));
    std::this_thread::sleep_for(std::chrono::milliseconds(100)); // the desk has it and waits for the lock
    ASSERT_TRUE(worker.SubmitOrder(17, "127.0.0.1", Order("4711", "1000001*2~")));
    ASSERT_TRUE(worker.SubmitOrder(18, "127.0.0.1", Order("4711", "1000001*4~")));
    worker.CancelOrder(17);
    const std::string big(CStoreWorker::kMaxWaitingBytes / 2, '~');
    EXPECT_TRUE(worker.SubmitOrder(30, "127.0.0.1", big));
    EXPECT_FALSE(worker.SubmitOrder(31, "127.0.0.1", big)) << "beyond the bound an order is refused at once";
    worker.CancelOrder(30);
    sqlite3_exec(lock, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(lock);

    std::vector<uint64_t> answered;
    for (int i = 0; i < 300 && answered.size() < 2; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        for (const StoreResult& result : worker.TakeResults())
            answered.push_back(result.connection);
    }
    EXPECT_EQ((std::vector<uint64_t>{16, 18}), answered);
    EXPECT_EQ(95, StockOf(m_store, "1000001"));
}

TEST_F(OrderDeskTest, AFailureInsideAnOrderLeavesNoTraceOfIt)
{
    sqlite3* db = nullptr;
    ASSERT_EQ(SQLITE_OK, sqlite3_open(m_dir.Path("orders.db").c_str(), &db));
    ASSERT_EQ(SQLITE_OK, sqlite3_exec(db,
                                      "CREATE TRIGGER boom BEFORE INSERT ON order_lines WHEN NEW.code = '1000003' "
                                      "BEGIN SELECT RAISE(ABORT, 'disk trouble'); END",
                                      nullptr, nullptr, nullptr));
    sqlite3_close(db);

    const OrderOutcome o = m_desk.Answer(Order("4711", "1000001*10~1000002*1~1000003*1~"), 0);
    EXPECT_FALSE(o.stored);
    EXPECT_TRUE(o.reply.empty()) << "no reply for an order that was not stored";
    EXPECT_EQ(4, StockOf(m_store, "1000002")) << "the line before the failure was taken back";
    EXPECT_EQ(0, m_store.OrderCount());

    EXPECT_TRUE(m_desk.Answer(Order("4711", "1000001*1~"), 0).stored) << "the store works on after the failure";
    EXPECT_EQ(99, StockOf(m_store, "1000001"));
}

} // namespace
