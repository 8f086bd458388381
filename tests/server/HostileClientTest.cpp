#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "LoopbackFixture.h"

namespace {

std::string Block(const std::string& data, char end)
{
    char check = end;
    for (char c : data)
        check ^= c;
    return "\x02" + data + end + check;
}

// The exchange every well-behaved client should still get while others
// misbehave, well before any of the server's timeouts could have freed it.
void ExpectServed(const CTestServer& server)
{
    CItemList order;
    FillOrder(order, {{"1000001", 1}});
    const ClientRun run = RunClient(OrderScript(server.Port(), order, "4711"));
    EXPECT_TRUE(run.orderlyEnd) << server.LogText();
    EXPECT_LT(run.elapsedMs, 2500);
}

TEST(HostileClient, AnOversizeBlockIsRefusedAndTheServerCarriesOn)
{
    CTestServer server;
    const int fd = ConnectLoopback(server.Port());
    ASSERT_GE(fd, 0);
    ASSERT_TRUE(SendAll(fd, "\x05"));
    EXPECT_EQ("\x10" "0", ReadFor(fd, 500)) << "the bid granted";
    ASSERT_TRUE(SendAll(fd, Block(std::string(5000, 'A'), '\x03')));
    EXPECT_EQ("\x15", ReadFor(fd, 500)) << "NAK: no block is longer than 266 bytes";
    ExpectServed(server);
    close(fd);
}

TEST(HostileClient, GarbageNeverCrashesTheServer)
{
    CTestServer server;
    const int fd = ConnectLoopback(server.Port());
    ASSERT_GE(fd, 0);
    std::string noise;
    uint32_t x = 12345;
    for (int i = 0; i < 200000; ++i) {
        x = x * 1103515245u + 12345u;
        noise.push_back(static_cast<char>(x >> 16));
    }
    SendAll(fd, noise);
    ReadFor(fd, 300);
    ExpectServed(server);
    close(fd);
}

TEST(HostileClient, EndlessBidsEndWithTheExchangeTimeout)
{
    ServerOptions options;
    options.exchangeTimeoutMs = 1000;
    CTestServer server(options);
    const int fd = ConnectLoopback(server.Port());
    ASSERT_GE(fd, 0);
    const auto start = std::chrono::steady_clock::now();
    bool closed = false;
    for (int i = 0; i < 300 && !closed && SendAll(fd, "\x05\x05\x05\x05"); ++i)
        ReadFor(fd, 10, &closed);
    EXPECT_TRUE(closed || WaitForClose(fd, 1000));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(4));
    EXPECT_TRUE(server.LogShows("end: exchange timeout"));
    close(fd);
}

TEST(HostileClient, AClientThatNeverEndsItsTurnIsDroppedAndDelaysNoOne)
{
    ServerOptions options;
    options.idleTimeoutMs = 3000;
    CTestServer server(options);
    const int fd = ConnectLoopback(server.Port());
    ASSERT_GE(fd, 0);
    ASSERT_TRUE(SendAll(fd, "\x05"));
    ReadFor(fd, 200);
    ASSERT_TRUE(SendAll(fd, "\x02half a block"));
    ExpectServed(server);
    EXPECT_TRUE(WaitForClose(fd, 6000));
    EXPECT_TRUE(server.LogShows("end: idle timeout"));
    close(fd);
}

TEST(HostileClient, AClientThatNeverReadsIsDroppedWhenItsOutputIsFull)
{
    CTestServer server;
    const int fd = ConnectLoopback(server.Port());
    ASSERT_GE(fd, 0);
    // Every ENQ while the bid is granted asks for the grant again: two bytes back
    // for each one sent, and this client never reads them. 400 x 64 KiB fills the
    // kernel's buffers on both sides and then the server's own.
    const std::string bids(64 * 1024, '\x05');
    for (int i = 0; i < 400; ++i)
        if (!SendAll(fd, bids))
            break;
    ExpectServed(server);
    EXPECT_TRUE(server.LogShows("end: client does not read"));
    close(fd);
}

} // namespace
