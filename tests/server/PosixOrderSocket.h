#pragma once
#include <cstdint>
#include <string>

#include "comm/PlaceOrderPorts.h"

// The place-order session's socket over a non-blocking POSIX socket. The
// caller polls Fd() and turns readiness into the session's socket events
// with NextEvent, as Windows Sockets' asynchronous select would.
class CPosixOrderSocket : public IOrderSocket {
public:
    ~CPosixOrderSocket() override { Close(); }
    int Create() override;
    int Connect(const std::string& host, int port) override;
    void Close() override;
    void Send(const uint8_t* bytes, size_t count) override;
    int Receive(uint8_t* buffer, size_t size) override;

    int Fd() const { return m_fd; }
    // The poll events to wait for now; 0 when nothing is awaited.
    short Interest() const;
    // The event that poll's revents stand for (-1 none), and its Winsock error.
    int NextEvent(short revents, int* error);
    const std::string& Received() const { return m_received; }

private:
    int m_fd = -1;
    bool m_connecting = false;
    bool m_sendReady = false; // "ready to send" follows a finished connect once
    bool m_closeTold = false;
    std::string m_received;
};
