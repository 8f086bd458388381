#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "comm/BiSyncReceiver.h"
#include "comm/BlockSender.h"
#include "comm/LinkPorts.h"
#include "comm/SendQueue.h"

class ITraceSink;

// Link states; the index is what OnLinkState (WM_LINK_STATE) carries.
enum LinkState : int {
    kLinkDisconnected = 0, // no link; nothing is sent
    kLinkConnected,        // a modem call stands; passes on at once to Ignoring Junk
    kLinkIgnoringJunk,     // line noise is dropped until the line is quiet or the other side bids
    kLinkIdle,             // line free
    kLinkEnquiring,        // we bid (ENQ) and await ACK0
    kLinkEnquiry,          // the other side bid and we granted it; awaiting its first block
    kLinkSending,          // a block is out; awaiting its acknowledgement
    kLinkReceiving,        // between received blocks
    kLinkDataStart,        // inside a received block
    kLinkBlockEnd,         // ETB received; awaiting the check character
    kLinkDataEnd,          // ETX received; awaiting the check character
    kLinkDisconnecting,    // we sent the closing EOT
    kLinkStateCount
};

// The engine's timer ids, as the link window's timers.
enum LinkTimer : int {
    kJunkTimer = 1,   // 1000 ms while ignoring junk
    kBidTimer = 6,    // 3000 ms plus 0 to 99 ms: bid again
    kAckTimer = 8,    // 200 ms, then 5000 ms: acknowledge late or send WACK
    kEotTimer = 9,    // 2000 ms: repeat the closing EOT, then give up
    kBlockTimer = 10, // 15000 ms: no acknowledgement, send the block again
};

// Which end of the exchange this engine plays; it only names the two
// directions in the trace ("Client: " for what the client sends).
enum class LinkStation { Client, Server };

// The binary-synchronous link: a station bids with ENQ, the other grants with
// ACK0; blocks of at most 243 data bytes follow, each acknowledged with the
// alternating ACK1 / ACK0 or refused with NAK; ETX ends a message, EOT a
// transmission, and an EOT answered with EOT the conversation.
//
// The same engine plays both stations. The client queues its order with
// AddSendData and enters Idle, which bids. The server grants the bid, receives
// the order (OnLinkMessage), queues its reply, calls FinishedRequest, and bids
// for the line when the client's EOT arrives.
//
// It never touches a device: output leaves through the owner (OnLinkSend) and
// received bytes come in through ReceiveData. Timers are the host's; the host
// calls OnTimer when one falls due. Everything runs on one thread.
class CBiSyncEngine {
public:
    CBiSyncEngine(ILinkOwner& owner, ITimerHost& timers, IRandomSource& random, ITraceSink* trace,
                  LinkStation station = LinkStation::Client);
    CBiSyncEngine(const CBiSyncEngine&) = delete;
    CBiSyncEngine& operator=(const CBiSyncEngine&) = delete;

    // Queues a text for sending; in Idle the link bids at once.
    void AddSendData(const std::string& text);
    // The same for a long text many links send at once: read, never copied.
    void AddSharedData(std::shared_ptr<const std::string> text);
    // Enters a state (LinkState); an unknown index is traced and changes nothing.
    // Owners use it to start sending (Idle) and to stop (Disconnected).
    void SetState(int state);
    // Bytes from the transport, in any split.
    void ReceiveData(const uint8_t* bytes, size_t count);
    // The owner has handled the message of OnLinkMessage and queued its
    // answer: the message is acknowledged now, or by the WACK timer.
    void FinishedRequest();
    // WM_LINK_RESET: enter Disconnected.
    void Reset() { SetState(kLinkDisconnected); }
    // WM_LINK_CONNECTED: a modem call stands; the line starts with its noise.
    void Connected();
    void OnTimer(int id);
    // Hands bytes to the owner as one piece of output, unless Disconnected.
    void SendRaw(const uint8_t* bytes, size_t count);

