#pragma once
#include <string>

#include "comm/CertificatePin.h"
#include "comm/InternetSocket.h"
#include "comm/SchannelSession.h"
#include "comm/TlsRecordBuffer.h"

// The secure connection: TLS through Schannel over the place-order dialog's
// TCP socket, the link's bytes unchanged inside it. To the session it is the
// same socket: connected when TCP stands, ready to send only once the server
// proved it holds Quarn's pinned key, and closed with kServerNotProven when
// it can't. Records are opened whole; what the session has not yet read of
// their bytes waits here.
class CTlsSocket : public IOrderSocket {
public:
    explicit CTlsSocket(CInternetSocket& tcp) : m_tcp(tcp) {}

    void SetPin(const CCertificatePin& pin) { m_pin = pin; }

    // IOrderSocket
    int Create() override;
    int Connect(const std::string& host, int port) override;
    void Close() override;
    void Send(const uint8_t* bytes, size_t count) override;
    int Receive(uint8_t* buffer, size_t size) override;

    // As CInternetSocket::OnMessage, with the TCP events turned into secure ones.
    void OnMessage(UINT message, WPARAM wParam, LPARAM lParam, const CInternetSocket::EventSink& sink);

private:
    enum class State { Closed, Connecting, Handshaking, Open };

    void OnTcpEvent(int code, int error, const CInternetSocket::EventSink& sink);
    void OnConnected(const CInternetSocket::EventSink& sink);
    void OnBytes(const CInternetSocket::EventSink& sink);
    bool TakeHandshake(const CInternetSocket::EventSink& sink);
    bool OpenRecords();
    bool ServerProven();
    void Fail(const CInternetSocket::EventSink& sink);
    void SendRaw(const std::string& bytes);

    CInternetSocket& m_tcp;
    CCertificatePin m_pin;
    CSchannelSession m_session;
    CTlsRecordBuffer m_records;
    std::string m_plain;
    std::string m_host;
    State m_state = State::Closed;
    unsigned m_generation = 0;
};
