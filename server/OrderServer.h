#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "Connection.h"
#include "ExchangeLog.h"
#include "ServerOptions.h"
#include "StoreWorker.h"
#include "TimerQueue.h"
#include "TlsStream.h"

// The order server's event loop: one thread, epoll over the listening socket,
// every client's socket and the store worker's results, and one timer queue.
// No client's pace holds up another: sockets are non-blocking, buffers bounded.
class COrderServer : private IConnectionHost {
public:
    COrderServer(const ServerOptions& options, CStoreWorker& worker, CExchangeLog& log, std::string updateMessage);
    COrderServer(const COrderServer&) = delete;
    COrderServer& operator=(const COrderServer&) = delete;
    ~COrderServer() override;

    bool Listen(std::string* error);
    // The port listened on (the one the system chose for port 0).
    int Port() const { return m_port; }
    // The TLS port listened on, 0 for none.
    int TlsPort() const { return m_tlsPort; }
    // Serves until Stop; false when the loop itself failed.
    bool Run();
    // From any thread or a signal handler.
    void Stop();
    size_t ConnectionCount() const { return m_connections.size(); }

private:
    int64_t NowMs() const override;
    CTimerQueue& Timers() override { return m_timers; }
    bool SubmitOrder(uint64_t serial, std::string address, std::string message) override;
    void CancelOrder(uint64_t serial) override;
    void SubmitConfirm(int64_t orderNumber) override;
    void WantWrite(uint64_t serial, int fd, bool on) override;
    CExchangeLog& Log() override { return m_log; }
    const ServerOptions& Options() const override { return m_options; }
    const std::shared_ptr<const std::string>& UpdateMessage() const override { return m_updateMessage; }

    bool Watch(int fd, uint64_t tag, uint32_t events);
    int OpenListener(int port, std::string* error);
    bool WatchListeners();
    void Accept(int listener, bool secure);
    // Whether a newcomer from this address gets a slot (making room if need be).
    bool Admit(const std::string& address);
    bool MakeRoom();
    void LogRefusal(const std::string& address, const std::string& reason);
    void OnServerTimer(int id);
    void Forget(uint64_t serial);
    void TakeStoreResults();
    void RunDueTimers();
    void Dispatch(uint64_t tag, uint32_t events);
    void Settle(uint64_t serial, const CConnection& connection);
    void ReapClosed();
    int WaitMs() const;

    ServerOptions m_options;
    CStoreWorker& m_worker;
    CExchangeLog& m_log;
    std::shared_ptr<const std::string> m_updateMessage;
    int m_epoll = -1;
    int m_listen = -1;
    int m_stop = -1;
    int m_port = 0;
    int m_tlsListen = -1;
    int m_tlsPort = 0;
    std::unique_ptr<CTlsContext> m_tls;
    uint64_t m_nextSerial = kFirstSerial;
    CTimerQueue m_timers;
    std::unordered_map<uint64_t, std::unique_ptr<CConnection>> m_connections;
    std::vector<uint64_t> m_closed;
    std::unordered_map<std::string, int> m_perAddress; // open connections by peer address
    int64_t m_refusalLogDueMs = 0; // refusals before this are counted, not logged
    int m_refusalsUnlogged = 0;

    // epoll tags below kFirstSerial are the server's own descriptors.
    enum : uint64_t { kListenTag = 1, kStopTag, kWorkerTag, kTlsListenTag, kFirstSerial = 16 };
    // The server's own timers (owner 0): accept again after running out of
    // descriptors; log how many connections were refused meanwhile.
    enum : int { kResumeAcceptTimer = 1, kRefusalLogTimer };
};