    void ClearSendBuffer() { m_send.Clear(); }
    std::string SendBuffer() const { return m_send.Text(); }
    int State() const { return m_state; }
    // The blocks of the message being received so far; the whole message
    // until the owner finishes it.
    const std::string& MessageSoFar() const { return m_receiver.Message(); }
    // The link reached Disconnecting with nothing left to send: all was said.
    bool OrderlyEnd() const { return m_orderlyEnd; }
    // Longest message taken in; a block that would make it longer is refused.
    void SetMessageLimit(size_t bytes) { m_receiver.SetLimit(bytes); }
    // Counts the steps that carry an exchange on: a bid taken or granted, a
    // block accepted, a block of ours acknowledged. Bytes that only repeat
    // or spoil something (bids again, refused or duplicate blocks, WACKs)
    // don't count, so a host can tell a working link from one held open.
    uint64_t Progress() const { return m_progress; }

    static constexpr int kBlockResends = CBlockSender::kResends; // resends of one block before the link gives up
    static constexpr int kBidRepeats = 5;         // ENQs after the first before the link gives up
    static constexpr int kWackRepeats = 4;        // WACKs after the first before the link gives up
    // WACKs one block may get before the link gives up: as long as the link
    // waits itself when receiving (five WACKs, 25 s) at one WACK per bid
    // answered after 200 ms, as a receiver like this one answers them.
    static constexpr int kWacksPerBlock = 125;

private:
    struct StateInfo;
    static const StateInfo kStates[kLinkStateCount];

    // State entries.
    void EnterDisconnected();
    void EnterConnected();
    void EnterIgnoringJunk();
    void EnterIdle();
    void EnterEnquiring();
    void EnterEnquiry();
    void EnterSending();
    void EnterReceiving();
    void EnterDisconnecting();

    // Received bytes, by state.
    void ReceiveBurst(const uint8_t* bytes, size_t count);
    void OnIdleByte(uint8_t byte);
    void OnEnquiringByte(uint8_t byte);
    void OnEnquiryByte(uint8_t byte);
    void OnSendingByte(uint8_t byte);
    void OnWackWhileSending();
    void OnReceivingByte(uint8_t byte);
    void OnDataByte(uint8_t byte);
    void OnBlockCheck(uint8_t byte);
    void OnMessageCheck(uint8_t byte);
    void OnDisconnectingByte(uint8_t byte);

    // Timers.
    void OnJunkTimer();
    void OnBidTimer();
    void OnAckTimer();
    void OnEotTimer();
    void OnBlockTimer();

    // Output.
    void Enqueue(std::shared_ptr<const std::string> text);
    void SendChar(uint8_t byte);
    void SendString(const std::string& bytes);
    void SendAck();
    void RepeatAck();
    void SendWack();
    void SendBlock(bool resend);
    void RejectBlock();
    void StartClosing();
    bool IsExpectedAck(uint8_t byte);
    bool IsWack(uint8_t byte) const;
    void TraceData(const char* label, const uint8_t* bytes, size_t count);

    ILinkOwner& m_owner;
    ITimerHost& m_timers;
    IRandomSource& m_random;
    ITraceSink* m_trace;
    const char* m_sentLabel;
    const char* m_receivedLabel;

    int m_state = kLinkDisconnected;
    uint8_t m_lastChar = 0;
    CSendQueue m_send;
    CBlockSender m_block;          // the block being sent
    CBiSyncReceiver m_receiver;
    bool m_expectAck0 = false;
    bool m_ackToggle = false;
    int m_enquiryRetries = 0;
    bool m_wackCycle = false;
    bool m_wackSent = false;
    int m_wackCount = 0;
    int m_wacksReceived = 0; // WACKs for the block being sent
    bool m_finished = false;
    int m_eotRepeats = 0;
    bool m_orderlyEnd = false;
    uint64_t m_progress = 0;
};
