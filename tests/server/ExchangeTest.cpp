#include <gtest/gtest.h>

#include "LoopbackFixture.h"
#include "UpdateMessage.h"
#include "data/DataKey.h"

namespace {

// The order in progress, as the program keeps it in its scrambled Current.dat.
class ExchangeTest : public ::testing::Test {
protected:
    void WriteCurrent(const OrderLines& lines)
    {
        CItemList order(&m_keys);
        FillOrder(order, lines);
        ASSERT_TRUE(order.Save(CurrentDat().c_str()));
    }

    void LoadCurrent(CItemList& order) const
    {
        order.Setup(ListKind::Order);
        order.Load(CurrentDat().c_str());
    }

    // Sends Current.dat from the account and applies the reply to it, as the program does.
    ClientRun SendCurrent(const std::string& account, CItemList& response, double version = 1.6,
                          bool loseReply = false)
    {
        CItemList order(&m_keys);
        LoadCurrent(order);
        ClientScript script = OrderScript(m_server->Port(), order, account, 1700000100, version);
        script.response = &response;
        script.orderCounter = 41;
        script.updatePath = m_server->Dir().Path("one");
        script.loseFirstMessage = loseReply;
        return RunClient(script);
    }

    std::string CurrentDat() const { return m_server->Dir().Path("Current.dat"); }

    void StartServer(ServerOptions options = ServerOptions(), std::string update = std::string())
    {
        m_server = std::make_unique<CTestServer>(options, CTestServer::SmallCatalogue, std::move(update));
        ASSERT_TRUE(m_server->Running());
    }

    CFixedKey m_keys{std::string("Quarn")};
    std::unique_ptr<CTestServer> m_server;
};

TEST_F(ExchangeTest, TheReplyIsAppliedToCurrentDatWithTheAccountsFlagAndMemo)
{
    StartServer();
    WriteCurrent({{"1000001", 10}, {"1000002", 6}, {"1000003", 2}, {"1000004", 1}, {"7777777", 3}});
    CItemList response;
    const ClientRun run = SendCurrent("4711", response);
    ASSERT_TRUE(run.orderlyEnd) << m_server->LogText();
    EXPECT_EQ("100001", run.orderNumber);
    EXPECT_EQ(42, run.orderCounter);
    ASSERT_TRUE(run.outcome.showPrice.has_value());
    EXPECT_TRUE(*run.outcome.showPrice);

    ASSERT_EQ(5, response.Count());
    EXPECT_EQ("Ok", response.FindByCode("1000001")->statusText);
    EXPECT_EQ("4 Ordered", response.FindByCode("1000002")->statusText);
    EXPECT_EQ("Out Of Stock", response.FindByCode("1000003")->statusText);
    EXPECT_EQ("Not Available", response.FindByCode("1000004")->statusText);
    EXPECT_EQ("Item Not Found", response.FindByCode("7777777")->statusText);

    CItemList current(&m_keys);
    LoadCurrent(current);
    ASSERT_EQ(4, current.Count()) << "the delivered line has left the order";
    EXPECT_EQ(nullptr, current.FindByCode("1000001"));
    EXPECT_EQ(2, current.FindByCode("1000002")->quantity) << "what was not delivered is still wanted";
    EXPECT_EQ(1, current.FindByCode("1000002")->statusClass);
    EXPECT_EQ(2, current.FindByCode("1000003")->statusClass);
    EXPECT_EQ(3, current.FindByCode("1000004")->statusClass);
    EXPECT_EQ(3, current.FindByCode("7777777")->statusClass);

    EXPECT_EQ(90, m_server->Stock("1000001"));
    EXPECT_EQ(0, m_server->Stock("1000002"));

    // The remainder goes again later, here from an account without prices, and
    // gets the next order number, its flag and its memo.
    CItemList again;
    const ClientRun next = SendCurrent("1002", again);
    EXPECT_EQ("100002", next.orderNumber);
    EXPECT_EQ("Out Of Stock", again.FindByCode("1000002")->statusText);
    ASSERT_TRUE(next.outcome.showPrice.has_value());
    EXPECT_FALSE(*next.outcome.showPrice);
    EXPECT_EQ(std::vector<std::string>{"Closed on Monday"}, next.outcome.memos);
}

TEST_F(ExchangeTest, AnOrderSentAgainAfterTheReplyWasLostIsNotDeliveredTwice)
{
    StartServer();
    WriteCurrent({{"1000001", 10}});
    CItemList lost;
    const ClientRun first = SendCurrent("4711", lost, 1.6, true);
    EXPECT_FALSE(first.orderlyEnd);
    EXPECT_EQ("Failed", lost.FindByCode("1000001")->statusText);

    CItemList response;
    const ClientRun again = SendCurrent("4711", response);
    EXPECT_TRUE(again.orderlyEnd);
    EXPECT_EQ("100001", again.orderNumber) << "the same order, answered as before";
    EXPECT_EQ("Ok", response.FindByCode("1000001")->statusText);
    EXPECT_EQ(90, m_server->Stock("1000001"));
    EXPECT_EQ(1, m_server->OrderCount());
    EXPECT_TRUE(m_server->LogShows("sent again, answered as before"));
}

TEST_F(ExchangeTest, AnOlderClientIsSentTheProgramUpdate)
{
    std::string program = "MZ"; // 1,000 bytes: the last group of three is one byte short of full
    for (int i = 0; i < 998; ++i)
        program.push_back(static_cast<char>(i * 7));
    ServerOptions options;
    options.updateVersion = 1.7;
    StartServer(options, ComposeUpdateMessage(program));
    WriteCurrent({{"1000001", 1}});

    CItemList current;
    const ClientRun newer = SendCurrent("4711", current, 1.7);
    EXPECT_EQ(1u, newer.messages.size()) << "a client of that version gets no update";

    CItemList response;
    const ClientRun run = SendCurrent("4711", response, 1.6);
    EXPECT_TRUE(run.orderlyEnd);
    ASSERT_EQ(2u, run.messages.size());
    EXPECT_EQ(0u, run.messages[1].find("EXEUPDATE~"));
    // The file travels in groups of three bytes: zeros fill the last group.
    const std::string written = ReadText(m_server->Dir().Path("one"));
    ASSERT_EQ(1002u, written.size());
    EXPECT_TRUE(written == program + std::string(2, '\0'));
    EXPECT_TRUE(m_server->LogShows("update sent"));
}

TEST_F(ExchangeTest, TheByteTraceGoesToTheLogWhenAsked)
{
    ServerOptions options;
    options.trace = true;
    StartServer(options);
    WriteCurrent({{"1000001", 1}});
    CItemList response;
    SendCurrent("4711", response);
    EXPECT_TRUE(m_server->LogShows("Client: {ENQ}"));
    EXPECT_TRUE(m_server->LogShows("Server: {DLE}0"));
    EXPECT_TRUE(m_server->LogShows("B. Disconnecting"));
}

} // namespace
