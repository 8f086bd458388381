#include "LoopbackClient.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>

#include "LinkRig.h"
#include "OrderLines.h"
#include "comm/PlaceOrderSession.h"

namespace {

int64_t WallMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// The place-order session's socket over a POSIX socket. The loopback
// connects at once; its outcome, "ready to send", data to read and the close
// then come as events, as Windows Sockets' asynchronous select tells them.
class CPosixOrderSocket : public IOrderSocket {
public:
    explicit CPosixOrderSocket(const char* from) : m_from(from) {}
    ~CPosixOrderSocket() override { Close(); }

    int Create() override
    {
        Close();
        m_fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        return m_fd < 0 ? 10024 : 0;
    }

    int Connect(const std::string&, int port) override
    {
        const int error = ConnectLoopback(m_fd, port, m_from);
        m_connectOutcome = error == 0 ? 0 : error == ECONNREFUSED ? 10061 : 10050;
        return 10035; // the outcome comes as the connect event
    }

    void Close() override
    {
        if (m_fd >= 0)
            close(m_fd);
        m_fd = m_connectOutcome = -1;
        m_sendReady = m_closeTold = false;
    }

    void Send(const uint8_t* bytes, size_t count) override
    {
        // As on Windows, a failed send is not examined here.
        SendAll(m_fd, std::string(reinterpret_cast<const char*>(bytes), count));
    }

    int Receive(uint8_t* buffer, size_t size) override
    {
        return static_cast<int>(recv(m_fd, buffer, size, MSG_DONTWAIT));
    }

    // The next event and its Winsock error, waiting at most waitMs for one; -1 none.
    int NextEvent(int waitMs, int* error)
    {
        *error = 0;
        if (m_connectOutcome >= 0) {
            *error = m_connectOutcome;
            m_sendReady = m_connectOutcome == 0; // "ready to send" follows a connect once
            m_connectOutcome = -1;
            return kSocketConnect;
        }
        if (m_sendReady) {
            m_sendReady = false;
            return kSocketWrite;
        }
        pollfd p{m_fd, POLLIN, 0};
        if (poll(&p, m_fd >= 0 && !m_closeTold ? 1 : 0, waitMs) <= 0)
            return -1;
        char probe;
        const ssize_t n = recv(m_fd, &probe, 1, MSG_PEEK | MSG_DONTWAIT);
        if (n > 0)
            return kSocketRead;
        if (n < 0 && errno == EAGAIN)
            return -1;
        m_closeTold = true;
        return kSocketClose;
    }

private:
    const char* m_from;
    int m_fd = -1;
    int m_connectOutcome = -1; // a connect's Winsock error until it is told, else -1
    bool m_sendReady = false;
    bool m_closeTold = false;
};

// Everything the place-order dialog holds, minus its windows; the link is
// the one the place-order tests use, its clock moved on by the wall clock.
class CClientSession : private IPlaceOrderHost {
public:
    explicit CClientSession(ClientScript& script)
        : m_script(script),
          m_link(LinkStation::Client, false),
          m_socket(script.from),
          m_sessionTimers([this](int id) { m_session.OnTimer(id); }),
          m_session({*this, m_socket, nullptr, nullptr, m_sessionTimers, m_link.engine, nullptr},
                    PlaceOrderSettings{"127.0.0.1", script.port, 0, 0, ""}, script.order)
    {
        if (!script.updatePath.empty())
            m_session.SetUpdatePath(script.updatePath);
        m_link.owner = [this](const LinkEvent& event) { OnLinkEvent(event); };
    }

    ClientRun Run()
    {
        const int64_t start = WallMs();
        m_session.Start();
        m_link.Pump();
        for (int64_t elapsed = 0; !m_linkEnded && elapsed <= m_script.timeoutMs; elapsed = WallMs() - start) {
            m_link.timers.AdvanceTo(static_cast<uint64_t>(elapsed));
            m_sessionTimers.AdvanceTo(static_cast<uint64_t>(elapsed));
            m_link.Pump();
            if (!m_linkEnded)
                Wait(elapsed);
        }
        return {m_link.engine.OrderlyEnd(), m_link.messages, WallMs() - start};
    }

private:
    void ShowStatus(const std::string&) override {}
    void LinkEnded() override { m_linkEnded = true; }

    // Sleeps until the socket has news or the next timer of either list falls due.
    void Wait(int64_t elapsed)
    {
        int64_t wait = m_script.timeoutMs - elapsed;
        for (const CTimerList* timers : {&m_link.timers, &m_sessionTimers}) {
            const uint64_t due = timers->NextDue();
            if (due != UINT64_MAX)
                wait = std::min<int64_t>(wait, std::max<int64_t>(0, static_cast<int64_t>(due) - elapsed));
        }
        int error = 0;
        for (int event; (event = m_socket.NextEvent(static_cast<int>(wait), &error)) >= 0; wait = 0) {
            m_session.OnSocketEvent(event, error);
            m_link.Pump();
            if (event == kSocketRead || event == kSocketClose)
                break; // poll again, as Windows posts one read event at a time
        }
    }

    // The link's posted messages, in order, once the engine call has returned.
    void OnLinkEvent(const LinkEvent& event)
    {
        if (event.kind == LinkEvent::Kind::Message && m_script.loseFirstMessage && m_link.messages.size() == 1)
            m_session.OnSocketEvent(kSocketClose, 0);
        else
            DeliverTo(m_session, event);
    }

    ClientScript& m_script;
    bool m_linkEnded = false;
    LinkRig m_link;
    CPosixOrderSocket m_socket;
    CTimerList m_sessionTimers;
    CPlaceOrderSession m_session;
};

} // namespace

bool SendAll(int fd, const std::string& bytes)
{
    size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL | MSG_DONTWAIT);
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

int ConnectLoopback(int fd, int port, const char* from)
{
    sockaddr_in local{};
    local.sin_family = AF_INET;
    if (inet_pton(AF_INET, from, &local.sin_addr) != 1)
        return EINVAL;
    if (bind(fd, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0)
        return errno;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const int on = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    return connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 ? 0 : errno;
}

ClientScript OrderScript(int port, const OrderLines& lines, const std::string& account, int64_t startTime)
{
    ClientScript script;
    script.port = port;
    script.lines = std::make_shared<CItemList>();
    script.lines->Setup(ListKind::Order);
    for (const auto& line : lines)
        AddLine(*script.lines, line.first, line.second);
    script.order.startTime = startTime;
    script.order.account = account;
    script.order.notes = kNotesPlaceholder;
    script.order.order = script.lines.get();
    return script;
}

ClientRun RunClient(ClientScript script)
{
    return CClientSession(script).Run();
}
