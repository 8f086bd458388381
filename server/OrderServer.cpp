#include "OrderServer.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/epoll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

#include "base/StrFormat.h"

namespace {

constexpr int kMaxEvents = 64;
constexpr int kResumeAcceptMs = 1000;
// A full server closes the connection longest without progress for a
// newcomer, once it has been still at least this long: a working client
// takes a step every few milliseconds.
constexpr int64_t kStillMs = 2000;
// Under a flood of connections one line this often tells how many were refused.
constexpr int64_t kRefusalLogMs = 10000;

std::string PeerName(const sockaddr_storage& address)
{
    char host[INET6_ADDRSTRLEN] = "?";
    int port = 0;
    if (address.ss_family == AF_INET) {
        const auto* in = reinterpret_cast<const sockaddr_in*>(&address);
        inet_ntop(AF_INET, &in->sin_addr, host, sizeof host);
        port = ntohs(in->sin_port);
    } else if (address.ss_family == AF_INET6) {
        const auto* in6 = reinterpret_cast<const sockaddr_in6*>(&address);
        inet_ntop(AF_INET6, &in6->sin6_addr, host, sizeof host);
        port = ntohs(in6->sin6_port);
    }
    return std::string(host) + ":" + std::to_string(port);
}

int LocalPort(int fd)
{
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    if (getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        return 0;
    return address.ss_family == AF_INET6 ? ntohs(reinterpret_cast<sockaddr_in6*>(&address)->sin6_port)
                                         : ntohs(reinterpret_cast<sockaddr_in*>(&address)->sin_port);
}

} // namespace

COrderServer::COrderServer(const ServerOptions& options, CStoreWorker& worker, CExchangeLog& log,
                           std::string updateMessage)
    : m_options(options),
      m_worker(worker),
      m_log(log),
      m_updateMessage(updateMessage.empty() ? nullptr : std::make_shared<const std::string>(std::move(updateMessage)))
{
    m_epoll = epoll_create1(EPOLL_CLOEXEC);
    m_stop = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
}

COrderServer::~COrderServer()
{
    m_connections.clear();
    for (int fd : {m_listen, m_tlsListen, m_stop, m_epoll})
        if (fd >= 0)
            close(fd);
}

int64_t COrderServer::NowMs() const
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

bool COrderServer::Watch(int fd, uint64_t tag, uint32_t events)
{
    epoll_event event{};
    event.events = events;
    event.data.u64 = tag;
    return epoll_ctl(m_epoll, EPOLL_CTL_ADD, fd, &event) == 0;
}

// The listening socket on a port, or -1 with the reason.
int COrderServer::OpenListener(int port, std::string* error)
{
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_PASSIVE | AI_NUMERICSERV;
    addrinfo* found = nullptr;
    const int rc = getaddrinfo(m_options.address.c_str(), std::to_string(port).c_str(), &hints, &found);
    if (rc != 0) {
        *error = m_options.address + ": " + gai_strerror(rc);
        return -1;
    }
    int fd = socket(found->ai_family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    const int on = 1;
    const bool ok = fd >= 0 && setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) == 0 &&
                    bind(fd, found->ai_addr, found->ai_addrlen) == 0 && listen(fd, SOMAXCONN) == 0;
    freeaddrinfo(found);
    if (!ok) {
        *error = m_options.address + ":" + std::to_string(port) + ": " + strerror(errno);
        if (fd >= 0)
            close(fd);
        fd = -1;
    }
    return fd;
}

bool COrderServer::Listen(std::string* error)
{
    if (m_epoll < 0 || m_stop < 0) {
        *error = strerror(errno);
        return false;
    }
    m_listen = OpenListener(m_options.port, error);
    if (m_listen < 0)
        return false;
    m_port = LocalPort(m_listen);
    if (m_options.tlsPort >= 0) {
        m_tls = std::make_unique<CTlsContext>();
        if (!m_tls->Load(m_options.certFile, m_options.keyFile, error))
            return false;
        m_tlsListen = OpenListener(m_options.tlsPort, error);
        if (m_tlsListen < 0)
            return false;
        m_tlsPort = LocalPort(m_tlsListen);
    }
    if (!WatchListeners() || !Watch(m_stop, kStopTag, EPOLLIN) || !Watch(m_worker.NotifyFd(), kWorkerTag, EPOLLIN)) {
        *error = std::string("epoll: ") + strerror(errno);
        return false;
    }
    return true;
}

bool COrderServer::WatchListeners()
{
    return Watch(m_listen, kListenTag, EPOLLIN) && (m_tlsListen < 0 || Watch(m_tlsListen, kTlsListenTag, EPOLLIN));
}

void COrderServer::Stop()
{
    const uint64_t one = 1;
    if (write(m_stop, &one, sizeof one) < 0)
        return; // already signalled
}

int COrderServer::WaitMs() const
{
    const int64_t due = m_timers.NextDue();
    if (due < 0)
        return -1;
    const int64_t wait = due - NowMs();
    return wait <= 0 ? 0 : static_cast<int>(wait);
}

bool COrderServer::Run()
{
    epoll_event events[kMaxEvents];
    bool stopping = false;
    while (!stopping) {
        const int n = epoll_wait(m_epoll, events, kMaxEvents, WaitMs());
        if (n < 0 && errno != EINTR)
            return false;
        for (int i = 0; i < n; ++i) {
            if (events[i].data.u64 == kStopTag)
                stopping = true;
            else
                Dispatch(events[i].data.u64, events[i].events);
        }
        RunDueTimers();
        ReapClosed();
    }
    for (auto& entry : m_connections)
        entry.second->Abort("server stopping");
    m_connections.clear();
    return true;
}

void COrderServer::Dispatch(uint64_t tag, uint32_t events)
{
    if (tag == kListenTag)
        return Accept(m_listen, false);
    if (tag == kTlsListenTag)
        return Accept(m_tlsListen, true);
    if (tag == kWorkerTag)
        return TakeStoreResults();
    const auto it = m_connections.find(tag);
    if (it == m_connections.end() || it->second->IsClosed())
        return; // an event for a connection already ended
    CConnection& connection = *it->second;
    if (events & (EPOLLIN | EPOLLHUP | EPOLLERR))
        connection.OnReadable();
    if (!connection.IsClosed() && (events & EPOLLOUT))
        connection.OnWritable();
    Settle(tag, connection);
}

void COrderServer::Accept(int listener, bool secure)
{
    for (;;) {
        sockaddr_storage address{};
        socklen_t length = sizeof address;
        const int fd = accept4(listener, reinterpret_cast<sockaddr*>(&address), &length,
                               SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0) {
            if (errno == EMFILE || errno == ENFILE || errno == ENOBUFS || errno == ENOMEM) {
                // Out of descriptors: stop listening a moment instead of spinning.
                m_log.Line("accept: %s; pausing for %d ms", strerror(errno), kResumeAcceptMs);
                epoll_ctl(m_epoll, EPOLL_CTL_DEL, m_listen, nullptr);
                if (m_tlsListen >= 0)
                    epoll_ctl(m_epoll, EPOLL_CTL_DEL, m_tlsListen, nullptr);
                m_timers.Set(CTimerQueue::MakeKey(0, kResumeAcceptTimer), NowMs() + kResumeAcceptMs, 0);
            }
            return; // EAGAIN: all taken; other errors concern that one client only
        }
        // The log tells a secure client's exchanges by their port; the address stays first.
        const std::string peer = PeerName(address) + (secure ? " TLS" : "");
        const uint64_t serial = m_nextSerial++;
        IConnectionHost& host = *this;
        // Past the handshake a secure client is driven as a plain one.
        auto connection = std::make_unique<CConnection>(serial, fd, peer, host, secure ? m_tls->NewStream(fd) : nullptr);
        if (!Admit(connection->Address()))
            continue; // the connection closes its socket
        // Acknowledgements are a few bytes each: waiting to coalesce them would stall the link.
        const int on = 1;
        setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
        if (!Watch(fd, serial, EPOLLIN)) {
            m_log.Line("%s refused: %s", peer.c_str(), strerror(errno));
            continue;
        }
        CConnection& added = *m_connections.emplace(serial, std::move(connection)).first->second;
        ++m_perAddress[added.Address()];
        added.Start();
        Settle(serial, added);
    }
}

bool COrderServer::Admit(const std::string& address)
{
    const auto from = m_perAddress.find(address);
    if (from != m_perAddress.end() && from->second >= m_options.maxPerAddress) {
        LogRefusal(address, StrFormat("%d connections from there already", m_options.maxPerAddress));
        return false;
    }
    ReapClosed();
    if (m_connections.size() < static_cast<size_t>(m_options.maxClients) || MakeRoom())
        return true;
    LogRefusal(address, StrFormat("%d clients connected already, all of them busy", m_options.maxClients));
    return false;
}

bool COrderServer::MakeRoom()
{
    uint64_t stalest = 0;
    int64_t since = 0;
    for (const auto& entry : m_connections) {
        const CConnection& connection = *entry.second;
        if (connection.IsClosed() || connection.AwaitsStore())
            continue;
        if (!stalest || connection.LastProgressMs() < since) {
            stalest = entry.first;
            since = connection.LastProgressMs();
        }
    }
    const int64_t still = NowMs() - since;
    if (!stalest || still < kStillMs)
        return false;
    const std::string reason =
        StrFormat("made way for a newcomer; no progress for %lld ms", static_cast<long long>(still));
    m_connections[stalest]->Abort(reason.c_str());
    Forget(stalest);
    return true;
}

// The first refusal is logged at once; then one line every kRefusalLogMs
// counts those that followed, so a flood can't fill the disk with the log.
void COrderServer::LogRefusal(const std::string& address, const std::string& reason)
{
    if (NowMs() < m_refusalLogDueMs) {
        if (m_refusalsUnlogged++ == 0)
            m_timers.Set(CTimerQueue::MakeKey(0, kRefusalLogTimer), m_refusalLogDueMs, 0);
        return;
    }
    m_log.Line("%s refused: %s", address.c_str(), reason.c_str());
    m_refusalLogDueMs = NowMs() + kRefusalLogMs;
}

void COrderServer::OnServerTimer(int id)
{
    if (id == kResumeAcceptTimer) {
        WatchListeners();
        return;
    }
    m_log.Line("%d more connections refused in the last %lld s", m_refusalsUnlogged,
               static_cast<long long>(kRefusalLogMs / 1000));
    m_refusalsUnlogged = 0;
    m_refusalLogDueMs = NowMs() + kRefusalLogMs;
}

void COrderServer::TakeStoreResults()
{
    for (const StoreResult& result : m_worker.TakeResults()) {
        const auto it = m_connections.find(result.connection);
        if (it == m_connections.end())
            continue; // the client went before its order was answered: the order stands
        it->second->OnOrderAnswered(result.outcome);
        Settle(result.connection, *it->second);
    }
}

void COrderServer::RunDueTimers()
{
    CTimerQueue::Key key = 0;
    while (m_timers.PopDue(NowMs(), &key)) {
        const uint64_t owner = CTimerQueue::OwnerOf(key);
        if (owner == 0) {
            OnServerTimer(CTimerQueue::IdOf(key));
            continue;
        }
        const auto it = m_connections.find(owner);
        if (it == m_connections.end() || it->second->IsClosed())
            continue;
        it->second->OnTimer(CTimerQueue::IdOf(key));
        Settle(owner, *it->second);
    }
}

void COrderServer::Settle(uint64_t serial, const CConnection& connection)
{
    if (connection.IsClosed())
        m_closed.push_back(serial);
}

void COrderServer::ReapClosed()
{
    for (uint64_t serial : m_closed)
        Forget(serial);
    m_closed.clear();
}

void COrderServer::Forget(uint64_t serial)
{
    const auto it = m_connections.find(serial);
    if (it == m_connections.end())
        return;
    const auto from = m_perAddress.find(it->second->Address());
    if (from != m_perAddress.end() && --from->second <= 0)
        m_perAddress.erase(from);
    m_connections.erase(it);
}

bool COrderServer::SubmitOrder(uint64_t serial, std::string address, std::string message)
{
    return m_worker.SubmitOrder(serial, std::move(address), std::move(message));
}

void COrderServer::CancelOrder(uint64_t serial)
{
    m_worker.CancelOrder(serial);
}

void COrderServer::SubmitConfirm(int64_t orderNumber)
{
    m_worker.SubmitConfirm(orderNumber);
}

void COrderServer::WantWrite(uint64_t serial, int fd, bool on)
{
    epoll_event event{};
    event.events = EPOLLIN | (on ? EPOLLOUT : 0u);
    event.data.u64 = serial;
    epoll_ctl(m_epoll, EPOLL_CTL_MOD, fd, &event);
}
