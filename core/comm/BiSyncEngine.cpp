#include "comm/BiSyncEngine.h"

#include "comm/LinkBytes.h"
#include "text/FormatControls.h"
#include "trace/TraceSink.h"

namespace {

constexpr unsigned kJunkPeriodMs = 1000;
constexpr unsigned kBidPeriodMs = 3000;
constexpr unsigned kBidJitterMs = 100;
constexpr unsigned kAckDelayMs = 200;
constexpr unsigned kWackPeriodMs = 5000;
constexpr unsigned kEotPeriodMs = 2000;
constexpr unsigned kBlockPeriodMs = 15000;

const char kDuplicateText[] = "---- Duplicate block detected...\r\n";

} // namespace

struct CBiSyncEngine::StateInfo {
    const char* traceText;
    void (CBiSyncEngine::*enter)();
    void (CBiSyncEngine::*onByte)(uint8_t);
};

// Disconnected, Connected and Ignoring Junk take no single bytes: the first
// two drop them, Ignoring Junk takes each delivery as one burst.
const CBiSyncEngine::StateInfo CBiSyncEngine::kStates[kLinkStateCount] = {
    {"1. Disconnected\r\n", &CBiSyncEngine::EnterDisconnected, nullptr},
    {"4. Connected\r\n", &CBiSyncEngine::EnterConnected, nullptr},
    {"5. Ignoring Junk\r\n", &CBiSyncEngine::EnterIgnoringJunk, nullptr},
    {"6. Idle\r\n", &CBiSyncEngine::EnterIdle, &CBiSyncEngine::OnIdleByte},
    {"7. Enquiring\r\n", &CBiSyncEngine::EnterEnquiring, &CBiSyncEngine::OnEnquiringByte},
    {"8. Enquiry\r\n", &CBiSyncEngine::EnterEnquiry, &CBiSyncEngine::OnEnquiryByte},
    {"A. Sending\r\n", &CBiSyncEngine::EnterSending, &CBiSyncEngine::OnSendingByte},
    {"9. Receiving\r\n", &CBiSyncEngine::EnterReceiving, &CBiSyncEngine::OnReceivingByte},
    {"9.1. Data start\r\n", nullptr, &CBiSyncEngine::OnDataByte},
    {"9.2. Block end\r\n", nullptr, &CBiSyncEngine::OnBlockCheck},
    {"9.3. Data end\r\n", nullptr, &CBiSyncEngine::OnMessageCheck},
    {"B. Disconnecting (Ignoring EOF Junk)\r\n", &CBiSyncEngine::EnterDisconnecting,
     &CBiSyncEngine::OnDisconnectingByte},
};

CBiSyncEngine::CBiSyncEngine(ILinkOwner& owner, ITimerHost& timers, IRandomSource& random, ITraceSink* trace,
                             LinkStation station)
    : m_owner(owner),
      m_timers(timers),
      m_random(random),
      m_trace(trace),
      m_sentLabel(station == LinkStation::Client ? "Client: " : "Server: "),
      m_receivedLabel(station == LinkStation::Client ? "Server: " : "Client: ")
{
}

void CBiSyncEngine::AddSendData(const std::string& text)
{
    Trace(m_trace, kTraceLink, "Adding Send Data '%s'\r\n", text.c_str());
    Enqueue(std::make_shared<const std::string>(text));
}

void CBiSyncEngine::AddSharedData(std::shared_ptr<const std::string> text)
{
    Trace(m_trace, kTraceLink, "Adding Send Data (%zu bytes)\r\n", text ? text->size() : 0);
    Enqueue(std::move(text));
}

void CBiSyncEngine::Enqueue(std::shared_ptr<const std::string> text)
{
    m_send.Add(std::move(text));
    if (m_state == kLinkIdle)
        SetState(kLinkEnquiring);
    m_orderlyEnd = false;
}

void CBiSyncEngine::SetState(int state)
{
    if (state != m_state)
        m_owner.OnLinkState(state);
    if (m_state == kLinkIdle)
        m_wackSent = false;
    if (state < 0 || state >= kLinkStateCount) {
        Trace(m_trace, kTraceLink, "X. Unknown??\r\n");
        return;
    }
    m_state = state;
    const StateInfo& info = kStates[state];
    Trace(m_trace, kTraceLink, "%s", info.traceText);
    if (info.enter)
        (this->*info.enter)();
}

void CBiSyncEngine::Connected()
{
    m_orderlyEnd = false;
    SetState(kLinkConnected);
    m_receiver.NewLine();
}

