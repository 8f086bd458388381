#include "comm/InternetSocket.h"

#include <ws2tcpip.h>

#include "comm/PlaceOrderSession.h"
#include "framework/AppMessages.h"

namespace {
constexpr long kAllEvents = FD_READ | FD_WRITE | FD_OOB | FD_ACCEPT | FD_CONNECT | FD_CLOSE;

// The session's event for a select event, the error from its high word.
struct SelectEvent {
    long bit;
    int code;
};
constexpr SelectEvent kEvents[] = {
    {FD_CONNECT, kSocketConnect}, {FD_WRITE, kSocketWrite}, {FD_READ, kSocketRead},
    {FD_ACCEPT, kSocketAccept},   {FD_CLOSE, kSocketClose},
};

// The host as a dotted address, else looked up by name; 0 or the error number.
int ResolveHost(const std::string& host, int port, sockaddr_in& address)
{
    address = {};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<u_short>(port));
    if (inet_pton(AF_INET, host.c_str(), &address.sin_addr) == 1)
        return 0;
    addrinfo hints = {};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (const int error = getaddrinfo(host.c_str(), nullptr, &hints, &found))
        return error;
    address.sin_addr = reinterpret_cast<const sockaddr_in*>(found->ai_addr)->sin_addr;
    freeaddrinfo(found);
    return 0;
}
} // namespace

bool CInternetSocket::IsSelectMessage(UINT message)
{
    return message >= WM_SOCKET_SELECT_FIRST && message < WM_SOCKET_SELECT_FIRST + kSocketSelectMessages;
}

UINT CInternetSocket::CurrentMessage() const
{
    return WM_SOCKET_SELECT_FIRST + m_generation % kSocketSelectMessages;
}

int CInternetSocket::Create()
{
    Close();
    ++m_generation;
    m_socket = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (m_socket == INVALID_SOCKET)
        return WSAGetLastError();
    if (WSAAsyncSelect(m_socket, m_owner, CurrentMessage(), kAllEvents) != 0) {
        const int error = WSAGetLastError();
        Close();
        return error;
    }
    // Closing never waits for unsent data.
    const BOOL on = TRUE;
    setsockopt(m_socket, SOL_SOCKET, SO_DONTLINGER, reinterpret_cast<const char*>(&on), sizeof on);
    // The link sends a block and its check character apart and then waits for
    // the answer: held back for the peer's delayed acknowledgement, every block
    // would cost some 40 ms.
    setsockopt(m_socket, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&on), sizeof on);
    return 0;
}

int CInternetSocket::Connect(const std::string& host, int port)
{
    if (m_socket == INVALID_SOCKET)
        return WSAENOTSOCK;
    sockaddr_in address;
    if (const int error = ResolveHost(host, port, address))
        return error;
    if (connect(m_socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0)
        return 0;
    return WSAGetLastError();
}

void CInternetSocket::Close()
{
    m_pending.clear();
    if (m_socket == INVALID_SOCKET)
        return;
    closesocket(m_socket);
    m_socket = INVALID_SOCKET;
}

void CInternetSocket::Send(const uint8_t* bytes, size_t count)
{
    if (m_socket == INVALID_SOCKET)
        return;
    m_pending.append(reinterpret_cast<const char*>(bytes), count);
    FlushPending();
}

// What the stack refuses for now stays for the next ready-to-send; a hard
// error drops it, and the link's own timers resend or give up.
void CInternetSocket::FlushPending()
{
    while (!m_pending.empty() && m_socket != INVALID_SOCKET) {
        const int chunk = m_pending.size() > 0x10000 ? 0x10000 : static_cast<int>(m_pending.size());
        const int sent = send(m_socket, m_pending.data(), chunk, 0);
        if (sent > 0) {
            m_pending.erase(0, static_cast<size_t>(sent));
            continue;
        }
        if (WSAGetLastError() != WSAEWOULDBLOCK)
            m_pending.clear();
        return;
    }
}

int CInternetSocket::Receive(uint8_t* buffer, size_t size)
{
    if (m_socket == INVALID_SOCKET)
        return -1;
    return recv(m_socket, reinterpret_cast<char*>(buffer), static_cast<int>(size), 0);
}

bool CInternetSocket::HasUnread() const
{
    u_long unread = 0;
    return m_socket != INVALID_SOCKET && ioctlsocket(m_socket, FIONREAD, &unread) == 0 && unread > 0;
}

void CInternetSocket::OnSelect(UINT message, LPARAM lParam, const EventSink& sink)
{
    if (m_socket == INVALID_SOCKET || message != CurrentMessage())
        return;
    const long event = WSAGETSELECTEVENT(lParam);
    const int error = WSAGETSELECTERROR(lParam);
    const unsigned generation = m_generation;
    if (event & FD_WRITE)
        FlushPending();
    // The peer's last bytes may still wait when its close is reported: they
    // are read first, so a reply and its closing EOT are never lost.
    if (event & FD_CLOSE) {
        while (generation == m_generation && HasUnread())
            sink(kSocketRead, 0);
    }
    for (const SelectEvent& known : kEvents) {
        if ((event & known.bit) && generation == m_generation && m_socket != INVALID_SOCKET)
            sink(known.code, error);
    }
}
