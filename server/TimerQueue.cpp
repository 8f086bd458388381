#include "TimerQueue.h"

void CTimerQueue::Set(Key key, int64_t dueMs, unsigned periodMs)
{
    Kill(key);
    m_byKey[key] = Entry{dueMs, periodMs};
    m_byDue.emplace(dueMs, key);
}

void CTimerQueue::Kill(Key key)
{
    const auto it = m_byKey.find(key);
    if (it == m_byKey.end())
        return;
    m_byDue.erase({it->second.due, key});
    m_byKey.erase(it);
}

void CTimerQueue::KillOwner(uint64_t owner)
{
    auto it = m_byKey.lower_bound(MakeKey(owner, 0));
    while (it != m_byKey.end() && OwnerOf(it->first) == owner) {
        m_byDue.erase({it->second.due, it->first});
        it = m_byKey.erase(it);
    }
}

int64_t CTimerQueue::NextDue() const
{
    return m_byDue.empty() ? -1 : m_byDue.begin()->first;
}

bool CTimerQueue::PopDue(int64_t now, Key* key)
{
    if (m_byDue.empty() || m_byDue.begin()->first > now)
        return false;
    *key = m_byDue.begin()->second;
    const unsigned period = m_byKey[*key].period;
    if (period)
        Set(*key, now + period, period);
    else
        Kill(*key);
    return true;
}
