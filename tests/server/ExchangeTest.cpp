#include <gtest/gtest.h>

#include "LoopbackClient.h"
#include "UpdateMessage.h"

namespace {

// The reply lost as it arrived: the same order sent again gets the same
// reply, and is neither stored nor delivered twice.
TEST(Exchange, AnOrderSentAgainAfterTheReplyWasLostIsAnsweredAsBefore)
{
    CTestServer server;
    ClientScript script = OrderScript(server.Port(), {{"1000001", 10}}, "4711");
    script.loseFirstMessage = true;
    const ClientRun lost = RunClient(script);
    EXPECT_FALSE(lost.orderlyEnd);

    script.loseFirstMessage = false;
    const ClientRun again = RunClient(script);
    EXPECT_TRUE(again.orderlyEnd);
    EXPECT_EQ(std::vector<std::string>{"REPLY~ORDER NUMBER 100001~1000001*10*0~FLAGS +P~"}, again.messages);
    EXPECT_EQ(lost.messages, again.messages);
    EXPECT_EQ(90, server.Stock("1000001"));
    EXPECT_EQ(1, server.OrderCount());
    EXPECT_TRUE(server.LogShows("sent again, answered as before"));
}

// Here the byte trace is asked for too.
TEST(Exchange, OnlyAnOlderClientIsSentTheProgramUpdate)
{
    std::string program = "MZ"; // 1,000 bytes: the last group of three is one byte short of full
    for (int i = 0; i < 998; ++i)
        program.push_back(static_cast<char>(i * 7));
    ServerOptions options;
    options.updateVersion = 1.7;
    options.trace = true;
    CTestServer server(options, CTestServer::SmallCatalogue, ComposeUpdateMessage(program));
    ClientScript script = OrderScript(server.Port(), {{"1000001", 1}}, "4711", 1700000100, 1.7);
    script.updatePath = server.Dir().Path("one");
    EXPECT_EQ(1u, RunClient(script).messages.size()) << "a client of that version gets no update";

    script.order.version = 1.6;
    const ClientRun run = RunClient(script);
    EXPECT_TRUE(run.orderlyEnd);
    ASSERT_EQ(2u, run.messages.size());
    EXPECT_EQ(0u, run.messages[1].find("EXEUPDATE~"));
    // The file travels in groups of three bytes: zeros fill the last group.
    EXPECT_TRUE(ReadText(script.updatePath) == program + std::string(2, '\0'));
    for (const char* line : {"update sent", "Client: {ENQ}", "Server: {DLE}0", "B. Disconnecting"})
        EXPECT_TRUE(server.LogShows(line)) << line;
}

// Faults the link recovers from: the order is answered in full and applied
// once. Sixty lines, so that the order takes several blocks, and so does the
// reply. (The Wine tests send through every fault, these included.)
TEST(Exchange, FaultsOnTheLineAreOvercomeAndTheOrderGoesThroughOnce)
{
    const struct {
        int FaultPlan::*option;
        int value;
        const char* evidence; // bytes the client must have received
        int minElapsedMs;
    } faults[] = {
        {&FaultPlan::nakEvery, 2, "\x15", 0},        // refused blocks are sent again
        {&FaultPlan::delayAnswerMs, 700, "\x10;", 700}, // a slow answer sends WACK and the client waits
        {&FaultPlan::corruptEvery, 2, "", 0},        // a spoilt check is refused and the block sent again
        {&FaultPlan::garbageBytes, 24, "", 0},       // line noise before every answer is ignored
    };
    OrderLines lines;
    std::string reply = "REPLY~ORDER NUMBER 100001~";
    for (int i = 0; i < 60; ++i) {
        lines.emplace_back(std::to_string(2000000 + i), 1);
        reply += std::to_string(2000000 + i) + "*1*1~";
    }
    lines.emplace_back("1000001", 10);
    for (const auto& fault : faults) {
        SCOPED_TRACE(fault.value);
        ServerOptions options;
        options.faults.*fault.option = fault.value;
        CTestServer server(options);
        const ClientRun run = RunClient(OrderScript(server.Port(), lines, "4711"));
        EXPECT_TRUE(run.orderlyEnd);
        EXPECT_EQ(std::vector<std::string>{reply + "1000001*10*0~FLAGS +P~"}, run.messages) << server.LogText();
        EXPECT_EQ(90, server.Stock("1000001"));
        EXPECT_EQ(1, server.OrderCount());
        EXPECT_NE(std::string::npos, run.received.find(fault.evidence));
        EXPECT_GE(run.elapsedMs, fault.minElapsedMs);
    }
}

} // namespace
