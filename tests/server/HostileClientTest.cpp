#include <gtest/gtest.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <deque>
#include <thread>

#include "LinkRig.h"
#include "LoopbackClient.h"
#include "UpdateMessage.h"

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// A plain loopback socket that behaves as no Quillbox would, closed when it goes.
class CRawClient {
public:
    explicit CRawClient(int port) : m_fd(socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0))
    {
        ConnectLoopback(m_fd, port); // a refused socket sends nothing and reads as closed
    }
    ~CRawClient() { close(m_fd); }
    CRawClient(const CRawClient&) = delete;
    CRawClient& operator=(const CRawClient&) = delete;

    bool Send(const std::string& bytes) { return SendAll(m_fd, bytes); }

    // What arrives within waitMs, or until the server closes the connection.
    std::string Read(int waitMs)
    {
        std::string got;
        const auto end = Clock::now() + milliseconds(waitMs);
        for (auto now = Clock::now(); now < end && !m_closed; now = Clock::now()) {
            pollfd p{m_fd, POLLIN, 0};
            poll(&p, 1, static_cast<int>(std::chrono::duration_cast<milliseconds>(end - now).count()));
            char buffer[4096];
            const ssize_t n = recv(m_fd, buffer, sizeof buffer, MSG_DONTWAIT);
            if (n > 0)
                got.append(buffer, static_cast<size_t>(n));
            else
                m_closed = n == 0 || (errno != EAGAIN && errno != EINTR);
        }
        return got;
    }

    // Whether the server has closed the connection, waiting at most waitMs for it.
    bool Closed(int waitMs = 0)
    {
        Read(waitMs);
        return m_closed;
    }

private:
    int m_fd;
    bool m_closed = false;
};

// The exchange every well-behaved client should still get while others
// misbehave, well before any of the server's timeouts could have freed it.
void ExpectServed(const CTestServer& server)
{
    const ClientRun run = RunClient(OrderScript(server.Port(), {{"1000001", 1}}, "4711"));
    EXPECT_TRUE(run.orderlyEnd) << server.LogText();
    EXPECT_LT(run.elapsedMs, 2500);
}

// Endless bids end at the exchange timeout. Bytes that carry the link on
// nothing (half a block, a byte at a time) don't keep the slot either: the
// idle time runs from the last step of the link.
TEST(HostileClient, EndlessBidsAndADribbledHalfBlockEndAtTheirTimeouts)
{
    const struct {
        int ServerOptions::*timeout;
        std::string bytes;
        const char* end;
    } cases[] = {{&ServerOptions::exchangeTimeoutMs, std::string(20, '\x05'), "end: exchange timeout"},
                 {&ServerOptions::idleTimeoutMs, "\x02half a block", "end: idle timeout"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.end);
        ServerOptions options;
        options.*c.timeout = 1000;
        CTestServer server(options);
        CRawClient client(server.Port());
        ASSERT_TRUE(client.Send("\x05"));
        client.Read(100);
        const auto start = Clock::now();
        for (char byte : c.bytes)
            if (!client.Closed() && client.Send(std::string(1, byte)))
                client.Read(200);
        EXPECT_TRUE(client.Closed(500));
        EXPECT_LT(Clock::now() - start, milliseconds(2000));
        EXPECT_TRUE(server.LogShows(c.end));
    }
}

// Connections that send nothing hold every slot: after a moment without
// progress the oldest makes way, and a real client is served at once.
TEST(HostileClient, AFullServerClosesTheConnectionLongestWithoutProgressForANewcomer)
{
    ServerOptions options;
    options.maxClients = 3;
    CTestServer server(options);
    std::deque<CRawClient> idle;
    for (int i = 0; i < 3; ++i)
        idle.emplace_back(server.Port()).Read(20);
    std::this_thread::sleep_for(milliseconds(2200));
    ExpectServed(server);
    EXPECT_TRUE(idle.front().Closed(500));
    EXPECT_TRUE(server.LogShows("made way for a newcomer"));
}

// One address holds only so many slots, and refusing a flood of its
// connections writes one log line, not one each.
TEST(HostileClient, OneAddressGetsOnlyItsShareAndItsRefusalsAreLoggedOnce)
{
    ServerOptions options;
    options.maxPerAddress = 2;
    CTestServer server(options);
    {
        CRawClient held[2] = {CRawClient(server.Port()), CRawClient(server.Port())};
        held[0].Read(100);
        for (int i = 0; i < 30; ++i)
            EXPECT_TRUE(CRawClient(server.Port()).Closed(1000)) << i;
    }
    const std::string log = server.LogText();
    EXPECT_NE(std::string::npos, log.find("127.0.0.1 refused: 2 connections from there already"));
    EXPECT_EQ(log.find("refused"), log.rfind("refused"));
    std::this_thread::sleep_for(milliseconds(100));
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
    CRawClient client(server.Port());
    const std::string order = "10~0~QN~1.600~QUARN  1.600*1700000000*1700000100*WinXP*INET~ACC 4711~1000001*1~";
    // The whole exchange up to the update's first block, each step with what it brings back.
    const std::pair<std::string, std::string> steps[] = {
        {"\x05", "\x10" "0"},           {Block(order), "\x10" "1"}, {"\x04", "\x05"},
        {"\x10" "0", "REPLY~ORDER NUMBER"}, {"\x10" "1", "\x04"},      {"\x05", "\x10" "0"},
        {Block("OK"), "\x10" "1"},         {"\x04", "\x05"},         {"\x10" "0", "EXEUPDATE~"},
    };
    for (const auto& step : steps) {
        ASSERT_TRUE(client.Send(step.first));
        ASSERT_NE(std::string::npos, client.Read(150).find(step.second)) << step.second;
    }
    const auto start = Clock::now();
    for (int i = 0; i < 40 && !client.Closed() && client.Send(i % 2 ? "\x10" "0" : "\x10" "1"); ++i)
        client.Read(200);
    EXPECT_TRUE(client.Closed());
    EXPECT_LT(Clock::now() - start, milliseconds(5500));
    EXPECT_TRUE(server.LogShows("update sent; end: exchange timeout")) << server.LogText();
}

TEST(HostileClient, AClientThatNeverReadsIsDroppedWhenItsOutputIsFull)
{
    CTestServer server;
    CRawClient client(server.Port());
    // Every ENQ while the bid is granted asks for the grant again: two bytes back
    // for each one sent, and this client never reads them. 400 x 64 KiB fills the
    // kernel's buffers on both sides and then the server's own.
    const std::string bids(64 * 1024, '\x05');
    int sent = 0;
    while (sent < 400 && client.Send(bids))
        ++sent;
    ExpectServed(server);
    EXPECT_TRUE(server.LogShows("end: client does not read"));
}

} // namespace
