#include "LoopbackClient.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <memory>

#include "comm/BiSyncEngine.h"
#include "comm/LinkEventQueue.h"
#include "comm/PlaceOrderSession.h"
#include "comm/SeededRandom.h"
#include "comm/TimerList.h"

namespace {

int64_t WallMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// Only these can happen on the loopback.
int WinsockError(int error)
{
    return error == 0 ? 0 : error == ECONNREFUSED ? 10061 : 10050;
}

// The place-order session's socket over a non-blocking POSIX socket. The
// caller polls Fd() and turns readiness into the session's socket events
// with NextEvent, as Windows Sockets' asynchronous select would.
class CPosixOrderSocket : public IOrderSocket {
public:
    ~CPosixOrderSocket() override { Close(); }

    int Create() override
    {
        Close();
        m_fd = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        if (m_fd < 0)
            return 10024;
        const int on = 1;
        setsockopt(m_fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
        return 0;
    }

    int Connect(const std::string& host, int port) override
    {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<uint16_t>(port));
        if (inet_pton(AF_INET, host.c_str(), &address.sin_addr) != 1)
            return 11001;
        if (connect(m_fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 || errno == EINPROGRESS) {
            m_connecting = true;
            return 10035; // the outcome comes as the connect event
        }
        return WinsockError(errno);
    }

    void Close() override
    {
        if (m_fd >= 0)
            close(m_fd);
        m_fd = -1;
        m_connecting = m_sendReady = m_closeTold = false;
    }

    void Send(const uint8_t* bytes, size_t count) override
    {
        // As on Windows, a failed send is not examined here.
        SendAll(m_fd, std::string(reinterpret_cast<const char*>(bytes), count));
    }

    int Receive(uint8_t* buffer, size_t size) override
    {
        const ssize_t n = recv(m_fd, buffer, size, 0);
        if (n > 0)
            m_received.append(reinterpret_cast<const char*>(buffer), static_cast<size_t>(n));
        return static_cast<int>(n);
    }

    int Fd() const { return m_fd; }
    const std::string& Received() const { return m_received; }

    // The poll events to wait for now; 0 when nothing is awaited.
    short Interest() const
    {
        if (m_fd < 0 || m_closeTold)
            return 0;
        return m_connecting ? POLLOUT : POLLIN;
    }

    // The event that poll's revents stand for (-1 none), and its Winsock error.
    int NextEvent(short revents, int* error)
    {
        *error = 0;
        if (m_sendReady) {
            m_sendReady = false;
            return kSocketWrite;
        }
        if (m_connecting && revents) {
            m_connecting = false;
            int code = 0;
            socklen_t length = sizeof code;
            getsockopt(m_fd, SOL_SOCKET, SO_ERROR, &code, &length);
            *error = WinsockError(code);
            m_sendReady = code == 0;
            return kSocketConnect;
        }
        if (!(revents & (POLLIN | POLLHUP | POLLERR)))
            return -1;
        char probe;
        const ssize_t n = recv(m_fd, &probe, 1, MSG_PEEK);
        if (n > 0)
            return kSocketRead;
        if (n < 0 && errno == EAGAIN)
            return -1;
        m_closeTold = true;
        return kSocketClose;
    }

private:
    int m_fd = -1;
    bool m_connecting = false;
    bool m_sendReady = false; // "ready to send" follows a finished connect once
    bool m_closeTold = false;
    std::string m_received;
};

// Everything the place-order dialog holds, minus its windows.
class CClientSession : private IPlaceOrderHost {
public:
    explicit CClientSession(ClientScript& script)
        : m_script(script),
          m_linkTimers([this](int id) { m_link.OnTimer(id); }),
          m_random(7),
          m_link(m_events, m_linkTimers, m_random, nullptr, LinkStation::Client),
          m_sessionTimers([this](int id) { m_session.OnTimer(id); }),
          m_session(CPlaceOrderSession::Ports{*this, m_socket, nullptr, nullptr, m_sessionTimers, m_link, nullptr},
                    PlaceOrderSettings{"127.0.0.1", script.port, 0, 0, ""}, script.order)
    {
        if (!script.updatePath.empty())
            m_session.SetUpdatePath(script.updatePath);
    }

    ClientRun Run()
    {
        const int64_t start = WallMs();
        m_session.Start();
        Pump();
        for (int64_t elapsed = 0; !m_linkEnded && elapsed <= m_script.timeoutMs; elapsed = WallMs() - start) {
            m_linkTimers.AdvanceTo(static_cast<uint64_t>(elapsed));
            m_sessionTimers.AdvanceTo(static_cast<uint64_t>(elapsed));
            Pump();
            if (!m_linkEnded)
                Wait(elapsed);
        }
        m_run.orderlyEnd = m_link.OrderlyEnd();
        m_run.received = m_socket.Received();
        m_run.elapsedMs = WallMs() - start;
        return m_run;
    }

private:
    void ShowStatus(const std::string&) override {}
    void LinkEnded() override { m_linkEnded = true; }

