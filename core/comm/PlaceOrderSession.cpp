#include "comm/PlaceOrderSession.h"

#include <cstdarg>

#include "base/StrFormat.h"
#include "comm/BiSyncEngine.h"
#include "comm/LinkBytes.h"
#include "comm/ServerMessage.h"
#include "comm/UpdateFile.h"
#include "text/RasStateName.h"
#include "text/SocketErrorText.h"
#include "text/SupportTelephone.h"
#include "text/TapiTexts.h"
#include "trace/TraceSink.h"

namespace {

constexpr unsigned kRetryPeriodMs = 1000;
constexpr unsigned kConnectionPeriodMs = 20000;
constexpr unsigned kExchangeTickMs = 1000;
constexpr int kWouldBlock = 10035;
constexpr int kLookingUp = 10036; // WSAEINPROGRESS: the host's name is being looked up
constexpr int kDisconnectedError = 10101; // WSAEDISCON: "Disconnected"
constexpr size_t kReadSize = 256;

} // namespace

CPlaceOrderSession::CPlaceOrderSession(const Ports& ports, const PlaceOrderSettings& settings,
                                       const OrderMessageInputs& order)
    : m_ports(ports), m_settings(settings), m_order(order)
{
}

void CPlaceOrderSession::SetStatus(const char* format, ...)
{
    // Shown whole: a long dial-up or system error text is not cut.
    va_list args;
    va_start(args, format);
    const std::string text = StrFormatV(format, args);
    va_end(args);
    m_ports.host.ShowStatus(text);
    Trace(m_ports.trace, kTraceStatus, "-- status - '%s'\r\n", text.c_str());
}

void CPlaceOrderSession::Start()
{
    m_attempt = 1;
    ConnectAttempt();
}

void CPlaceOrderSession::Cancel()
{
    Trace(m_ports.trace, kTraceConnection, "* Aborting... \r\n");
    // Ending the dialog stops its timers: no attempt follows.
    m_ports.timers.KillTimer(kRetryTimer);
    m_ports.timers.KillTimer(kConnectionTimer);
    // The server may hold the order now: the pharmacist is told so, or given
    // the reply, rather than left to send it again.
    if (!m_ended && (m_lastBlockGone || !m_reply.empty())) {
        StopLink();
        EndExchange();
        return;
    }
    Disconnect();
    m_ended = true;
    StopExchangeClock();
}

void CPlaceOrderSession::ConnectAttempt()
{
    StopExchangeClock();
    Disconnect();
    Trace(m_ports.trace, kTraceConnection, "* Connecting\r\n");
    m_composed = m_handshaking = false;
    m_lastBlockFramed = m_lastBlockGone = false;
    if (m_settings.cnxType == 1) {
        if (!m_ports.modem || !m_ports.modem->OpenLine()) {
            SetStatus("Invalid modem device configuration in settings.\n\nAborted.");
            return;
        }
        SetStatus("Dialing '%s'", m_settings.number.c_str());
        // A call that never stands (no state, no reply) fails as a socket that never connects.
        m_ports.timers.SetTimer(kConnectionTimer, kConnectionPeriodMs);
        // A dial refused at once brings no call state: the attempt fails here.
        if (uint32_t error = m_ports.modem->Dial(m_settings.number))
            ConnectionFailed(Tapi::ErrorText(error));
    } else if (m_settings.rasConnection != 0 && m_ports.dialUp) {
        StartDial();
    } else {
        ConnectServer();
    }
}

void CPlaceOrderSession::ConnectServer()
{
    SetStatus("Connecting to server '%s' port %d", m_settings.host.c_str(), m_settings.port);
    m_composed = false;
    m_ports.timers.SetTimer(kConnectionTimer, kConnectionPeriodMs);
    if (int error = m_ports.socket.Create()) {
        SetStatus("failed - %s\r\n", SocketErrorText(error));
        return; // the connection timer retries
    }
    const int error = m_ports.socket.Connect(m_settings.host, m_settings.port);
    if (error == 0 || error == kWouldBlock) {
        m_ports.timers.KillTimer(kConnectionTimer); // the connect event tells the outcome
        return;
    }
    // A slow or silent name server is bounded by the connection timer, which
    // the connect event stops.
    if (error == kLookingUp)
        return;
    SetStatus("Aborted: unable to connect to server\r\n'%s' (%d)\r\n", SocketErrorText(error), error);
}

