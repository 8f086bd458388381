#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "LoopbackFixture.h"
#include "UpdateMessage.h"

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

// Bytes that carry the link on nothing (half a block, a byte at a time)
// don't keep the slot: the idle time runs from the last step of the link.
TEST(HostileClient, AClientDribblingHalfABlockIsDroppedAtTheIdleTimeAndDelaysNoOne)
{
    ServerOptions options;
    options.idleTimeoutMs = 1000;
    CTestServer server(options);
    const int fd = ConnectLoopback(server.Port());
    ASSERT_GE(fd, 0);
    ASSERT_TRUE(SendAll(fd, "\x05"));
    ReadFor(fd, 100);
    const auto start = std::chrono::steady_clock::now();
    bool closed = false;
    for (char c : std::string("\x02half a block"))
        if (!closed && SendAll(fd, std::string(1, c)))
            ReadFor(fd, 200, &closed);
    EXPECT_TRUE(closed || WaitForClose(fd, 500));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(2000));
    EXPECT_TRUE(server.LogShows("end: idle timeout"));
    ExpectServed(server);
    close(fd);
}

// Connections that send nothing hold every slot: after a moment without
// progress the oldest makes way, and a real client is served at once.
TEST(HostileClient, AFullServerClosesTheConnectionLongestWithoutProgressForANewcomer)
{
    ServerOptions options;
    options.maxClients = 3;
    CTestServer server(options);
    int fds[3];
    for (int& fd : fds) {
        fd = ConnectLoopback(server.Port());
        ReadFor(fd, 20);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(2200));
    ExpectServed(server);
    EXPECT_TRUE(WaitForClose(fds[0], 500));
    EXPECT_TRUE(server.LogShows("made way for a newcomer"));
    for (int fd : fds)
        close(fd);
}

// One address holds only so many slots, and refusing a flood of its
// connections writes one log line, not one each.
TEST(HostileClient, OneAddressGetsOnlyItsShareAndItsRefusalsAreLoggedOnce)
{
    ServerOptions options;
    options.maxPerAddress = 2;
    CTestServer server(options);
    const int held[2] = {ConnectLoopback(server.Port()), ConnectLoopback(server.Port())};
    ReadFor(held[0], 100);
    for (int i = 0; i < 30; ++i) {
        const int fd = ConnectLoopback(server.Port());
        EXPECT_TRUE(WaitForClose(fd, 1000)) << i;
        close(fd);
    }
    const std::string log = server.LogText();
    EXPECT_NE(std::string::npos, log.find("127.0.0.1 refused: 2 connections from there already"));
    EXPECT_EQ(log.find("refused"), log.rfind("refused"));
    for (int fd : held)
        close(fd);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    ExpectServed(server);
}

// An older client that takes the update at a crawl, a block every 200 ms,
// is dropped at the update's deadline: 50 ms a block from the start of the
// update, however the client paces itself.
TEST(HostileClient, AStalledUpdateDownloadEndsAtItsDeadline)
{
    ServerOptions options;
    options.updateVersion = 1.7;
    options.exchangeTimeoutMs = 2000;
    CTestServer server(options, CTestServer::SmallCatalogue, ComposeUpdateMessage(std::string(40 * 180, 'P')));
    const int fd = ConnectLoopback(server.Port());
    ASSERT_GE(fd, 0);
    const std::string order = "10~0~QN~1.600~QUARN  1.600*1700000000*1700000100*WinXP*INET~ACC 4711~1000001*1~";
    // The whole exchange up to the update's first block, each step with what it brings back.
    const std::pair<std::string, std::string> steps[] = {
        {"\x05", "\x10" "0"},           {Block(order, '\x03'), "\x10" "1"}, {"\x04", "\x05"},
        {"\x10" "0", "REPLY~ORDER NUMBER"}, {"\x10" "1", "\x04"},              {"\x05", "\x10" "0"},
        {Block("OK", '\x03'), "\x10" "1"}, {"\x04", "\x05"},                 {"\x10" "0", "EXEUPDATE~"},
    };
    for (const auto& step : steps) {
        ASSERT_TRUE(SendAll(fd, step.first));
        ASSERT_NE(std::string::npos, ReadFor(fd, 150).find(step.second)) << step.second;
    }
    const auto start = std::chrono::steady_clock::now();
    bool closed = false;
    for (int i = 0; i < 40 && !closed && SendAll(fd, i % 2 ? "\x10" "0" : "\x10" "1"); ++i)
        ReadFor(fd, 200, &closed);
    EXPECT_TRUE(closed);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(5500));
    EXPECT_TRUE(server.LogShows("update sent; end: exchange timeout")) << server.LogText();
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
