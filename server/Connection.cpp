#include "Connection.h"

#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

#include "ServerOptions.h"
#include "comm/LinkBytes.h"
#include "text/FormatControls.h"

namespace {

constexpr size_t kMaxOrderMessage = 256u << 10; // some 18,000 order lines
constexpr size_t kMaxPendingOutput = 256u << 10;
constexpr int kMaxMessages = 8;                  // an exchange has three; more is a client gone wrong
constexpr unsigned kLingerMs = 2000;             // to get the last bytes out after the link ended
constexpr int kReadsPerWakeup = 16;              // then other clients get their turn
// The link waits for an acknowledgement after every block: an update takes a
// round trip per block. 50 ms allows for a slow line across the country; the
// deadline is set once when the update starts and nothing the client does
// moves it.
constexpr int64_t kUpdateMsPerBlock = 50;
constexpr size_t kUpdateBlockBytes = 241;        // one chunk and its "~"

// Texts from the client go into the log only in readable form.
std::string Readable(const std::string& text)
{
    return FormatControls(text.data(), text.size());
}

bool UpdateDue(const OrderOutcome& outcome, const ServerOptions& options,
               const std::shared_ptr<const std::string>& update)
{
    // Versions travel with three decimals: compare at that precision.
    return update && !update->empty() && outcome.knownAccount && outcome.refused.empty() && outcome.clientVersion > 0 &&
           outcome.clientVersion + 0.0005 < options.updateVersion;
}

} // namespace

CConnection::CConnection(uint64_t serial, int fd, std::string peer, IConnectionHost& host,
                         std::unique_ptr<IByteStream> stream)
    : m_serial(serial),
      m_fd(fd),
      m_peer(std::move(peer)),
      m_host(host),
      m_stream(stream ? std::move(stream) : std::make_unique<CPlainStream>(fd)),
      m_faults(host.Options().faults),
      m_trace(host.Log().Tracing() ? std::make_unique<CConnectionTrace>(host.Log(), serial) : nullptr),
      m_random(static_cast<uint32_t>(serial * 2654435761u)),
      m_engine(m_events, *this, m_random, m_trace.get(), LinkStation::Server),
      m_out(kMaxPendingOutput)
{
    m_engine.SetMessageLimit(kMaxOrderMessage);
}

CConnection::~CConnection()
{
    Release();
}

void CConnection::SetTimer(int id, unsigned periodMs)
{
    m_host.Timers().Set(CTimerQueue::MakeKey(m_serial, id), m_host.NowMs() + periodMs, periodMs);
}

void CConnection::KillTimer(int id)
{
    m_host.Timers().Kill(CTimerQueue::MakeKey(m_serial, id));
}

void CConnection::ArmOnce(int id, unsigned ms)
{
    m_host.Timers().Set(CTimerQueue::MakeKey(m_serial, id), m_host.NowMs() + ms, 0);
}

void CConnection::Start()
{
    m_startMs = m_host.NowMs();
    m_lastProgressMs = m_startMs;
    ArmOnce(kIdleTimer, static_cast<unsigned>(m_host.Options().idleTimeoutMs));
    ArmOnce(kExchangeTimer, static_cast<unsigned>(m_host.Options().exchangeTimeoutMs));
    // Over TCP the link waits in Idle for the client's bid.
    m_engine.SetState(kLinkIdle);
    Drain(Source::Host);
}

void CConnection::OnReadable()
{
    char buffer[4096];
    // Bytes a TLS stream already holds raise no event of the socket: they are read now.
    for (int round = 0; (round < kReadsPerWakeup || m_stream->Buffered()) && !IsClosed(); ++round) {
        const ssize_t n = m_stream->Read(buffer, sizeof buffer);
        if (n == 0)
            return Close(m_lingering ? nullptr : "client closed the connection");
        if (n < 0) {
            if (errno == EINTR)
                continue;
            if (errno != EAGAIN && errno != EWOULDBLOCK)
                Close("receive failed");
            else if (m_stream->NeedsWritable() && !m_wantWrite)
                m_host.WantWrite(m_serial, m_fd, m_wantWrite = true);
            return;
        }
        if (m_lingering)
            continue; // the link has ended: whatever comes now is ignored
        if (!m_faults.Incoming(buffer, static_cast<size_t>(n)))
            return Close("dropped by the fault plan");
        m_engine.ReceiveData(reinterpret_cast<const uint8_t*>(buffer), static_cast<size_t>(n));
        NoteProgress();
        Drain(Source::Received);
    }
}

