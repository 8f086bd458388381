#include <gtest/gtest.h>

#include "LoopbackFixture.h"

namespace {

// Sixty lines: the order takes several blocks, and so does the reply.
OrderLines ManyLines()
{
    OrderLines lines;
    for (int i = 0; i < 60; ++i)
        lines.emplace_back(std::to_string(2000000 + i), 1);
    lines.emplace_back("1000001", 10);
    return lines;
}

std::string ExpectedReply()
{
    std::string reply = "REPLY~ORDER NUMBER 100001~";
    for (int i = 0; i < 60; ++i)
        reply += std::to_string(2000000 + i) + "*1*1~";
    return reply + "1000001*10*0~FLAGS +P~";
}

ServerOptions WithFaults(const FaultPlan& faults)
{
    ServerOptions options;
    options.faults = faults;
    return options;
}

ClientRun SendOrder(const CTestServer& server, unsigned speedup = 1)
{
    CItemList order;
    FillOrder(order, ManyLines());
    ClientScript script = OrderScript(server.Port(), order, "4711");
    script.speedup = speedup;
    return RunClient(script);
}

void ExpectCompleteExchange(const CTestServer& server, const ClientRun& run)
{
    EXPECT_TRUE(run.orderlyEnd);
    ASSERT_EQ(1u, run.messages.size()) << server.LogText();
    EXPECT_EQ(ExpectedReply(), run.messages[0]);
    EXPECT_EQ(90, server.Stock("1000001"));
}

TEST(FaultInjection, DroppingTheConnectionMidOrderAppliesNothing)
{
    FaultPlan faults;
    faults.dropAfterBlocks = 2;
    CTestServer server(WithFaults(faults));
    const ClientRun run = SendOrder(server);
    EXPECT_FALSE(run.orderlyEnd);
    EXPECT_TRUE(run.messages.empty());
    EXPECT_TRUE(run.linkEnded);
    EXPECT_EQ(100, server.Stock("1000001"));
    EXPECT_EQ(0, server.OrderCount());
    EXPECT_TRUE(server.LogShows("end: dropped by the fault plan"));
}

TEST(FaultInjection, RefusedBlocksAreSentAgainAndTheOrderGoesThrough)
{
    FaultPlan faults;
    faults.nakEvery = 2;
    CTestServer server(WithFaults(faults));
    const ClientRun run = SendOrder(server);
    ExpectCompleteExchange(server, run);
    EXPECT_EQ(1, server.OrderCount());
}

TEST(FaultInjection, ASlowAnswerSendsWackAndTheClientWaits)
{
    FaultPlan faults;
    faults.delayAnswerMs = 700;
    CTestServer server(WithFaults(faults));
    const ClientRun run = SendOrder(server);
    ExpectCompleteExchange(server, run);
    EXPECT_NE(std::string::npos, run.received.find("\x10;")) << "WACK";
    EXPECT_GE(run.elapsedMs, 700);
}

TEST(FaultInjection, ASpoiltCheckIsRefusedByTheClientAndTheBlockSentAgain)
{
    FaultPlan faults;
    faults.corruptEvery = 2;
    CTestServer server(WithFaults(faults));
    const ClientRun run = SendOrder(server);
    ExpectCompleteExchange(server, run);
}

TEST(FaultInjection, ASilentServerMakesTheClientGiveUpItsBid)
{
    FaultPlan faults;
    faults.silentAfterBid = true;
    CTestServer server(WithFaults(faults));
    const ClientRun run = SendOrder(server, 20); // the client's 18 seconds of bidding in under one
    EXPECT_FALSE(run.orderlyEnd);
    EXPECT_FALSE(run.timedOut);
    EXPECT_TRUE(run.linkEnded);
    EXPECT_TRUE(run.received.empty());
    EXPECT_EQ(0, server.OrderCount());
}

TEST(FaultInjection, LineNoiseBeforeEveryAnswerIsIgnoredByTheClient)
{
    FaultPlan faults;
    faults.garbageBytes = 24;
    CTestServer server(WithFaults(faults));
    const ClientRun run = SendOrder(server);
    ExpectCompleteExchange(server, run);
}

} // namespace
