#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "ByteStream.h"
#include "ExchangeLog.h"
#include "FaultPlan.h"
#include "OrderDesk.h"
#include "OutputBuffer.h"
#include "TimerQueue.h"
#include "comm/BiSyncEngine.h"
#include "comm/LinkEventQueue.h"
#include "comm/SeededRandom.h"

struct ServerOptions;

// What a connection needs from the server that runs it.
class IConnectionHost {
public:
    virtual ~IConnectionHost() = default;
    virtual int64_t NowMs() const = 0;
    virtual CTimerQueue& Timers() = 0;
    // False when the store has too much waiting already: the order is refused.
    virtual bool SubmitOrder(uint64_t serial, std::string address, std::string message) = 0;
    // The client left before its order was acknowledged: store it only if the store has begun.
    virtual void CancelOrder(uint64_t serial) = 0;
    virtual void SubmitConfirm(int64_t orderNumber) = 0;
    // The connection has output waiting (or no longer): watch the socket for writing.
    virtual void WantWrite(uint64_t serial, int fd, bool on) = 0;
    virtual CExchangeLog& Log() = 0;
    virtual const ServerOptions& Options() const = 0;
    // The update message for clients older than the configured version, one
    // copy for all of them; null for none.
    virtual const std::shared_ptr<const std::string>& UpdateMessage() const = 0;
};

// One client's link: the socket, the server's station of the link engine,
// and the course of one order exchange. Engine events are handled only after
// the engine call that raised them has returned.
class CConnection : private ITimerHost {
public:
    // The stream carries the socket's bytes: in clear when none is given.
    CConnection(uint64_t serial, int fd, std::string peer, IConnectionHost& host,
                std::unique_ptr<IByteStream> stream = nullptr);
    CConnection(const CConnection&) = delete;
    CConnection& operator=(const CConnection&) = delete;
    ~CConnection() override;

    void Start();
    void OnReadable();
    void OnWritable();
    void OnTimer(int id);
    void OnOrderAnswered(const OrderOutcome& outcome);
    // The server is stopping: end the link where it stands.
    void Abort(const char* reason) { Close(reason); }

    bool IsClosed() const { return m_fd < 0; }
    int Fd() const { return m_fd; }
    // The peer's address without its port.
    std::string Address() const { return m_peer.substr(0, m_peer.rfind(':')); }
    // When the link last took a step (LinkProgress), or the store answered.
    int64_t LastProgressMs() const { return m_lastProgressMs; }
    // The client's order is with the store: any wait now is the server's.
    bool AwaitsStore() const { return m_phase == Phase::Answering; }

    // Timers of the connection itself, beside the engine's ids 1 to 10.
    enum : int { kIdleTimer = 100, kExchangeTimer, kAnswerTimer, kLingerTimer };

private:
    enum class Phase { AwaitOrder, Answering, AwaitReplyAnswer, AwaitUpdateAnswer, Done };
    enum class Source { Host, Received, Timer };

    void SetTimer(int id, unsigned periodMs) override;
    void KillTimer(int id) override;
    void ArmOnce(int id, unsigned ms);

    void NoteProgress();
    void StartUpdate();
    void Drain(Source source);
    void OnMessage(const std::string& text);
    void OnState(int state, Source source);
    void Queue(const uint8_t* bytes, size_t count);
    void Flush();
    void Finish();
    void Release();
    void Close(const char* reason);
    void LogExchange(const char* end);

    uint64_t m_serial;
    int m_fd;
    std::string m_peer;
    IConnectionHost& m_host;
    std::unique_ptr<IByteStream> m_stream;
    CFaultFilter m_faults;
    std::unique_ptr<CConnectionTrace> m_trace;
    CSeededRandom m_random;
    CLinkEventQueue m_events;
    CBiSyncEngine m_engine;

    COutputBuffer m_out;
    bool m_wantWrite = false;
    bool m_lingering = false; // the link has ended; closing once the output is out

    Phase m_phase = Phase::AwaitOrder;
    int m_lastState = kLinkDisconnected;
    int m_messages = 0;
    int64_t m_startMs = 0;
    int64_t m_lastProgressMs = 0;
    uint64_t m_progress = 0;
    OrderOutcome m_outcome;
    bool m_haveOutcome = false;
    std::string m_answer; // the client's "OK" or "BAD" to the reply
    bool m_updateSent = false;
    bool m_logged = false;
};