// Only a step of the link keeps the client's slot: bytes that carry nothing
// on (a byte every few seconds, bids over and over, spoilt blocks) don't.
void CConnection::NoteProgress()
{
    if (m_engine.Progress() == m_progress)
        return;
    m_progress = m_engine.Progress();
    m_lastProgressMs = m_host.NowMs();
    ArmOnce(kIdleTimer, static_cast<unsigned>(m_host.Options().idleTimeoutMs));
}

void CConnection::OnWritable()
{
    // A handshake that waited for room in the socket goes on where it stopped.
    if (m_stream->NeedsWritable())
        OnReadable();
    if (!IsClosed())
        Flush();
}

void CConnection::OnTimer(int id)
{
    switch (id) {
    case kIdleTimer:
        if (m_phase != Phase::Answering)
            return Close("idle timeout");
        // The store is slow, not the client.
        ArmOnce(kIdleTimer, static_cast<unsigned>(m_host.Options().idleTimeoutMs));
        return;
    case kExchangeTimer:
        return Close("exchange timeout");
    case kLingerTimer:
        return Release();
    case kAnswerTimer:
        m_engine.FinishedRequest();
        break;
    default:
        m_engine.OnTimer(id);
        break;
    }
    Drain(Source::Timer);
}

void CConnection::OnOrderAnswered(const OrderOutcome& outcome)
{
    if (IsClosed() || m_phase != Phase::Answering)
        return;
    m_outcome = outcome;
    m_haveOutcome = true;
    m_lastProgressMs = m_host.NowMs();
    ArmOnce(kIdleTimer, static_cast<unsigned>(m_host.Options().idleTimeoutMs));
    if (!outcome.stored || outcome.reply.empty())
        return Close("order store failed");
    if (!outcome.refused.empty())
        m_host.Log().Line("#%llu %s REFUSED: account %s: %s; answered, nothing stored",
                          static_cast<unsigned long long>(m_serial), m_peer.c_str(),
                          Readable(outcome.account.substr(0, 64)).c_str(), outcome.refused.c_str());
    if (outcome.replayed)
        m_host.Log().Line("#%llu %s REPLAY: account %s sent its unconfirmed order %lld again; answered with the "
                          "stored reply, nothing stored",
                          static_cast<unsigned long long>(m_serial), m_peer.c_str(),
                          Readable(outcome.account.substr(0, 64)).c_str(),
                          static_cast<long long>(outcome.orderNumber));
    m_engine.AddSendData(outcome.reply);
    m_phase = Phase::AwaitReplyAnswer;
    Finish();
    Drain(Source::Host);
}

void CConnection::Drain(Source source)
{
    LinkEvent event;
    while (!IsClosed() && m_events.Pop(event)) {
        switch (event.kind) {
        case LinkEvent::Kind::Send:
            Queue(event.bytes.data(), event.bytes.size());
            break;
        case LinkEvent::Kind::Message:
            OnMessage(event.text);
            break;
        case LinkEvent::Kind::State:
            OnState(event.value, source);
            break;
        case LinkEvent::Kind::Disconnected:
            break; // the state change to Disconnected says it all
        }
    }
    Flush(); // one write for all the output of the call
}

void CConnection::OnMessage(const std::string& text)
{
    if (++m_messages > kMaxMessages)
        return Close("too many messages");
    switch (m_phase) {
    case Phase::AwaitOrder:
        m_phase = Phase::Answering;
        if (!m_host.SubmitOrder(m_serial, Address(), text)) // acknowledged once the order is stored
            Close("order refused: the store is busy");
        return;
    case Phase::Answering:
        return; // the order in hand is acknowledged when it is answered
    case Phase::AwaitReplyAnswer:
        m_answer = text.substr(0, 8);
        m_phase = Phase::Done;
        if (UpdateDue(m_outcome, m_host.Options(), m_host.UpdateMessage()))
            StartUpdate();
        break;
    case Phase::AwaitUpdateAnswer:
    case Phase::Done:
        m_phase = Phase::Done;
        break;
    }
    Finish();
}

void CConnection::StartUpdate()
{
    const std::shared_ptr<const std::string>& update = m_host.UpdateMessage();
    m_engine.AddSharedData(update);
    m_updateSent = true;
    m_phase = Phase::AwaitUpdateAnswer;
    const int64_t blocks = static_cast<int64_t>(update->size() / kUpdateBlockBytes) + 1;
    ArmOnce(kExchangeTimer, static_cast<unsigned>(m_host.Options().exchangeTimeoutMs + blocks * kUpdateMsPerBlock));
}

