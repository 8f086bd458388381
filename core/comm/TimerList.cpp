#include "comm/TimerList.h"

#include <algorithm>

void CTimerList::SetTimer(int id, unsigned periodMs)
{
    KillTimer(id);
    m_entries.push_back({id, periodMs, m_now + periodMs, m_sequence++});
}

void CTimerList::KillTimer(int id)
{
    m_entries.erase(std::remove_if(m_entries.begin(), m_entries.end(), [id](const Entry& e) { return e.id == id; }),
                    m_entries.end());
}

const CTimerList::Entry* CTimerList::Earliest() const
{
    const Entry* best = nullptr;
    for (const Entry& e : m_entries)
        if (!best || e.due < best->due || (e.due == best->due && e.order < best->order))
            best = &e;
    return best;
}

void CTimerList::AdvanceTo(uint64_t nowMs)
{
    for (const Entry* next = Earliest(); next && next->due <= nowMs; next = Earliest())
        FireNext();
    m_now = std::max(m_now, nowMs);
}

bool CTimerList::FireNext()
{
    const Entry* next = Earliest();
    if (!next)
        return false;
    Entry& due = m_entries[static_cast<size_t>(next - m_entries.data())];
    m_now = std::max(m_now, due.due);
    const int id = due.id;
    // A period of 0 would fire for ever at one instant: it waits a millisecond.
    due.due = m_now + std::max(due.period, 1u);
    due.order = m_sequence++;
    m_handler(id);
    return true;
}

bool CTimerList::IsSet(int id) const
{
    return std::any_of(m_entries.begin(), m_entries.end(), [id](const Entry& e) { return e.id == id; });
}

uint64_t CTimerList::NextDue() const
{
    const Entry* next = Earliest();
    return next ? next->due : UINT64_MAX;
}

unsigned CTimerList::Period(int id) const
{
    for (const Entry& e : m_entries)
        if (e.id == id)
            return e.period;
    return 0;
}
