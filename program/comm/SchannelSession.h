#pragma once
#include <winsock2.h>
#include <windows.h>
#define SECURITY_WIN32
#include <schannel.h>
#include <security.h>

#include <cstdint>
#include <string>

#include "comm/TlsRecordBuffer.h"

// One TLS client session through the system's own TLS (Schannel): the
// handshake, then records sealed and opened. It sees only bytes; the socket
// beneath and the check of who answered are the caller's. Schannel is told
// not to judge the server's certificate itself: the pinned key does that.
class CSchannelSession {
public:
    enum class Step { Continue, Done, Failed };

    CSchannelSession() = default;
    CSchannelSession(const CSchannelSession&) = delete;
    CSchannelSession& operator=(const CSchannelSession&) = delete;
    ~CSchannelSession() { Reset(); }

    // Starts a handshake with the host; out receives the first bytes to send.
    bool Start(const std::string& host, std::string* out);
    // Takes the server's handshake bytes from in (what is left there after
    // Done is already application data); out receives what to send back.
    Step Handshake(CTlsRecordBuffer& in, std::string* out);
    // Seals bytes into records, appended to out.
    bool Encrypt(const uint8_t* bytes, size_t count, std::string* out);
    // Opens one whole record, appending its bytes to plain; false when the
    // record is damaged or the server ended the session.
    bool Decrypt(std::string& record, std::string* plain);
    // The certificate the server showed, or null; the caller frees it.
    PCCERT_CONTEXT ServerCertificate();
    // The protocol agreed (SP_PROT_* bits), 0 when unknown.
    DWORD Protocol();
    void Reset();

private:
    bool AcquireCredentials();
    SECURITY_STATUS Initialize(SecBufferDesc* input, std::string* out);

    CredHandle m_credentials{};
    CtxtHandle m_context{};
    bool m_haveCredentials = false;
    bool m_haveContext = false;
    std::string m_host;
    SecPkgContext_StreamSizes m_sizes{};
};