void CPlaceOrderSession::ConnectionFailed(const std::string& reason)
{
    m_ports.timers.KillTimer(kConnectionTimer);
    Disconnect();
    m_countdown = kCountdownSeconds;
    m_failurePrefix = StrFormat("Failed - %s\r\n", reason.c_str());
    if (m_attempt == kAttempts) {
        SetStatus("%sGiven up after %d attempts\r\nCheck Settings, or contact Quarn on %s", m_failurePrefix.c_str(),
                  kAttempts, kSupportTelephone);
        return;
    }
    ++m_attempt;
    SetStatus("%sAttempt %d, Retrying in %d seconds", m_failurePrefix.c_str(), m_attempt, m_countdown);
    m_ports.timers.SetTimer(kRetryTimer, kRetryPeriodMs);
}

void CPlaceOrderSession::Disconnect()
{
    Trace(m_ports.trace, kTraceConnection, "* Disconnecting\r\n");
    m_ports.link.ClearSendBuffer();
    if (m_settings.cnxType != 1) {
        Trace(m_ports.trace, kTraceConnection, "* Closed Socket\r\n");
        m_ports.socket.Close();
        m_ports.link.SetState(kLinkDisconnected);
        CloseRas();
    } else if (m_ports.modem && m_ports.modem->CallInProgress()) {
        m_ports.modem->Hangup();
        m_ports.modem->CloseLine();
    }
}

void CPlaceOrderSession::ComposeOrder()
{
    // A server that takes the order and never answers, or only ever asks the
    // link to wait, would otherwise hold the exchange open for good.
    m_exchangeLeft = kExchangeSeconds;
    m_ports.timers.SetTimer(kExchangeTimer, kExchangeTickMs);
    SetStatus("Transmitting Order");
    for (const std::string& field : ComposeOrderFields(m_order))
        m_ports.link.AddSendData(field);
    m_ports.link.SetState(kLinkIdle);
}

void CPlaceOrderSession::OnTimer(int id)
{
    if (m_ended)
        return;
    if (id == kRetryTimer)
        OnRetryTimer();
    else if (id == kConnectionTimer)
        OnConnectionTimer();
    else if (id == kExchangeTimer)
        OnExchangeTimer();
}

void CPlaceOrderSession::StopExchangeClock()
{
    m_ports.timers.KillTimer(kExchangeTimer);
}

// The deadline ends the link as its own give-up would.
void CPlaceOrderSession::OnExchangeTimer()
{
    if (--m_exchangeLeft > 0)
        return;
    StopExchangeClock();
    Trace(m_ports.trace, kTraceConnection, "* Exchange deadline passed\r\n");
    StopLink();
}

// An update may take long on a slow line: the deadline moves once, when the
// first one after the reply begins (one before it is not heard), and the whole
// exchange keeps a cap fixed then.
void CPlaceOrderSession::AllowForUpdate()
{
    if (m_updateAllowed || m_reply.empty() ||
        ClassifyServerMessage(m_ports.link.MessageSoFar()) != ServerMessageKind::Update)
        return;
    m_updateAllowed = true;
    m_exchangeLeft += kUpdateSeconds;
    Trace(m_ports.trace, kTraceConnection, "* Update begins: the deadline moves by %d s\r\n", kUpdateSeconds);
}

// Ends the connection and the link with it; the link's end then ends the exchange.
void CPlaceOrderSession::StopLink()
{
    Disconnect();
    if (m_ports.link.State() != kLinkDisconnected)
        m_ports.link.SetState(kLinkDisconnected); // a modem line leaves the link as it is
}

// The reply, if one came, still stands (Unconfirmed without the closing
// exchange); without one, once the order's last block went nobody can tell
// whether the order arrived, and the status says so before the response.
void CPlaceOrderSession::EndExchange()
{
    m_ended = true;
    StopExchangeClock();
    const ExchangeEnd end = End();
    if (end == ExchangeEnd::NoAnswer || end == ExchangeEnd::Unconfirmed)
        SetStatus("%s", end == ExchangeEnd::NoAnswer ? kNoAnswerText : kUnconfirmedText);
    m_ports.host.LinkEnded();
}

void CPlaceOrderSession::OnRetryTimer()
{
    const int before = m_countdown--;
    if (before == 0) {
        m_ports.timers.KillTimer(kRetryTimer);
        ConnectAttempt();
        return;
    }
    SetStatus("%sAttempt %d, Retrying in %d seconds", m_failurePrefix.c_str(), m_attempt, m_countdown);
}

void CPlaceOrderSession::OnConnectionTimer()
{
    m_ports.timers.KillTimer(kConnectionTimer);
    if (m_handshaking)
        return NotProven();
    Disconnect();
    ConnectionFailed("Connection Timed out...");
}

