#pragma once
#include <openssl/ssl.h>

#include <memory>
#include <string>

#include "ByteStream.h"

// The secure port's side: the server's certificate chain and key, loaded
// once, and one TLS stream per client over its non-blocking socket. TLS 1.2
// or later; the handshake runs inside the first reads.
class CTlsContext {
public:
    CTlsContext() = default;
    CTlsContext(const CTlsContext&) = delete;
    CTlsContext& operator=(const CTlsContext&) = delete;
    ~CTlsContext();

    // The chain file holds the server's certificate first, then the
    // authorities' that sign it, which are sent along.
    bool Load(const std::string& chainFile, const std::string& keyFile, std::string* error);
    std::unique_ptr<IByteStream> NewStream(int fd) const;

private:
    SSL_CTX* m_context = nullptr;
};

class CTlsStream : public IByteStream {
public:
    explicit CTlsStream(SSL* ssl) : m_ssl(ssl) {}
    CTlsStream(const CTlsStream&) = delete;
    CTlsStream& operator=(const CTlsStream&) = delete;
    ~CTlsStream() override { SSL_free(m_ssl); }

    ssize_t Read(void* buffer, size_t size) override;
    ssize_t Write(const void* bytes, size_t count) override;
    bool Buffered() const override { return SSL_pending(m_ssl) > 0; }
    bool NeedsWritable() const override { return m_needsWritable; }

private:
    ssize_t Result(int done);

    SSL* m_ssl;
    bool m_needsWritable = false;
};
