#include "comm/SchannelSession.h"

#include <vector>

namespace {
constexpr DWORD kRequest = ISC_REQ_SEQUENCE_DETECT | ISC_REQ_REPLAY_DETECT | ISC_REQ_CONFIDENTIALITY |
                           ISC_REQ_ALLOCATE_MEMORY | ISC_REQ_STREAM | ISC_REQ_MANUAL_CRED_VALIDATION;
// TLS 1.2 or later only: older versions are broken.
constexpr DWORD kProtocols = SP_PROT_TLS1_2_CLIENT | SP_PROT_TLS1_3_CLIENT;

// Takes the token Schannel allocated into out and frees it.
void TakeToken(SecBuffer& token, std::string* out)
{
    if (token.pvBuffer && token.cbBuffer > 0)
        out->append(static_cast<const char*>(token.pvBuffer), token.cbBuffer);
    if (token.pvBuffer)
        FreeContextBuffer(token.pvBuffer);
    token.pvBuffer = nullptr;
}
} // namespace

bool CSchannelSession::AcquireCredentials()
{
    SCHANNEL_CRED credentials = {};
    credentials.dwVersion = SCHANNEL_CRED_VERSION;
    credentials.grbitEnabledProtocols = kProtocols;
    credentials.dwFlags = SCH_CRED_MANUAL_CRED_VALIDATION | SCH_CRED_NO_DEFAULT_CREDS;
    TimeStamp expiry;
    char package[] = UNISP_NAME_A;
    const SECURITY_STATUS status = AcquireCredentialsHandleA(nullptr, package, SECPKG_CRED_OUTBOUND, nullptr,
                                                             &credentials, nullptr, nullptr, &m_credentials, &expiry);
    m_haveCredentials = status == SEC_E_OK;
    return m_haveCredentials;
}

SECURITY_STATUS CSchannelSession::Initialize(SecBufferDesc* input, std::string* out)
{
    SecBuffer token = {0, SECBUFFER_TOKEN, nullptr};
    SecBufferDesc output = {SECBUFFER_VERSION, 1, &token};
    ULONG attributes = 0;
    TimeStamp expiry;
    const SECURITY_STATUS status =
        InitializeSecurityContextA(&m_credentials, m_haveContext ? &m_context : nullptr,
                                   const_cast<char*>(m_host.c_str()), kRequest, 0, 0, input, 0, &m_context,
                                   &output, &attributes, &expiry);
    m_haveContext = true;
    TakeToken(token, out);
    return status;
}

bool CSchannelSession::Start(const std::string& host, std::string* out)
{
    Reset();
    m_host = host;
    if (!AcquireCredentials())
        return false;
    return Initialize(nullptr, out) == SEC_I_CONTINUE_NEEDED;
}

CSchannelSession::Step CSchannelSession::Handshake(CTlsRecordBuffer& in, std::string* out)
{
    std::string received = in.Pending();
    SecBuffer buffers[2] = {{static_cast<ULONG>(received.size()), SECBUFFER_TOKEN, received.data()},
                            {0, SECBUFFER_EMPTY, nullptr}};
    SecBufferDesc input = {SECBUFFER_VERSION, 2, buffers};
    const SECURITY_STATUS status = Initialize(&input, out);
    if (status == SEC_E_INCOMPLETE_MESSAGE)
        return Step::Continue;
    if (status != SEC_E_OK && status != SEC_I_CONTINUE_NEEDED)
        return Step::Failed;
    in.KeepLast(buffers[1].BufferType == SECBUFFER_EXTRA ? buffers[1].cbBuffer : 0);
    if (status == SEC_I_CONTINUE_NEEDED)
        return Step::Continue;
    return QueryContextAttributesA(&m_context, SECPKG_ATTR_STREAM_SIZES, &m_sizes) == SEC_E_OK ? Step::Done
                                                                                               : Step::Failed;
}

bool CSchannelSession::Encrypt(const uint8_t* bytes, size_t count, std::string* out)
{
    while (count > 0) {
        const size_t piece = count < m_sizes.cbMaximumMessage ? count : m_sizes.cbMaximumMessage;
        std::vector<char> record(m_sizes.cbHeader + piece + m_sizes.cbTrailer);
        memcpy(record.data() + m_sizes.cbHeader, bytes, piece);
        SecBuffer buffers[4] = {{m_sizes.cbHeader, SECBUFFER_STREAM_HEADER, record.data()},
                                {static_cast<ULONG>(piece), SECBUFFER_DATA, record.data() + m_sizes.cbHeader},
                                {m_sizes.cbTrailer, SECBUFFER_STREAM_TRAILER, record.data() + m_sizes.cbHeader + piece},
                                {0, SECBUFFER_EMPTY, nullptr}};
        SecBufferDesc message = {SECBUFFER_VERSION, 4, buffers};
        if (EncryptMessage(&m_context, 0, &message, 0) != SEC_E_OK)
            return false;
        out->append(record.data(), buffers[0].cbBuffer + buffers[1].cbBuffer + buffers[2].cbBuffer);
        bytes += piece;
        count -= piece;
    }
    return true;
}

bool CSchannelSession::Decrypt(std::string& record, std::string* plain)
{
    SecBuffer buffers[4] = {{static_cast<ULONG>(record.size()), SECBUFFER_DATA, record.data()},
                            {0, SECBUFFER_EMPTY, nullptr},
                            {0, SECBUFFER_EMPTY, nullptr},
                            {0, SECBUFFER_EMPTY, nullptr}};
    SecBufferDesc message = {SECBUFFER_VERSION, 4, buffers};
    const SECURITY_STATUS status = DecryptMessage(&m_context, &message, 0, nullptr);
    // A record of the protocol itself (a TLS 1.3 session ticket) carries no data.
    if (status != SEC_E_OK && status != SEC_I_RENEGOTIATE)
        return false;
    for (const SecBuffer& buffer : buffers) {
        if (buffer.BufferType == SECBUFFER_DATA && buffer.pvBuffer)
            plain->append(static_cast<const char*>(buffer.pvBuffer), buffer.cbBuffer);
    }
    return true;
}

PCCERT_CONTEXT CSchannelSession::ServerCertificate()
{
    PCCERT_CONTEXT certificate = nullptr;
    if (QueryContextAttributesA(&m_context, SECPKG_ATTR_REMOTE_CERT_CONTEXT, &certificate) != SEC_E_OK)
        return nullptr;
    return certificate;
}

DWORD CSchannelSession::Protocol()
{
    SecPkgContext_ConnectionInfo info = {};
    if (QueryContextAttributesA(&m_context, SECPKG_ATTR_CONNECTION_INFO, &info) != SEC_E_OK)
        return 0;
    return info.dwProtocol;
}

void CSchannelSession::Reset()
{
    if (m_haveContext)
        DeleteSecurityContext(&m_context);
    if (m_haveCredentials)
        FreeCredentialsHandle(&m_credentials);
    m_haveContext = m_haveCredentials = false;
    m_sizes = {};
}
