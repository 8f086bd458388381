#include "TlsStream.h"

#include <openssl/err.h>

#include <cerrno>
#include <climits>

CTlsContext::~CTlsContext()
{
    SSL_CTX_free(m_context);
}

bool CTlsContext::Load(const std::string& chainFile, const std::string& keyFile, std::string* error)
{
    m_context = SSL_CTX_new(TLS_server_method());
    const bool ok = m_context && SSL_CTX_set_min_proto_version(m_context, TLS1_2_VERSION) == 1 &&
                    SSL_CTX_use_certificate_chain_file(m_context, chainFile.c_str()) == 1 &&
                    SSL_CTX_use_PrivateKey_file(m_context, keyFile.c_str(), SSL_FILETYPE_PEM) == 1 &&
                    SSL_CTX_check_private_key(m_context) == 1;
    if (!ok) {
        char text[256];
        ERR_error_string_n(ERR_get_error(), text, sizeof text);
        *error = chainFile + ", " + keyFile + ": " + text;
        return false;
    }
    // Output is kept by the connection until the socket takes it: a retried
    // write may come from a buffer that has moved on.
    SSL_CTX_set_mode(m_context, SSL_MODE_ENABLE_PARTIAL_WRITE | SSL_MODE_ACCEPT_MOVING_WRITE_BUFFER);
    // Schannel ends with the connection, without a close_notify: that is the
    // client's orderly end, as in clear.
    SSL_CTX_set_options(m_context, SSL_OP_IGNORE_UNEXPECTED_EOF);
    return true;
}

std::unique_ptr<IByteStream> CTlsContext::NewStream(int fd) const
{
    SSL* ssl = SSL_new(m_context);
    if (!ssl)
        return nullptr;
    SSL_set_fd(ssl, fd);
    SSL_set_accept_state(ssl);
    return std::make_unique<CTlsStream>(ssl);
}

ssize_t CTlsStream::Read(void* buffer, size_t size)
{
    ERR_clear_error();
    return Result(SSL_read(m_ssl, buffer, static_cast<int>(size < INT_MAX ? size : INT_MAX)));
}

ssize_t CTlsStream::Write(const void* bytes, size_t count)
{
    ERR_clear_error();
    return Result(SSL_write(m_ssl, bytes, static_cast<int>(count < INT_MAX ? count : INT_MAX)));
}

// OpenSSL's outcome in recv's terms. A client that fails the handshake or
// breaks a record is an error like a reset connection.
ssize_t CTlsStream::Result(int done)
{
    m_needsWritable = false;
    if (done > 0)
        return done;
    switch (SSL_get_error(m_ssl, done)) {
    case SSL_ERROR_ZERO_RETURN: return 0;
    case SSL_ERROR_WANT_WRITE: m_needsWritable = true; [[fallthrough]];
    case SSL_ERROR_WANT_READ: errno = EAGAIN; return -1;
    case SSL_ERROR_SYSCALL: return -1; // errno tells
    default:
        ERR_clear_error();
        errno = EPROTO;
        return -1;
    }
}