void CBiSyncEngine::FinishedRequest()
{
    m_receiver.MessageTaken();
    Trace(m_trace, kTraceLink, "9.4. Finished request\r\n");
    if (m_wackCycle) {
        m_finished = true; // the WACK timer acknowledges on its next tick
        return;
    }
    m_lastChar = 0;
    SendAck();
    m_timers.KillTimer(kAckTimer);
}

// ---- State entries ----

void CBiSyncEngine::EnterDisconnected()
{
    m_block.Clear();
    m_send.Clear();
    m_receiver.Stop();
    for (int id = 1; id <= 10; ++id)
        m_timers.KillTimer(id);
    m_lastChar = 0;
    m_owner.OnLinkDisconnected(m_orderlyEnd);
}

void CBiSyncEngine::EnterConnected()
{
    m_block.Clear();
    m_send.Clear();
    m_wackCycle = false;
    m_finished = false;
    m_wackSent = false;
    m_expectAck0 = true;
    m_ackToggle = true;
    SetState(kLinkIgnoringJunk);
}

void CBiSyncEngine::EnterIgnoringJunk()
{
    m_timers.SetTimer(kJunkTimer, kJunkPeriodMs);
}

void CBiSyncEngine::EnterIdle()
{
    m_timers.KillTimer(kJunkTimer);
    if (m_lastChar == kENQ) {
        m_lastChar = 0;
        OnIdleByte(kENQ); // the bid that ended the noise: grant it
    } else if (!m_send.Empty()) {
        SetState(kLinkEnquiring);
    }
}

void CBiSyncEngine::EnterEnquiring()
{
    m_enquiryRetries = kBidRepeats;
    m_timers.SetTimer(kBidTimer, kBidPeriodMs + m_random.Below(kBidJitterMs));
    SendChar(kENQ);
}

void CBiSyncEngine::EnterEnquiry()
{
    m_receiver.NewTransmission();
    m_ackToggle = true;
    SendAck();
}

void CBiSyncEngine::EnterSending()
{
    m_timers.KillTimer(kBidTimer);
    m_wacksReceived = 0;
    SendBlock(false);
}

void CBiSyncEngine::EnterReceiving()
{
    m_timers.KillTimer(kBidTimer);
}

void CBiSyncEngine::EnterDisconnecting()
{
    m_orderlyEnd = true;
}

// ---- Received bytes ----

void CBiSyncEngine::ReceiveData(const uint8_t* bytes, size_t count)
{
    if (count == 0)
        return;
    TraceData(m_receivedLabel, bytes, count);
    if (m_state == kLinkIgnoringJunk) {
        ReceiveBurst(bytes, count);
        return;
    }
    for (size_t i = 0; i < count; ++i) {
        if (auto onByte = kStates[m_state].onByte)
            (this->*onByte)(bytes[i]);
        m_lastChar = bytes[i];
    }
}

void CBiSyncEngine::ReceiveBurst(const uint8_t* bytes, size_t count)
{
    m_timers.KillTimer(kJunkTimer);
    m_lastChar = bytes[count - 1];
    if (m_lastChar == kENQ)
        SetState(kLinkIdle); // grants the bid
    else
        m_timers.SetTimer(kJunkTimer, kJunkPeriodMs);
    Trace(m_trace, kTraceNoise, ".%s", FormatControls(bytes, count).c_str());
}

void CBiSyncEngine::OnIdleByte(uint8_t byte)
{
    if (byte == kENQ) {
        if (m_wackSent) {
            Trace(m_trace, kTraceLink, "Aiya - ignoring ENQ, think it was for previous WACK!!!\r\n");
            m_wackSent = false;
        } else {
            ++m_progress;
            SetState(kLinkEnquiry);
        }
    } else if (byte == kEOT) {
        if (m_lastChar == kEOT)
            SetState(kLinkDisconnected);
        else if (m_send.Empty())
            StartClosing();
    }
}

void CBiSyncEngine::OnEnquiringByte(uint8_t byte)
{
    m_expectAck0 = true;
    if (byte == kENQ)
        SetState(kLinkIdle); // both bid: Idle bids again, as the data still waits
    else if (IsExpectedAck(byte))
        SetState(kLinkSending);
}

void CBiSyncEngine::OnEnquiryByte(uint8_t byte)
{
    if (byte == kENQ) {
        m_ackToggle = true;
        SendAck();
    } else if (byte == kSTX) {
        SetState(kLinkReceiving);
        OnReceivingByte(byte);
    }
}

