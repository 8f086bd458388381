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
        if (Deliver(client, server) | Deliver(server, client) | (stored && Answer(server, m_serverAnswered ? "" : reply)) |
            Answer(client, "OK"))
            return true;
        if (client.engine.State() == kLinkDisconnecting)
            client.Do([](CBiSyncEngine& e) { e.Reset(); });
        if (client.engine.State() == kLinkDisconnected && server.engine.State() == kLinkDisconnected)
            return false;
        client.Advance(100);
        server.Advance(100);
        return true;
    }

    bool Deliver(LinkRig& from, LinkRig& to)
    {
        size_t& done = &from == &client ? m_clientDone : m_serverDone;
        bool moved = false;
        for (; done < from.events.size(); ++done) {
            const LinkEvent& event = from.events[done].event;
            if (event.kind != LinkEvent::Kind::Send)
                continue;
            std::string bytes(event.bytes.begin(), event.bytes.end());
            while (!bytes.empty()) {
                size_t piece = std::uniform_int_distribution<size_t>(1, bytes.size())(m_random);
                to.Feed(bytes.substr(0, piece));
                bytes.erase(0, piece);
            }
            moved = true;
        }
        return moved;
    }

    bool Answer(LinkRig& station, const std::string& answer)
    {
        size_t& answered = &station == &client ? m_clientAnswered : m_serverAnswered;
        const size_t count = station.Messages().size();
        if (answered == count)
            return false;
        answered = count;
        station.Finish(answer);
        return true;
    }

    std::mt19937 m_random;
    size_t m_clientDone = 0, m_serverDone = 0, m_clientAnswered = 0, m_serverAnswered = 0;
};

} // namespace

TEST(LinkExchange, ClientAndServerEnginesCarryLongMessagesBothWays)
{
    for (unsigned seed = 1; seed <= 5; ++seed) {
        SCOPED_TRACE(seed);
        TwoStations line(seed);
        for (int i = 0; i < 300; ++i)
            line.order += "ITEM" + std::to_string(i) + "*" + std::to_string(i % 7 + 1) + "~";
        line.order += "ORDER NOTES Full fill, call Bill - " + std::string(400, 'l') + "~";
        line.reply = "REPLY~ORDER NUMBER 99~";
        for (int i = 0; i < 300; ++i)
            line.reply += "ITEM" + std::to_string(i) + "*1*0~";
        line.Run();
        EXPECT_EQ(line.server.Messages(), (std::vector<std::string>{line.order, "OK"}));
        EXPECT_EQ(line.client.Messages(), std::vector<std::string>{line.reply});
        EXPECT_EQ(line.client.Disconnects(), std::vector<int>{1});
        EXPECT_TRUE(line.server.engine.OrderlyEnd());
    }
}

// While the server stores the order it WACKs each of the client's bids: a
// slow store must not make the client give the order up.
TEST(LinkExchange, AClientWaitsOutASlowStoreBehindWacks)
{
    TwoStations line(1);
    line.order = "ACC 4711~A*1~";
    line.reply = "REPLY~ORDER NUMBER 99~";
    line.storeMs = 20000;
    line.Run();
    EXPECT_EQ(line.client.Messages(), std::vector<std::string>{line.reply});
    EXPECT_TRUE(line.server.engine.OrderlyEnd());
}
