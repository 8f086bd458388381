#pragma once
#include <sys/socket.h>
#include <sys/types.h>

#include <cstddef>

// The bytes of one client's connection beneath the link engine: in clear on
// the plain port, in TLS on the secure one. Read and Write answer as recv and
// send do: a count, 0 for the peer's orderly end (Read), or -1 with errno
// (EAGAIN when nothing can move now).
class IByteStream {
public:
    virtual ~IByteStream() = default;
    virtual ssize_t Read(void* buffer, size_t size) = 0;
    virtual ssize_t Write(const void* bytes, size_t count) = 0;
    // Bytes already taken from the socket and not yet read: no readiness
    // event of the socket will announce them.
    virtual bool Buffered() const { return false; }
    // The stream waits for the socket to take output before it can go on
    // (a TLS handshake's flight that did not fit).
    virtual bool NeedsWritable() const { return false; }
};

class CPlainStream : public IByteStream {
public:
    explicit CPlainStream(int fd) : m_fd(fd) {}
    ssize_t Read(void* buffer, size_t size) override { return recv(m_fd, buffer, size, 0); }
    ssize_t Write(const void* bytes, size_t count) override { return send(m_fd, bytes, count, MSG_NOSIGNAL); }

private:
    int m_fd;
};
