#include <gtest/gtest.h>
#include <openssl/ssl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>

#include "LinkRig.h"
#include "LoopbackClient.h"

namespace {

// The secure port beside the plain one: the same engine answers the link's
// bid inside TLS. The log tells the secure exchanges.
TEST(TlsPort, AnswersTheBidInsideTls)
{
    CTempFolder ca;
    ASSERT_EQ(0, std::system((std::string(QBX_MAKE_TEST_CA) + " " + ca.Path("") + " >/dev/null").c_str()));
    ServerOptions options;
    options.tlsPort = 0;
    options.certFile = ca.Path("server.pem");
    options.keyFile = ca.Path("server.key");
    CTestServer server(options);
    ASSERT_NE(0, server.TlsPort());

    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    ASSERT_EQ(0, ConnectLoopback(fd, server.TlsPort()));
    SSL_CTX* context = SSL_CTX_new(TLS_client_method());
    SSL* ssl = SSL_new(context);
    SSL_set_fd(ssl, fd);
    ASSERT_EQ(1, SSL_connect(ssl));
    ASSERT_EQ(1, SSL_write(ssl, kEnq.data(), 1));
    std::string got;
    char answer[2] = {};
    while (got.size() < 2) {
        const int n = SSL_read(ssl, answer, static_cast<int>(2 - got.size()));
        if (n <= 0)
            break;
        got.append(answer, static_cast<size_t>(n));
    }
    EXPECT_EQ(kAck0, got);
    SSL_free(ssl);
    SSL_CTX_free(context);
    close(fd);
    EXPECT_TRUE(server.LogShows(" TLS no order answered"));
}

} // namespace