// Whoever answers there is not Quarn, and will not be on the next attempt:
// the order stays unsent and the pharmacist is told at once.
void CPlaceOrderSession::NotProven()
{
    m_handshaking = false;
    m_ports.timers.KillTimer(kConnectionTimer);
    Disconnect();
    SetStatus("Failed - %s\r\nThe order was not sent. Check Settings, or contact Quarn on %s", kServerNotProvenText,
              kSupportTelephone);
}

void CPlaceOrderSession::OnSocketEvent(int code, int error)
{
    switch (code) {
    case kSocketConnect:
        m_ports.timers.KillTimer(kConnectionTimer); // it may still bound a name lookup
        if (error != 0)
            return ConnectionFailed(SocketErrorText(error));
        SetStatus("Connected");
        // A secure socket tells it is ready to send only once the server
        // proved itself: a server that never finishes the handshake is bounded.
        m_handshaking = m_settings.secure;
        if (m_handshaking)
            m_ports.timers.SetTimer(kConnectionTimer, kConnectionPeriodMs);
        break;
    case kSocketWrite:
        // Windows tells "ready to send" again after a full send buffer drains:
        // the order goes once per connection.
        if (m_composed)
            break;
        if (m_handshaking)
            m_ports.timers.KillTimer(kConnectionTimer);
        m_handshaking = false;
        m_composed = true;
        Trace(m_ports.trace, kTraceConnection, "* Sending Order (TCP/IP)\r\n");
        ComposeOrder();
        break;
    case kSocketRead: ReadSocket(); break;
    case kSocketClose:
        if (error == kServerNotProven)
            return NotProven();
        // Closed before the order went: no link will end the attempt, so it
        // fails here and is retried instead of waiting for a cancel.
        if (m_composed)
            Disconnect();
        else
            ConnectionFailed(SocketErrorText(error != 0 ? error : kDisconnectedError));
        break;
    default: break;
    }
}

void CPlaceOrderSession::ReadSocket()
{
    uint8_t buffer[kReadSize];
    const int count = m_ports.socket.Receive(buffer, sizeof buffer);
    // An error or an empty read is no data; the close event or the link's own timers follow.
    if (count > 0)
        DataReceived(buffer, static_cast<size_t>(count));
}

// A call reports "connected" again when its mode changes: the order goes
// once a call. From here the exchange's end finishes the sending; a hang-up
// is no failed attempt.
void CPlaceOrderSession::OnModemConnected()
{
    if (m_ended || m_composed)
        return;
    m_composed = true;
    m_ports.timers.KillTimer(kConnectionTimer);
    m_ports.modem->OpenDataChannel();
    SetStatus("Connected...");
    m_ports.link.Connected();
    Trace(m_ports.trace, kTraceConnection, "* Sending Order\r\n");
    ComposeOrder();
}

// Before the order went, a lost call is a failed attempt; after, nothing more
// can come over it, so the exchange ends now rather than at the link's timers.
void CPlaceOrderSession::OnModemDisconnected(const std::string& reason)
{
    if (m_ended)
        return;
    if (!m_composed) {
        if (Dialling())
            ConnectionFailed(reason);
        return;
    }
    SetStatus("Disconnected... %s", reason.c_str());
    StopLink();
}

void CPlaceOrderSession::OnModemDialFailed(uint32_t error)
{
    if (!m_ended && !m_composed && Dialling())
        ConnectionFailed(Tapi::ErrorText(error));
}

// A call state or reply of a call already given up (its line closed) counts for nothing.
bool CPlaceOrderSession::Dialling() const
{
    return m_ports.modem && m_ports.modem->CallInProgress();
}

// A dial that can't start ends the attempt without a retry: the status keeps
// the error until the user cancels.
void CPlaceOrderSession::StartDial()
{
    SetStatus("Creating RAS connection");
    if (uint32_t error = m_ports.dialUp->WriteEntry(MakeDialUpEntry(m_settings.deviceName))) {
        SetStatus("%s", m_ports.dialUp->ErrorText(error).c_str());
        return;
    }
    SetStatus("Dialing RAS Connection");
    if (uint32_t error = m_ports.dialUp->Dial(MakeDialUpParams(m_settings.dialPrefix)))
        SetStatus("%s", m_ports.dialUp->ErrorText(error).c_str());
}

void CPlaceOrderSession::OnRasDialEvent(uint32_t state, uint32_t error)
{
    if (m_ended || !m_ports.dialUp)
        return;
    if (error != 0) {
        const std::string text = m_ports.dialUp->ErrorText(error);
        Trace(m_ports.trace, kTraceConnection, "  ----- ras dial failed - '%s'\r\n", text.c_str());
        ConnectionFailed(text); // its Disconnect hangs the dial-up connection up
        return;
    }
    SetStatus("%s", RasStateName(state));
    if (state == kDialUpConnected)
        ConnectServer();
}