void CConnection::Finish()
{
    const int delay = m_host.Options().faults.delayAnswerMs;
    if (delay > 0)
        ArmOnce(kAnswerTimer, static_cast<unsigned>(delay));
    else
        m_engine.FinishedRequest();
}

void CConnection::OnState(int state, Source source)
{
    const int previous = m_lastState;
    m_lastState = state;
    const uint8_t eot = kEOT;
    const bool asProtocol = m_host.Options().closeAsProtocol;
    if (state == kLinkDisconnecting) {
        // The engine has sent one EOT; a second one ends the client's link at
        // once instead of after its two-second EOT timer.
        if (!asProtocol)
            m_engine.SendRaw(&eot, 1);
        return;
    }
    if (state != kLinkDisconnected)
        return;
    // The client's own EOT answered ours: it has the reply and applied it.
    const bool confirmed = previous == kLinkDisconnecting && source == Source::Received;
    if (confirmed && asProtocol)
        Queue(&eot, 1); // the engine, Disconnected now, sends nothing more
    if (confirmed && m_haveOutcome && m_outcome.orderNumber)
        m_host.SubmitConfirm(m_outcome.orderNumber);
    LogExchange(confirmed ? "orderly" : m_engine.OrderlyEnd() ? "orderly, unconfirmed" : "link gave up");
    m_lingering = true;
    ArmOnce(kLingerTimer, kLingerMs);
}

void CConnection::Queue(const uint8_t* bytes, size_t count)
{
    if (!m_out.Append(m_faults.Outgoing(reinterpret_cast<const char*>(bytes), count)))
        Close("client does not read");
}

void CConnection::Flush()
{
    while (!IsClosed() && !m_out.Empty()) {
        const ssize_t n = m_stream->Write(m_out.Data(), m_out.Size());
        if (n > 0) {
            m_out.Take(static_cast<size_t>(n));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (!m_wantWrite)
                m_host.WantWrite(m_serial, m_fd, m_wantWrite = true);
            return;
        }
        return Close("send failed");
    }
    if (IsClosed())
        return;
    if (m_wantWrite && !m_stream->NeedsWritable())
        m_host.WantWrite(m_serial, m_fd, m_wantWrite = false);
    if (m_lingering)
        Release();
}

void CConnection::Close(const char* reason)
{
    if (reason)
        LogExchange(reason);
    Release();
}

void CConnection::Release()
{
    if (IsClosed())
        return;
    if (m_phase == Phase::Answering)
        m_host.CancelOrder(m_serial);
    m_host.Timers().KillOwner(m_serial);
    close(m_fd);
    m_fd = -1;
}

// One line for each exchange, however it ended.
void CConnection::LogExchange(const char* end)
{
    if (m_logged)
        return;
    m_logged = true;
    const long long ms = static_cast<long long>(m_host.NowMs() - m_startMs);
    const auto serial = static_cast<unsigned long long>(m_serial);
    if (!m_haveOutcome) {
        m_host.Log().Line("#%llu %s no order answered; end: %s; %lld ms", serial, m_peer.c_str(), end, ms);
        return;
    }
    int counts[8] = {};
    for (const LineAnswer& line : m_outcome.lines)
        ++counts[line.status >= 0 && line.status < 8 ? line.status : kUnreadableLine];
    const std::string account = Readable(m_outcome.account.substr(0, 64));
    const std::string answer = m_answer.empty() ? "none" : Readable(m_answer);
    m_host.Log().Line("#%llu %s account %s order %lld%s: %zu lines, %d delivered, %d part, %d out of stock, "
                      "%d not found, %d discontinued, %d unreadable, %d unknown account; answer %s%s; "
                      "end: %s; %lld ms",
                      serial, m_peer.c_str(), account.c_str(), static_cast<long long>(m_outcome.orderNumber),
                      m_outcome.replayed ? " (sent again, answered as before)" : "", m_outcome.lines.size(),
                      counts[kDelivered], counts[kPartDelivered], counts[kOutOfStock], counts[kItemNotFound],
                      counts[kDiscontinued], counts[kUnreadableLine], counts[kUnknownAccount], answer.c_str(),
                      m_updateSent ? ", update sent" : "", end, ms);
}
