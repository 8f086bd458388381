#include "comm/InternetSocket.h"

#include <ws2tcpip.h>

#include "comm/PlaceOrderSession.h"
#include "framework/AppMessages.h"
#include "framework/PostedData.h"

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

// Lookups are numbered across the program's sockets, so an answer still
// queued for a window that went is never taken by a later one.
unsigned g_lookups = 0;
} // namespace

bool CInternetSocket::IsSocketMessage(UINT message)
{
    return message == WM_HOST_FOUND ||
           (message >= WM_SOCKET_SELECT_FIRST && message < WM_SOCKET_SELECT_FIRST + kSocketSelectMessages);
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

// A dotted address connects at once; a name is looked up first, off the
// window's thread, and the connection starts when the answer comes.
int CInternetSocket::Connect(const std::string& host, int port)
{
    if (m_socket == INVALID_SOCKET)
        return WSAENOTSOCK;
    m_port = port;
    in_addr address;
    if (inet_pton(AF_INET, host.c_str(), &address) == 1)
        return ConnectTo(address);
    m_lookup = ++g_lookups;
    return StartHostLookup(host, m_owner, WM_HOST_FOUND, m_lookup) ? WSAEINPROGRESS : WSAENOBUFS;
}

int CInternetSocket::ConnectTo(in_addr host)
{
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<u_short>(m_port));
    address.sin_addr = host;
    if (connect(m_socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0)
        return 0;
    return WSAGetLastError();
}

// The answer of a lookup this socket no longer waits for (its attempt ended,
// or was cancelled) is dropped. A failed lookup or connect ends the attempt as
// a refused connection would; a connection under way tells its own outcome.
void CInternetSocket::OnHostFound(const HostFound& found, const EventSink& sink)
{
    if (found.lookup != m_lookup || m_socket == INVALID_SOCKET)
        return;
    m_lookup = 0;
    const int error = found.error != 0 ? found.error : ConnectTo(found.address);
    if (error != 0 && error != WSAEWOULDBLOCK)
        sink(kSocketConnect, error);
}

void CInternetSocket::Close()
{
    m_pending.clear();
    m_lookup = 0;
    if (m_owner)
        DropPosted<HostFound>(m_owner, WM_HOST_FOUND);
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

void CInternetSocket::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, const EventSink& sink)
{
    if (message == WM_HOST_FOUND)
        OnHostFound(*TakePosted<HostFound>(wParam), sink);
    else
        OnSelect(message, lParam, sink);
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
