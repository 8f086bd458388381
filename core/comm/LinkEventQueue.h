#pragma once
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "comm/LinkPorts.h"

// One event the link engine posted to its owner.
struct LinkEvent {
    enum class Kind { Send, Disconnected, Message, State };
    Kind kind;
    std::vector<uint8_t> bytes; // Send: the output
    std::string text;           // Message: the message
    int value = 0;              // Disconnected: orderly end (0 or 1); State: the new state
};

// Posting for hosts without a window: the engine's events wait here until the
// host takes them, after the engine call that raised them has returned, just
// as the link window's posted messages do.
class CLinkEventQueue : public ILinkOwner {
public:
    void OnLinkSend(std::vector<uint8_t> bytes) override;
    void OnLinkDisconnected(bool orderlyEnd) override;
    void OnLinkMessage(const std::string& text) override;
    void OnLinkState(int state) override;

    // Takes the oldest event; false when none waits.
    bool Pop(LinkEvent& event);
    bool Empty() const { return m_events.empty(); }
    size_t Size() const { return m_events.size(); }

private:
    std::deque<LinkEvent> m_events;
};
