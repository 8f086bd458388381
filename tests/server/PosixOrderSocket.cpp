#include "PosixOrderSocket.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

#include "comm/PlaceOrderSession.h"

namespace {

// Only these can happen on the loopback.
int WinsockError(int error)
{
    return error == 0 ? 0 : error == ECONNREFUSED ? 10061 : 10050;
}

} // namespace

int CPosixOrderSocket::Create()
{
    Close();
    m_fd = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (m_fd < 0)
        return 10024;
    const int on = 1;
    setsockopt(m_fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    return 0;
}

int CPosixOrderSocket::Connect(const std::string& host, int port)
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

void CPosixOrderSocket::Close()
{
    if (m_fd >= 0)
        close(m_fd);
    m_fd = -1;
    m_connecting = m_sendReady = m_closeTold = false;
}

void CPosixOrderSocket::Send(const uint8_t* bytes, size_t count)
{
    size_t sent = 0;
    while (m_fd >= 0 && sent < count) {
        const ssize_t n = send(m_fd, bytes + sent, count - sent, MSG_NOSIGNAL);
        if (n > 0) {
            sent += static_cast<size_t>(n);
        } else if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
            pollfd p{m_fd, POLLOUT, 0};
            poll(&p, 1, 1000);
        } else {
            return; // as on Windows, a failed send is not examined here
        }
    }
}

int CPosixOrderSocket::Receive(uint8_t* buffer, size_t size)
{
    const ssize_t n = recv(m_fd, buffer, size, 0);
    if (n > 0)
        m_received.append(reinterpret_cast<const char*>(buffer), static_cast<size_t>(n));
    return static_cast<int>(n);
}

short CPosixOrderSocket::Interest() const
{
    if (m_fd < 0 || m_closeTold)
        return 0;
    return m_connecting ? POLLOUT : POLLIN;
}

int CPosixOrderSocket::NextEvent(short revents, int* error)
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
