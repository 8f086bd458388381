#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "comm/OrderMessage.h"
#include "comm/OrderReply.h"
#include "comm/PlaceOrderPorts.h"

class CBiSyncEngine;
class CItemList;
class ITimerHost;
class ITraceSink;

// Socket event codes, the top four bits of the socket message's lParam.
enum SocketEvent : int { kSocketAccept = 0, kSocketClose = 1, kSocketConnect = 3, kSocketRead = 4, kSocketWrite = 5 };
// The error a secure socket closes with when the server failed the handshake
// or the pinned key: beyond the range of the socket layer's own numbers.
constexpr int kServerNotProven = 0x0FFFFFF;
constexpr const char* kServerNotProvenText = "The server could not prove it is Quarn";

// The place-order dialog's timers.
enum PlaceOrderTimer : int {
    kRetryTimer = 1,      // 1000 ms: the countdown to the next attempt
    kConnectionTimer = 2, // 20000 ms: a socket that couldn't start connecting, a name lookup, a modem call
    kExchangeTimer = 3,   // 1000 ms: counts down the exchange's deadline once the order goes
};

struct PlaceOrderSettings {
    std::string host;
    int port = 7410;
    int cnxType = 0;       // 1: modem
    int rasConnection = 0; // dial up before TCP
    std::string number;    // the modem's telephone number
    std::string deviceName;  // the modem the dial-up entry uses
    std::string dialPrefix;  // dialled before the dial-up access number
    bool secure = false;     // TLS over the Internet connection, the server's key pinned
};

// One sending of the order, as the place-order dialog runs it: up to five
// connection attempts with a ten-second countdown between them, the order
// composed once the line stands, the server's messages answered, and the end
// of the link handed to the dialog. Every input is a call from the dialog's
// message handling; the dialog itself only adapts controls and devices.
class CPlaceOrderSession {
public:
    struct Ports {
        IPlaceOrderHost& host;
        IOrderSocket& socket;
        IOrderModem* modem;   // needed with CnxType 1
        IDialUp* dialUp;      // needed with RasConnection
        ITimerHost& timers;   // the dialog's timers 1, 2 and 3
        CBiSyncEngine& link;
        ITraceSink* trace;
    };

    CPlaceOrderSession(const Ports& ports, const PlaceOrderSettings& settings, const OrderMessageInputs& order);

    // The dialog's initialisation: the first attempt.
    void Start();
    // Esc, a cancel button or the skin's close control; the dialog then ends.
    // Once the order's last block has gone, or a reply came, the end goes to
    // the host (LinkEnded) first, as the link's own end would.
    void Cancel();
    void OnTimer(int id);

    void OnSocketEvent(int code, int error);
    void OnModemConnected();
    void OnModemDisconnected(const std::string& reason);
    // The telephony layer took the dial, then failed it (LINE_REPLY).
    void OnModemDialFailed(uint32_t error);
    // The dial event message: a connection state, and an error number that
    // is not 0 when the dial failed.
    void OnRasDialEvent(uint32_t state, uint32_t error);

    // The link window's messages.
    void OnLinkSend(const std::vector<uint8_t>& bytes);
    void OnLinkMessage(const std::string& text);
    void OnLinkState(int state);

    // Bytes from the modem or the socket, for the link.
    void DataReceived(const uint8_t* bytes, size_t count);
    void SetStatus(const char* format, ...) __attribute__((format(printf, 2, 3)));

    // The record side of the end: applies the stored reply to the order and
    // the response list and takes the order number it gave.
    ReplyOutcome ApplyReply(CItemList& order, CItemList& response, int32_t& orderCounter);
    // How the exchange ended, once the link has ended (ApplyReply tells the same).
    ExchangeEnd End() const;

    const std::string& OrderNumberText() const { return m_orderNumber; }
    const std::string& ReplyText() const { return m_reply; }
    int Attempt() const { return m_attempt; }
    // Where an executable update is written; "one" beside the program.
    void SetUpdatePath(const std::string& path) { m_updatePath = path; }

    static constexpr int kAttempts = 5;
    static constexpr int kCountdownSeconds = 10;
    // From the order going into the link to the link's end: a hard cap,
    // moved once by kUpdateSeconds when an update begins.
    static constexpr int kExchangeSeconds = 180;
    // The longest update the link takes (16 MiB) at a slow line's 20 blocks a
    // second needs under an hour.
    static constexpr int kUpdateSeconds = 3600;

private:
    void ConnectAttempt();
    void ConnectServer();
    void StartDial();
    void CloseRas();
    void ConnectionFailed(const std::string& reason);
    void Disconnect();
    void ComposeOrder();
    void ClassifyMessage(const std::string& text);
    bool TakeUpdate(const std::string& text);
    bool Dialling() const;
    void StopLink();
    void EndExchange();
    void AllowForUpdate();
    void OnConnectionTimer();
    void OnRetryTimer();
    void OnExchangeTimer();
    void StopExchangeClock();
    void ReadSocket();
    void NotProven();

    Ports m_ports;
    PlaceOrderSettings m_settings;
    const OrderMessageInputs& m_order;
    std::string m_orderNumber = "<failed>";
    std::string m_reply;
    std::string m_updatePath = "one";
    int m_attempt = 1;
    int m_countdown = kCountdownSeconds;
    int m_exchangeLeft = 0;            // seconds to the exchange's deadline
    std::string m_failurePrefix;
    bool m_composed = false;           // the order went into the link on this connection or call
    bool m_handshaking = false;        // connected securely, the server not yet proven
    bool m_lastBlockFramed = false;    // the piece just sent was a block that ends a message
    bool m_lastBlockGone = false;      // the order's last block went out: the server may hold the order
    bool m_updateAllowed = false;      // the deadline took its one update allowance
    bool m_updateTaken = false;        // an update came after the reply; a further one is not heard
    bool m_ended = false;              // cancelled, or the link's end handed over: the dialog is closing
};