void CPlaceOrderSession::CloseRas()
{
    if (!m_ports.dialUp || !m_ports.dialUp->Dialled())
        return;
    Trace(m_ports.trace, kTraceConnection, "* closing Ras connection\r\n");
    if (uint32_t error = m_ports.dialUp->HangUp())
        Trace(m_ports.trace, kTraceConnection, " ---- failed to close ras connection, error - %s\r\n",
              m_ports.dialUp->ErrorText(error).c_str());
}

void CPlaceOrderSession::DataReceived(const uint8_t* bytes, size_t count)
{
    m_ports.link.ReceiveData(bytes, count);
}

void CPlaceOrderSession::OnLinkSend(const std::vector<uint8_t>& bytes)
{
    bool sent = true;
    if (m_settings.cnxType == 1) {
        if (m_ports.modem)
            sent = m_ports.modem->Write(bytes.data(), bytes.size());
    } else {
        m_ports.socket.Send(bytes.data(), bytes.size());
    }
    // The first block to end a message (ETX, which data never holds) is the
    // order's last; once its check character has gone too, the server may
    // hold the order. A write the modem refused has not gone.
    if (sent && m_lastBlockFramed)
        m_lastBlockGone = true;
    m_lastBlockFramed = sent && bytes.size() >= 2 && bytes.front() == kSTX && bytes.back() == kETX;
}

void CPlaceOrderSession::OnLinkMessage(const std::string& text)
{
    ClassifyMessage(text);
}

// One reply and one update an exchange: a server that sends more is answered
// "BAD" and not heard, so it can neither change the order's answer nor
// rewrite the program file.
void CPlaceOrderSession::ClassifyMessage(const std::string& text)
{
    ServerMessageKind kind = ClassifyServerMessage(text);
    const bool again = (kind == ServerMessageKind::Reply && !m_reply.empty()) ||
                       (kind == ServerMessageKind::Update && m_updateTaken);
    if (again) {
        Trace(m_ports.trace, kTraceConnection, "* One reply and one update an exchange: ignored\r\n");
        kind = ServerMessageKind::Other;
    }
    if (kind == ServerMessageKind::Reply)
        m_reply = text;
    else if (kind == ServerMessageKind::Update && !TakeUpdate(text))
        kind = ServerMessageKind::Other;
    m_ports.link.AddSendData(ServerMessageAnswer(kind));
    m_ports.link.FinishedRequest();
}

// An update is heard only after the order's reply, as the wholesaler sends
// it, and answered "OK" only once "one" is on the disk: a "BAD" tells the
// server it was not stored, so it can offer it again another time.
bool CPlaceOrderSession::TakeUpdate(const std::string& text)
{
    if (m_reply.empty()) {
        Trace(m_ports.trace, kTraceConnection, "* An update before the reply: ignored\r\n");
        return false;
    }
    m_updateTaken = true;
    if (WriteUpdateFile(text, m_updatePath))
        return true;
    Trace(m_ports.trace, kTraceConnection, "* Update not written to '%s'\r\n", m_updatePath.c_str());
    return false;
}

void CPlaceOrderSession::OnLinkState(int state)
{
    // A closing dialog takes no more messages, as a destroyed window gets none.
    if (m_ended)
        return;
    switch (state) {
    case kLinkDisconnected: EndExchange(); break;
    case kLinkReceiving:
        AllowForUpdate();
        SetStatus("Receiving response.");
        break;
    case kLinkDisconnecting:
        // Our EOT has gone: once the line is hung up nothing more can come
        // over it, so the link ends now rather than after its EOT timer.
        SetStatus("Disconnected from the server.");
        StopLink();
        break;
    default: break;
    }
}

ExchangeEnd CPlaceOrderSession::End() const
{
    if (m_reply.empty())
        return m_lastBlockGone ? ExchangeEnd::NoAnswer : ExchangeEnd::Failed;
    return m_ports.link.OrderlyEnd() ? ExchangeEnd::Confirmed : ExchangeEnd::Unconfirmed;
}

ReplyOutcome CPlaceOrderSession::ApplyReply(CItemList& order, CItemList& response, int32_t& orderCounter)
{
    ReplyOutcome outcome = ProcessReply(m_reply, End(), order, response, orderCounter);
    if (outcome.orderNumber)
        m_orderNumber = *outcome.orderNumber;
    return outcome;
}
