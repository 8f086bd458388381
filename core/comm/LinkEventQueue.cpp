#include "comm/LinkEventQueue.h"

void CLinkEventQueue::OnLinkSend(std::vector<uint8_t> bytes)
{
    m_events.push_back({LinkEvent::Kind::Send, std::move(bytes), {}, 0});
}

void CLinkEventQueue::OnLinkDisconnected(bool orderlyEnd)
{
    m_events.push_back({LinkEvent::Kind::Disconnected, {}, {}, orderlyEnd ? 1 : 0});
}

void CLinkEventQueue::OnLinkMessage(const std::string& text)
{
    m_events.push_back({LinkEvent::Kind::Message, {}, text, 0});
}

void CLinkEventQueue::OnLinkState(int state)
{
    m_events.push_back({LinkEvent::Kind::State, {}, {}, state});
}

bool CLinkEventQueue::Pop(LinkEvent& event)
{
    if (m_events.empty())
        return false;
    event = std::move(m_events.front());
    m_events.pop_front();
    return true;
}
