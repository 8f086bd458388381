#pragma once
// A link engine on a simulated clock, with its posted events kept in order
// and their times, and its trace recorded. Shared by the link and place-order
// tests and the server tests' loopback client; the link fuzzer takes its
// random source.
#include <cstdarg>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "base/StrFormat.h"
#include "comm/BiSyncEngine.h"
#include "comm/LinkEventQueue.h"
#include "TimerList.h"
#include "trace/TraceSink.h"

struct FixedRandom : IRandomSource {
    unsigned value = 42;
    unsigned Below(unsigned bound) override { return value % bound; }
};

struct RecordingTrace : ITraceSink {
    std::vector<std::pair<unsigned, std::string>> lines;
    void TraceV(unsigned flags, const char* format, va_list args) override
    {
        lines.emplace_back(flags, StrFormatV(format, args));
    }
};

// A data block as it goes on the line: STX, data, ETB or ETX (the last
// block of a message), check.
inline std::string Block(const std::string& data, bool last = true)
{
    std::string framed = "\x02" + data + (last ? "\x03" : "\x17");
    uint8_t check = 0;
    for (size_t i = 1; i < framed.size(); ++i)
        check ^= static_cast<uint8_t>(framed[i]);
    return framed + static_cast<char>(check);
}

// Hands one of the link's events to the place-order session that owns the
// link, as the place-order dialog does.
template <class Session>
void DeliverTo(Session& session, const LinkEvent& event)
{
    if (event.kind == LinkEvent::Kind::Send)
        session.OnLinkSend(event.bytes);
    else if (event.kind == LinkEvent::Kind::Message)
        session.OnLinkMessage(event.text);
    else if (event.kind == LinkEvent::Kind::State)
        session.OnLinkState(event.value);
}

const std::string kEnq = "\x05";
const std::string kEot = "\x04";
const std::string kNak = "\x15";
const std::string kAck0 = "\x10" "0";
const std::string kAck1 = "\x10" "1";
const std::string kWack = "\x10;";
using LinkEnds = std::vector<std::pair<uint64_t, int>>;

class LinkRig {
public:
    // Untraced, the rig costs a loopback client only what the program's link costs.
    explicit LinkRig(LinkStation station = LinkStation::Client, bool traced = true)
        : timers([this](int id) { engine.OnTimer(id); Pump(); }),
          engine(queue, timers, random, traced ? &trace : nullptr, station)
    {
    }

    // Events posted so far reach the owner and the record, as a message loop would deliver them.
    void Pump()
    {
        LinkEvent event;
        while (queue.Pop(event)) {
            if (event.kind == LinkEvent::Kind::Message)
                messages.push_back(event.text);
            if (event.kind == LinkEvent::Kind::Send)
                m_sends.emplace_back(timers.Now(), std::string(event.bytes.begin(), event.bytes.end()));
            if (event.kind == LinkEvent::Kind::Disconnected)
                ends.emplace_back(timers.Now(), event.value);
            if (owner)
                owner(event);
        }
    }
    void Feed(const std::string& bytes)
    {
        engine.ReceiveData(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
        Pump();
    }
    // What the link sends back to the given bytes.
    std::string Answer(const std::string& bytes)
    {
        Feed(bytes);
        return TakeSent();
    }
    // Queues a text, if any, and enters Idle, as ComposeOrder does.
    void Idle(const std::string& text = "")
    {
        if (!text.empty())
            engine.AddSendData(text);
        engine.SetState(kLinkIdle);
        Pump();
    }
    // The owner has handled the message and queued its answer, if any.
    void Finish(const std::string& answer = "")
    {
        if (!answer.empty())
            engine.AddSendData(answer);
        engine.FinishedRequest();
        Pump();
    }
    void Advance(uint64_t ms) { timers.Advance(ms); }

    // Everything sent since the last call, joined.
    std::string TakeSent()
    {
        std::string out;
        for (; m_taken < m_sends.size(); ++m_taken)
            out += m_sends[m_taken].second;
        return out;
    }
    // When these bytes were sent.
    std::vector<uint64_t> SendTimes(const std::string& bytes) const
    {
        std::vector<uint64_t> out;
        for (const auto& [at, sent] : m_sends)
            if (sent == bytes)
                out.push_back(at);
        return out;
    }

    // Every message the link has posted, in order.
    std::vector<std::string> messages;
    // When the link ended, and whether in order.
    LinkEnds ends;
    // The place-order session, when it owns the link.
    std::function<void(const LinkEvent&)> owner;
    FixedRandom random;
    RecordingTrace trace;
    CLinkEventQueue queue;
    CTimerList timers;
    CBiSyncEngine engine;

private:
    // What the link sent, with the simulated time it was posted at.
    std::vector<std::pair<uint64_t, std::string>> m_sends;
    size_t m_taken = 0;
};
