#include "LoopbackClient.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <algorithm>
#include <chrono>

#include "PosixOrderSocket.h"
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
        while (!m_run.linkEnded) {
            const int64_t elapsed = WallMs() - start;
            if (elapsed > m_script.timeoutMs) {
                m_run.timedOut = true;
                break;
            }
            const uint64_t simulated = static_cast<uint64_t>(elapsed) * m_script.speedup;
            m_linkTimers.AdvanceTo(simulated);
            m_sessionTimers.AdvanceTo(simulated);
            Pump();
            if (!m_run.linkEnded)
                Wait(elapsed);
        }
        m_run.orderlyEnd = m_link.OrderlyEnd();
        m_run.received = m_socket.Received();
        m_run.orderNumber = m_session.OrderNumberText();
        if (m_script.response) {
            m_run.outcome = m_session.ApplyReply(*m_script.orderList, *m_script.response, m_script.orderCounter);
            m_run.orderNumber = m_session.OrderNumberText();
        }
        m_run.orderCounter = m_script.orderCounter;
        m_run.elapsedMs = WallMs() - start;
        return m_run;
    }

private:
    void ShowStatus(const std::string&) override {}
    void LinkEnded() override { m_run.linkEnded = true; }

    // Sleeps until the socket has news or the next timer of either list falls due.
    void Wait(int64_t elapsed)
    {
        int64_t wait = m_script.timeoutMs - elapsed;
        for (const CTimerList* timers : {&m_linkTimers, &m_sessionTimers}) {
            const uint64_t due = timers->NextDue();
            if (due == UINT64_MAX)
                continue;
            const int64_t ahead = static_cast<int64_t>(due) - elapsed * m_script.speedup;
            wait = std::min<int64_t>(wait, ahead <= 0 ? 0 : (ahead + m_script.speedup - 1) / m_script.speedup);
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
    CLinkEventQueue m_events;
    CTimerList m_linkTimers;
    CSeededRandom m_random;
    CBiSyncEngine m_link;
    CPosixOrderSocket m_socket;
    CTimerList m_sessionTimers;
    CPlaceOrderSession m_session;
};

} // namespace

int ConnectLoopback(int port)
{
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (fd < 0 || connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        if (fd >= 0)
            close(fd);
        return -1;
    }
    const int on = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
    return fd;
}

bool SendAll(int fd, const std::string& bytes)
{
    size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n > 0) {
            sent += static_cast<size_t>(n);
            continue;
        }
        if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
            pollfd p{fd, POLLOUT, 0};
            if (poll(&p, 1, 5000) <= 0)
                return false;
            continue;
        }
        return false;
    }
    return true;
}

std::string ReadFor(int fd, int waitMs, bool* closed)
{
    std::string got;
    bool ended = false;
    const int64_t end = WallMs() + waitMs;
    for (int64_t now = WallMs(); now < end && !ended; now = WallMs()) {
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, static_cast<int>(end - now)) < 0 && errno != EINTR)
            break;
        char buffer[4096];
        const ssize_t n = recv(fd, buffer, sizeof buffer, 0);
        if (n > 0)
            got.append(buffer, static_cast<size_t>(n));
        else
            ended = n == 0 || (errno != EAGAIN && errno != EINTR);
    }
    if (closed)
        *closed = ended;
    return got;
}

bool WaitForClose(int fd, int waitMs)
{
    bool closed = false;
    ReadFor(fd, waitMs, &closed);
    return closed;
}

ClientRun RunClient(ClientScript script)
{
    CClientSession session(script);
    return session.Run();
}
