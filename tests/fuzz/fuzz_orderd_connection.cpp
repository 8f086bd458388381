// One client's link on the order server, fed any bytes in any split: the
// server's station of the link engine, the exchange's phases, the order desk
// against an in-memory store, and the connection's timers and limits.
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "Connection.h"
#include "DemoSeed.h"
#include "OrderDesk.h"
#include "OrderStore.h"
#include "ServerOptions.h"

namespace {

class CFuzzHost : public IConnectionHost {
public:
    CFuzzHost()
    {
        std::string error;
        if (!m_store.Open(":memory:", &error) || !SeedDemoData(m_store, 50) || !m_log.Open("/dev/null"))
            abort();
        m_store.AddAccount({"DEMO", "Demo", true, "memo"});
        m_options.updateVersion = 9.0;
    }

    int64_t NowMs() const override { return m_now; }
    CTimerQueue& Timers() override { return m_timers; }
    bool SubmitOrder(uint64_t, std::string address, std::string message) override
    {
        m_pending.push_back(m_desk.Answer(message, 0, address));
        return true;
    }
    void CancelOrder(uint64_t) override {}
    void SubmitConfirm(int64_t orderNumber) override { m_desk.Confirm(orderNumber); }
    void WantWrite(uint64_t, int, bool) override {}
    CExchangeLog& Log() override { return m_log; }
    const ServerOptions& Options() const override { return m_options; }
    const std::shared_ptr<const std::string>& UpdateMessage() const override { return m_update; }

    // What the event loop does between socket events: answers, then due timers.
    void Settle(CConnection& connection)
    {
        for (const OrderOutcome& outcome : m_pending)
            connection.OnOrderAnswered(outcome);
        m_pending.clear();
        m_now += 250;
        CTimerQueue::Key key = 0;
        for (int fired = 0; fired < 64 && m_timers.PopDue(m_now, &key); ++fired)
            if (!connection.IsClosed())
                connection.OnTimer(CTimerQueue::IdOf(key));
    }

    void Reset() { m_timers = CTimerQueue(); }

private:
    COrderStore m_store;
    COrderDesk m_desk{m_store};
    CExchangeLog m_log;
    ServerOptions m_options;
    std::shared_ptr<const std::string> m_update = std::make_shared<const std::string>("EXEUPDATE~@@@@~");
    CTimerQueue m_timers;
    int64_t m_now = 0;
    std::vector<OrderOutcome> m_pending;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static CFuzzHost* host = new CFuzzHost;
    host->Reset();
    int pair[2];
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0, pair) != 0)
        return 0;
    {
        CConnection connection(1, pair[0], "fuzz", *host);
        connection.Start();
        char sink[4096];
        // The first byte sets the size of the pieces the rest arrives in.
        const size_t piece = size ? 1 + data[0] % 97 : 1;
        for (size_t at = size ? 1 : 0; at < size && !connection.IsClosed(); at += piece) {
            const size_t n = size - at < piece ? size - at : piece;
            if (write(pair[1], data + at, n) < 0)
                break;
            connection.OnReadable();
            host->Settle(connection);
            while (read(pair[1], sink, sizeof sink) > 0) {
            }
        }
    }
    close(pair[1]);
    return 0;
}
