#include <gtest/gtest.h>

#include "LoopbackFixture.h"

namespace {

// Sixty lines: the order takes several blocks, and so does the reply.
constexpr int kLines = 60;

ClientRun SendOrder(const CTestServer& server, unsigned speedup = 1)
{
    OrderLines lines;
    for (int i = 0; i < kLines; ++i)
        lines.emplace_back(std::to_string(2000000 + i), 1);
    lines.emplace_back("1000001", 10);
    CItemList order;
    FillOrder(order, lines);
    ClientScript script = OrderScript(server.Port(), order, "4711");
    script.speedup = speedup;
    return RunClient(script);
}

ServerOptions WithFaults(const FaultPlan& faults)
{
    ServerOptions options;
    options.faults = faults;
    return options;
}

// Faults the link recovers from: the order is answered in full and applied once.
struct Recoverable {
    const char* name;
    int FaultPlan::*option;
    int value;
    const char* evidence; // bytes the client must have received
    int minElapsedMs;
};

const Recoverable kRecoverable[] = {
    {"RefusedBlocksAreSentAgain", &FaultPlan::nakEvery, 2, "\x15", 0},
    {"ASlowAnswerSendsWackAndTheClientWaits", &FaultPlan::delayAnswerMs, 700, "\x10;", 700},
    {"ASpoiltCheckIsRefusedByTheClientAndTheBlockSentAgain", &FaultPlan::corruptEvery, 2, "", 0},
    {"LineNoiseBeforeEveryAnswerIsIgnored", &FaultPlan::garbageBytes, 24, "", 0},
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const Recoverable& fault, std::ostream* out) { *out << fault.name; }

class RecoverableFault : public ::testing::TestWithParam<Recoverable> {};

TEST_P(RecoverableFault, TheOrderGoesThroughOnce)
{
    FaultPlan faults;
    faults.*GetParam().option = GetParam().value;
    CTestServer server(WithFaults(faults));
    const ClientRun run = SendOrder(server);
    EXPECT_TRUE(run.orderlyEnd);
    ASSERT_EQ(1u, run.messages.size()) << server.LogText();
    std::string reply = "REPLY~ORDER NUMBER 100001~";
    for (int i = 0; i < kLines; ++i)
        reply += std::to_string(2000000 + i) + "*1*1~";
    EXPECT_EQ(reply + "1000001*10*0~FLAGS +P~", run.messages[0]);
    EXPECT_EQ(90, server.Stock("1000001"));
    EXPECT_EQ(1, server.OrderCount());
    EXPECT_NE(std::string::npos, run.received.find(GetParam().evidence));
    EXPECT_GE(run.elapsedMs, GetParam().minElapsedMs);
}

INSTANTIATE_TEST_SUITE_P(FaultInjection, RecoverableFault, ::testing::ValuesIn(kRecoverable),
                         [](const ::testing::TestParamInfo<Recoverable>& param) { return param.param.name; });

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

} // namespace
