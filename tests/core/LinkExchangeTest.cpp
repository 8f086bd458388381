// Whole conversations: two engines, client and server, against each other.
// The client's side byte by byte is in the place-order session's tests.
#include <gtest/gtest.h>

#include <random>

#include "LinkRig.h"

namespace {

// Two stations joined by a line that delivers each piece of output in random
// splits. The server answers the order with its reply and takes the client's
// "OK" without a word; the client answers each message with "OK" and, like the
// place-order dialog, drops the line once Disconnecting.
class TwoStations {
public:
    explicit TwoStations(unsigned seed) : m_random(seed) {}

    void Run()
    {
        client.Idle(order);
        server.Idle();
        for (int guard = 0; guard < 100000 && Step(); ++guard) {
        }
    }

    LinkRig client{LinkStation::Client};
    LinkRig server{LinkStation::Server};
    std::string order;
    std::string reply;
    uint64_t storeMs = 0; // the server answers no sooner

private:
    // Delivers what waits on either side; when nothing does, lets time pass.
    bool Step()
    {
        const bool stored = server.timers.Now() >= storeMs;
        if (Deliver(client, server) | Deliver(server, client) |
            (stored && Answer(server, m_serverAnswered, m_serverAnswered ? "" : reply)) |
            Answer(client, m_clientAnswered, "OK"))
            return true;
        if (client.engine.State() == kLinkDisconnecting)
            client.engine.Reset(); // as the closed socket does
        if (client.engine.State() == kLinkDisconnected && server.engine.State() == kLinkDisconnected)
            return false;
        client.Advance(100);
        server.Advance(100);
        return true;
    }

    // Hands what one station sent to the other in random pieces.
    bool Deliver(LinkRig& from, LinkRig& to)
    {
        std::string bytes = from.TakeSent();
        const bool moved = !bytes.empty();
        for (size_t piece = 0; !bytes.empty(); bytes.erase(0, piece)) {
            piece = std::uniform_int_distribution<size_t>(1, bytes.size())(m_random);
            to.Feed(bytes.substr(0, piece));
        }
        return moved;
    }

    // The station's owner answers its newest message.
    static bool Answer(LinkRig& station, size_t& answered, const std::string& answer)
    {
        if (answered == station.messages.size())
            return false;
        answered = station.messages.size();
        station.Finish(answer);
        return true;
    }

    std::mt19937 m_random;
    size_t m_clientAnswered = 0, m_serverAnswered = 0;
};

} // namespace

// While the server stores the order it WACKs each of the client's bids: a
// slow store must not make the client give the order up. The order's notes
// are longer than a block and go a byte or two a block, in random splits.
TEST(LinkExchange, AClientWaitsOutASlowStoreBehindWacks)
{
    TwoStations line(1);
    line.order = "ACC 4711~ORDER NOTES Full fill, call Bill - " + std::string(400, 'l') + "~A*1~";
    line.reply = "REPLY~ORDER NUMBER 99~";
    line.storeMs = 20000;
    line.Run();
    EXPECT_EQ(line.server.messages, (std::vector<std::string>{line.order, "OK"}));
    EXPECT_EQ(line.client.messages, std::vector<std::string>{line.reply});
    EXPECT_TRUE(line.server.engine.OrderlyEnd());
}