void CBiSyncEngine::OnSendingByte(uint8_t byte)
{
    if (byte == kNAK) {
        m_timers.KillTimer(kBlockTimer);
        Trace(m_trace, kTraceLink, "A.3. Resending\r\n");
        SendBlock(true);
    } else if (IsWack(byte)) {
        OnWackWhileSending();
    } else if (IsExpectedAck(byte)) {
        m_timers.KillTimer(kBlockTimer);
        m_wacksReceived = 0;
        Trace(m_trace, kTraceLink, "A.4. Next Block!!\r\n");
        SendBlock(false);
    }
}

// A receiver that only ever asks us to wait is given up, as we give up our
// own waiting when receiving.
void CBiSyncEngine::OnWackWhileSending()
{
    m_timers.KillTimer(kBlockTimer);
    if (++m_wacksReceived > kWacksPerBlock) {
        Trace(m_trace, kTraceLink, "A.7. Too many WACKs, giving up\r\n");
        SetState(kLinkDisconnected);
        return;
    }
    m_timers.SetTimer(kBlockTimer, kBlockPeriodMs);
    SendChar(kENQ);
}

void CBiSyncEngine::OnReceivingByte(uint8_t byte)
{
    if (byte == kSTX) {
        m_receiver.BeginBlock();
        SetState(kLinkDataStart);
    } else if (byte == kENQ) {
        m_wackCycle = false;
        m_timers.SetTimer(kAckTimer, kAckDelayMs);
        m_wackSent = false;
    } else if (byte == kEOT) {
        m_timers.KillTimer(kAckTimer);
        if (m_send.Empty()) {
            StartClosing();
        } else {
            m_lastChar = 0;
            SetState(kLinkIdle); // bids for the answer
        }
    }
}

void CBiSyncEngine::OnDataByte(uint8_t byte)
{
    switch (m_receiver.Add(byte)) {
    case CBiSyncReceiver::Step::BlockEnd: SetState(kLinkBlockEnd); break;
    case CBiSyncReceiver::Step::MessageEnd: SetState(kLinkDataEnd); break;
    case CBiSyncReceiver::Step::Data: break;
    }
}

void CBiSyncEngine::OnBlockCheck(uint8_t byte)
{
    switch (m_receiver.Finish(byte, false)) {
    case CBiSyncReceiver::Verdict::Refused: RejectBlock(); break;
    case CBiSyncReceiver::Verdict::Duplicate:
        Trace(m_trace, kTraceDuplicate, kDuplicateText);
        SendAck();
        break;
    case CBiSyncReceiver::Verdict::Accepted:
        ++m_progress;
        SendAck();
        break;
    }
    SetState(kLinkReceiving);
}

void CBiSyncEngine::OnMessageCheck(uint8_t byte)
{
    switch (m_receiver.Finish(byte, true)) {
    case CBiSyncReceiver::Verdict::Refused: RejectBlock(); break;
    case CBiSyncReceiver::Verdict::Duplicate:
        Trace(m_trace, kTraceDuplicate, kDuplicateText);
        // The sender missed our acknowledgement of its last block: repeat
        // it, once the owner has finished the message and it has gone out.
        if (m_receiver.RepeatsTakenMessage() && !m_wackCycle)
            RepeatAck();
        break;
    case CBiSyncReceiver::Verdict::Accepted:
        ++m_progress;
        m_wackCycle = false;
        m_finished = false;
        m_owner.OnLinkMessage(m_receiver.Message());
        m_timers.SetTimer(kAckTimer, kAckDelayMs); // no acknowledgement until the owner finishes
        break;
    }
    SetState(kLinkReceiving);
}

void CBiSyncEngine::OnDisconnectingByte(uint8_t byte)
{
    if (byte == kEOT && m_lastChar == kEOT)
        SetState(kLinkDisconnected);
}

// ---- Timers ----

void CBiSyncEngine::OnTimer(int id)
{
    Trace(m_trace, kTraceTick, "{%d}", id);
    switch (id) {
    case kJunkTimer: OnJunkTimer(); break;
    case kBidTimer: OnBidTimer(); break;
    case kAckTimer: OnAckTimer(); break;
    case kEotTimer: OnEotTimer(); break;
    case kBlockTimer: OnBlockTimer(); break;
    default: break;
    }
}

void CBiSyncEngine::OnJunkTimer()
{
    if (m_lastChar == kENQ)
        SetState(kLinkIdle);
}

