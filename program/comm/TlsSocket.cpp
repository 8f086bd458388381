#include "comm/TlsSocket.h"

#include "comm/PlaceOrderSession.h"
#include "comm/ServerIdentity.h"
#include "framework/DebugOutput.h"

namespace {
constexpr size_t kRawReadSize = 4096;
} // namespace

int CTlsSocket::Create()
{
    Close();
    m_state = State::Connecting;
    return m_tcp.Create();
}

int CTlsSocket::Connect(const std::string& host, int port)
{
    m_host = host;
    return m_tcp.Connect(host, port);
}

void CTlsSocket::Close()
{
    ++m_generation;
    m_tcp.Close();
    m_session.Reset();
    m_records.Clear();
    m_plain.clear();
    m_state = State::Closed;
}

void CTlsSocket::SendRaw(const std::string& bytes)
{
    if (!bytes.empty())
        m_tcp.Send(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

void CTlsSocket::Send(const uint8_t* bytes, size_t count)
{
    std::string sealed;
    if (m_state == State::Open && m_session.Encrypt(bytes, count, &sealed))
        SendRaw(sealed);
}

int CTlsSocket::Receive(uint8_t* buffer, size_t size)
{
    if (m_plain.empty())
        return -1;
    const size_t count = size < m_plain.size() ? size : m_plain.size();
    memcpy(buffer, m_plain.data(), count);
    m_plain.erase(0, count);
    return static_cast<int>(count);
}

void CTlsSocket::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, const CInternetSocket::EventSink& sink)
{
    m_tcp.OnMessage(message, wParam, lParam, [this, &sink](int code, int error) { OnTcpEvent(code, error, sink); });
}

void CTlsSocket::OnTcpEvent(int code, int error, const CInternetSocket::EventSink& sink)
{
    if (m_state == State::Closed)
        return;
    switch (code) {
    case kSocketConnect:
        if (error != 0)
            return sink(code, error);
        return OnConnected(sink);
    case kSocketRead: return OnBytes(sink);
    case kSocketWrite:
        if (m_state == State::Open)
            sink(code, error);
        return;
    case kSocketClose:
        // A server that hangs up in the handshake did not prove itself.
        return sink(code, m_state == State::Handshaking ? kServerNotProven : error);
    default: return;
    }
}

void CTlsSocket::OnConnected(const CInternetSocket::EventSink& sink)
{
    const unsigned generation = m_generation;
    sink(kSocketConnect, 0);
    if (generation != m_generation)
        return;
    std::string hello;
    if (!m_session.Start(m_host, &hello))
        return Fail(sink);
    m_state = State::Handshaking;
    SendRaw(hello);
}

// Everything the stack holds is taken at once: the records are opened here,
// and the session reads their bytes in its own pieces.
void CTlsSocket::OnBytes(const CInternetSocket::EventSink& sink)
{
    uint8_t raw[kRawReadSize];
    int count;
    while ((count = m_tcp.Receive(raw, sizeof raw)) > 0)
        m_records.Append(raw, static_cast<size_t>(count));
    if (m_state == State::Handshaking && !TakeHandshake(sink))
        return;
    if (m_state != State::Open)
        return;
    // Bytes opened before a damaged record or the server's close still count.
    const bool intact = OpenRecords();
    const unsigned generation = m_generation;
    while (!m_plain.empty() && generation == m_generation)
        sink(kSocketRead, 0);
    if (!intact && generation == m_generation)
        Fail(sink);
}

// False while the handshake goes on, or when it failed (and was reported).
bool CTlsSocket::TakeHandshake(const CInternetSocket::EventSink& sink)
{
    if (m_records.Pending().empty())
        return false;
    if (!CTlsRecordBuffer::MayStartRecord(m_records.Pending())) {
        Fail(sink);
        return false;
    }
    std::string reply;
    const CSchannelSession::Step step = m_session.Handshake(m_records, &reply);
    SendRaw(reply);
    if (step == CSchannelSession::Step::Continue)
        return false;
    if (step == CSchannelSession::Step::Failed || !ServerProven()) {
        Fail(sink);
        return false;
    }
    m_state = State::Open;
    const unsigned generation = m_generation;
    sink(kSocketWrite, 0);
    return generation == m_generation;
}

bool CTlsSocket::ServerProven()
{
    PCCERT_CONTEXT certificate = m_session.ServerCertificate();
    const bool proven = ProvesQuarn(certificate, m_pin);
    DebugOutput("Secure connection: protocol 0x%lx, certificate %s, %s\r\n", m_session.Protocol(),
                certificate ? "shown" : "missing", proven ? "Quarn's" : "not Quarn's");
    if (certificate)
        CertFreeCertificateContext(certificate);
    return proven;
}

bool CTlsSocket::OpenRecords()
{
    std::string record;
    for (;;) {
        switch (m_records.Next(&record)) {
        case CTlsRecordBuffer::Take::NeedMore: return true;
        case CTlsRecordBuffer::Take::NotTls: return false;
        case CTlsRecordBuffer::Take::Record:
            if (!m_session.Decrypt(record, &m_plain))
                return false;
            break;
        }
    }
}

// The session closes the socket in answer.
void CTlsSocket::Fail(const CInternetSocket::EventSink& sink)
{
    const bool wasOpen = m_state == State::Open;
    m_state = State::Closed;
    sink(kSocketClose, wasOpen ? 0 : kServerNotProven);
}
