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

    script.loseFirstMessage = false;
    const ClientRun again = RunClient(script);
    EXPECT_TRUE(again.orderlyEnd);
    EXPECT_EQ(std::vector<std::string>{"REPLY~ORDER NUMBER 100001~1000001*10*0~FLAGS +P~"}, again.messages);
    EXPECT_EQ(lost.messages, again.messages);
    EXPECT_EQ(90, server.Stock("1000001"));
    EXPECT_EQ(1, server.OrderCount());
    EXPECT_TRUE(server.LogShows("sent again, answered as before"));
}

// A stranger who knows the pharmacy's account number can't lock it out: the
// rate is counted per account and address. An order over the rate is
// answered, every line kept as a server error, with a memo that says why.
TEST(Exchange, AFloodFromAnotherAddressLeavesThePharmacyItsOrdersAndARefusalIsAnswered)
{
    ServerOptions options;
    options.limits.ordersPerMinute = 1;
    CTestServer server(options);
    EXPECT_EQ(1u, RunClient(OrderScript(server.Port(), {{"1000001", 1}}, "4711", 1)).messages.size());
    ClientScript pharmacy = OrderScript(server.Port(), {{"1000001", 2}}, "4711", 2);
    pharmacy.from = "127.0.0.2";
    EXPECT_EQ(std::vector<std::string>{"REPLY~ORDER NUMBER 100002~1000001*2*0~FLAGS +P~"},
              RunClient(pharmacy).messages);

    const ClientRun refused = RunClient(OrderScript(server.Port(), {{"1000001", 4}, {"1000003", 1}}, "4711", 3));
    EXPECT_TRUE(refused.orderlyEnd);
    EXPECT_EQ(std::vector<std::string>{"REPLY~1000001*4*5~1000003*1*5~FLAGS +P~MEMO Too many orders in a minute, "
                                       "try again shortly.~"},
              refused.messages);
    EXPECT_EQ(97, server.Stock("1000001"));
    EXPECT_TRUE(server.LogShows("REFUSED: account 4711: order refused: at most 1 orders a minute from one address"));
}

// The update goes as a second message, only to a client older than its
// version. The byte trace is asked for here too.
TEST(Exchange, OnlyAnOlderClientIsSentTheProgramUpdate)
{
    const std::string program = "MZ program"; // the last group of three is two bytes short of full
    ServerOptions options;
    options.updateVersion = 1.7;
    options.trace = true;
    CTestServer server(options, CTestServer::SmallCatalogue, ComposeUpdateMessage(program));
    ClientScript script = OrderScript(server.Port(), {{"1000001", 1}}, "4711");
    script.order.version = 1.7;
    script.updatePath = server.Dir().Path("one");
    EXPECT_EQ(1u, RunClient(script).messages.size()) << "a client of that version gets no update";

    script.order.version = 1.6;
    const ClientRun run = RunClient(script);
    EXPECT_TRUE(run.orderlyEnd);
    EXPECT_EQ(2u, run.messages.size());
    // The file travels in groups of three bytes: zeros fill the last group.
    EXPECT_EQ(program + std::string(2, '\0'), ReadBytes(script.updatePath));
    for (const char* line : {"update sent", "Client: {ENQ}", "Server: {DLE}0", "B. Disconnecting"})
        EXPECT_TRUE(server.LogShows(line)) << line;
}

} // namespace