void CBiSyncEngine::OnBidTimer()
{
    if (m_enquiryRetries > 0) {
        --m_enquiryRetries;
        SendChar(kENQ);
        return;
    }
    if (m_lastChar == kENQ)
        m_timers.KillTimer(kJunkTimer);
    SetState(kLinkDisconnected);
}

void CBiSyncEngine::OnAckTimer()
{
    m_timers.KillTimer(kAckTimer);
    if (m_finished) {
        m_lastChar = 0;
        Trace(m_trace, kTraceLink, "A.2. Finished Wack Timer\r\n");
        SendAck();
        m_wackCycle = false;
    } else if (!m_wackCycle) {
        m_wackCycle = true;
        m_wackCount = kWackRepeats;
        SendWack();
    } else if (m_wackCount == 0) {
        SetState(kLinkDisconnected);
    } else {
        --m_wackCount;
        SendWack();
    }
}

void CBiSyncEngine::OnEotTimer()
{
    if (m_eotRepeats == 0) {
        SetState(kLinkDisconnected);
        return;
    }
    --m_eotRepeats;
    SendChar(kEOT);
}

void CBiSyncEngine::OnBlockTimer()
{
    Trace(m_trace, kTraceLink, "A.1. (no ack for block, resending)\r\n");
    SendBlock(true);
}

// ---- Output ----

void CBiSyncEngine::SendRaw(const uint8_t* bytes, size_t count)
{
    if (m_state == kLinkDisconnected)
        return;
    TraceData(m_sentLabel, bytes, count);
    m_owner.OnLinkSend(std::vector<uint8_t>(bytes, bytes + count));
}

void CBiSyncEngine::SendChar(uint8_t byte)
{
    SendRaw(&byte, 1);
}

void CBiSyncEngine::SendString(const std::string& bytes)
{
    SendRaw(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

void CBiSyncEngine::SendAck()
{
    m_ackToggle = !m_ackToggle;
    RepeatAck();
}

void CBiSyncEngine::RepeatAck()
{
    const uint8_t ack[2] = {kDLE, static_cast<uint8_t>(m_ackToggle ? kAck1Char : kAck0Char)};
    SendRaw(ack, sizeof ack);
}

void CBiSyncEngine::SendWack()
{
    m_timers.SetTimer(kAckTimer, kWackPeriodMs);
    m_wackSent = true;
    const uint8_t wack[2] = {kDLE, kWackChar};
    SendRaw(wack, sizeof wack);
}

void CBiSyncEngine::StartClosing()
{
    m_eotRepeats = 1;
    m_timers.SetTimer(kEotTimer, kEotPeriodMs);
    SendChar(kEOT);
    SetState(kLinkDisconnecting);
}

void CBiSyncEngine::RejectBlock()
{
    Trace(m_trace, kTraceLink, "9.5. Rejected block...\r\n");
    SendChar(kNAK);
}

bool CBiSyncEngine::IsExpectedAck(uint8_t byte)
{
    if (m_lastChar != kDLE || byte != (m_expectAck0 ? kAck0Char : kAck1Char))
        return false;
    m_expectAck0 = !m_expectAck0;
    ++m_progress;
    return true;
}

bool CBiSyncEngine::IsWack(uint8_t byte) const
{
    return m_lastChar == kDLE && byte == kWackChar;
}

void CBiSyncEngine::SendBlock(bool resend)
{
    m_timers.KillTimer(kBlockTimer);
    if (resend) {
        if (!m_block.TakeResend()) {
            SetState(kLinkDisconnected);
            return;
        }
    } else if (m_send.Empty()) {
        SendChar(kEOT);
        Trace(m_trace, kTraceLink, "A.5. End of Transmission \r\n");
        SetState(kLinkIdle);
        return;
    } else {
        const BlockCut cut = m_block.Next(m_send);
        if (cut.forced)
            Trace(m_trace, kTraceLink, "--- Forcing '%s'\r\n", ("\x02" + cut.data).c_str());
    }
    SendString(m_block.Framed());
    SendChar(m_block.Check());
    Trace(m_trace, kTraceLink, "A.6. Waiting for Reply\r\n");
    m_timers.SetTimer(kBlockTimer, kBlockPeriodMs);
}

void CBiSyncEngine::TraceData(const char* label, const uint8_t* bytes, size_t count)
{
    Trace(m_trace, kTraceConnection, "%s", label);
    Trace(m_trace, kTraceData, "%s\r\n", FormatControls(bytes, count).c_str());
}
