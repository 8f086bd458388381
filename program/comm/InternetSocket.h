#pragma once
#include <winsock2.h>
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "comm/HostLookup.h"
#include "comm/PlaceOrderPorts.h"

// The place-order dialog's TCP connection: a non-blocking socket whose
// asynchronous-select events reach the owner window, one socket per attempt.
//
// Each socket posts on a message of its own (a range cycled per socket), so
// events still queued for a socket that an earlier attempt closed are
// dropped rather than taken for the new one's. Output the stack can't take at
// once waits here and goes when it says it is ready to send again. A host
// name is looked up off the window's thread (HostLookup).
class CInternetSocket : public IOrderSocket {
public:
    // One event for the place-order session: the code (SocketEvent) and error.
    using EventSink = std::function<void(int code, int error)>;

    ~CInternetSocket() override { Close(); }

    void SetOwner(HWND owner) { m_owner = owner; }

    // IOrderSocket
    int Create() override;
    int Connect(const std::string& host, int port) override;
    void Close() override;
    void Send(const uint8_t* bytes, size_t count) override;
    int Receive(uint8_t* buffer, size_t size) override;

    // Whether a message is a socket's at all: a select event or a lookup's answer.
    static bool IsSocketMessage(UINT message);
    // Turns a socket message into the session's events, in order; a message
    // of a socket already closed gives none.
    void OnMessage(UINT message, WPARAM wParam, LPARAM lParam, const EventSink& sink);

private:
    void OnSelect(UINT message, LPARAM lParam, const EventSink& sink);
    void OnHostFound(const HostFound& found, const EventSink& sink);
    int ConnectTo(in_addr host);
    UINT CurrentMessage() const;
    void FlushPending();
    bool HasUnread() const;

    HWND m_owner = nullptr;
    SOCKET m_socket = INVALID_SOCKET;
    unsigned m_generation = 0;
    unsigned m_lookup = 0;  // the lookup this socket waits for, 0 for none
    int m_port = 0;
    std::string m_pending;
};