    // Sleeps until the socket has news or the next timer of either list falls due.
    void Wait(int64_t elapsed)
    {
        int64_t wait = m_script.timeoutMs - elapsed;
        for (const CTimerList* timers : {&m_linkTimers, &m_sessionTimers}) {
            const uint64_t due = timers->NextDue();
            if (due == UINT64_MAX)
                continue;
            wait = std::min<int64_t>(wait, std::max<int64_t>(0, static_cast<int64_t>(due) - elapsed));
        }
        pollfd p{m_socket.Fd(), m_socket.Interest(), 0};
        const int ready = poll(&p, p.events ? 1 : 0, static_cast<int>(wait));
        int error = 0;
        for (int event; (event = m_socket.NextEvent(ready > 0 ? p.revents : 0, &error)) >= 0; p.revents = 0) {
            m_session.OnSocketEvent(event, error);
            Pump();
            if (event == kSocketRead || event == kSocketClose)
                break; // poll again, as Windows posts one read event at a time
        }
    }

    // The link's posted messages, in order, once the engine call has returned.
    void Pump()
    {
        LinkEvent event;
        while (m_events.Pop(event)) {
            switch (event.kind) {
            case LinkEvent::Kind::Send:
                m_session.OnLinkSend(event.bytes);
                break;
            case LinkEvent::Kind::Message:
                m_run.messages.push_back(event.text);
                if (m_script.loseFirstMessage && m_run.messages.size() == 1)
                    m_session.OnSocketEvent(kSocketClose, 0);
                else
                    m_session.OnLinkMessage(event.text);
                break;
            case LinkEvent::Kind::State:
                m_session.OnLinkState(event.value);
                break;
            case LinkEvent::Kind::Disconnected:
                break; // the dialog does nothing with it
            }
        }
    }

    ClientScript& m_script;
    ClientRun m_run;
    bool m_linkEnded = false;
    CLinkEventQueue m_events;
    CTimerList m_linkTimers;
    CSeededRandom m_random;
    CBiSyncEngine m_link;
    CPosixOrderSocket m_socket;
    CTimerList m_sessionTimers;
    CPlaceOrderSession m_session;
};

} // namespace

bool SendAll(int fd, const std::string& bytes)
{
    size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n > 0) {
            sent += static_cast<size_t>(n);
            continue;
        }
        pollfd p{fd, POLLOUT, 0};
        if (n == 0 || (errno != EAGAIN && errno != EINTR) || poll(&p, 1, 5000) <= 0)
            return false;
    }
    return true;
}

CRawClient::CRawClient(int port) : m_fd(socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0))
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    // A refused socket sends nothing and reads as closed.
    connect(m_fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    const int on = 1;
    setsockopt(m_fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    fcntl(m_fd, F_SETFL, fcntl(m_fd, F_GETFL) | O_NONBLOCK);
}

CRawClient::~CRawClient()
{
    if (m_fd >= 0)
        close(m_fd);
}

std::string CRawClient::Read(int waitMs)
{
    std::string got;
    const int64_t end = WallMs() + waitMs;
    for (int64_t now = WallMs(); now < end && !m_closed; now = WallMs()) {
        pollfd p{m_fd, POLLIN, 0};
        if (poll(&p, 1, static_cast<int>(end - now)) < 0 && errno != EINTR)
            break;
        char buffer[4096];
        const ssize_t n = recv(m_fd, buffer, sizeof buffer, 0);
        if (n > 0)
            got.append(buffer, static_cast<size_t>(n));
        else
            m_closed = n == 0 || (errno != EAGAIN && errno != EINTR);
    }
    return got;
}

void FillOrder(CItemList& order, const OrderLines& lines)
{
    order.Setup(ListKind::Order);
    for (const auto& line : lines) {
        auto record = std::make_unique<ItemRecord>();
        record->code = line.first;
        record->quantity = line.second;
        record->description = "ITEM " + line.first;
        order.AddRecord(std::move(record));
    }
}

ClientScript OrderScript(int port, CItemList& order, const std::string& account, int64_t startTime, double version)
{
    ClientScript script;
    script.port = port;
    script.order.version = version;
    script.order.databaseTime = 1700000000;
    script.order.startTime = startTime;
    script.order.systemTags = "*WinXP (2.5.1.2600)";
    script.order.account = account;
    script.order.notes = kNotesPlaceholder;
    script.order.order = &order;
    return script;
}

ClientRun RunClient(ClientScript script)
{
    CClientSession session(script);
    return session.Run();
}
