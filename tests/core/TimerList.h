#pragma once
#include <algorithm>
#include <cstdint>
#include <functional>
#include <vector>

#include "comm/LinkPorts.h"

// The tests' simulated clock: repeating timers against a millisecond clock
// that the test moves on. Firing a timer calls the handler given at
// construction with its id; the handler may set and kill timers.
class CTimerList : public ITimerHost {
public:
    using Handler = std::function<void(int id)>;

    explicit CTimerList(Handler handler, uint64_t startMs = 0) : m_handler(std::move(handler)), m_now(startMs) {}

    void SetTimer(int id, unsigned periodMs) override;
    void KillTimer(int id) override;

    // Moves the clock to nowMs, firing every timer that falls due on the way in
    // time order, a repeating one as often as it falls due.
    void AdvanceTo(uint64_t nowMs);
    void Advance(uint64_t ms) { AdvanceTo(m_now + ms); }
    // Moves the clock to the next due time and fires what is due then; false when none is set.
    bool FireNext();

    uint64_t Now() const { return m_now; }
    bool IsSet(int id) const;
    // When the earliest timer falls due; UINT64_MAX when none is set.
    uint64_t NextDue() const;
    // The period a timer runs with, 0 when it isn't set.
    unsigned Period(int id) const;

private:
    struct Entry {
        int id;
        unsigned period;
        uint64_t due;
        uint64_t order; // ties fire in the order the timers were set or last fired
    };
    const Entry* Earliest() const;

    Handler m_handler;
    uint64_t m_now;
    uint64_t m_sequence = 0;
    std::vector<Entry> m_entries;
};

inline void CTimerList::SetTimer(int id, unsigned periodMs)
{
    KillTimer(id);
    m_entries.push_back({id, periodMs, m_now + periodMs, m_sequence++});
}

inline void CTimerList::KillTimer(int id)
{
    m_entries.erase(std::remove_if(m_entries.begin(), m_entries.end(), [id](const Entry& e) { return e.id == id; }),
                    m_entries.end());
}

inline const CTimerList::Entry* CTimerList::Earliest() const
{
    const Entry* best = nullptr;
    for (const Entry& e : m_entries)
        if (!best || e.due < best->due || (e.due == best->due && e.order < best->order))
            best = &e;
    return best;
}

inline void CTimerList::AdvanceTo(uint64_t nowMs)
{
    for (const Entry* next = Earliest(); next && next->due <= nowMs; next = Earliest())
        FireNext();
    m_now = std::max(m_now, nowMs);
}

inline bool CTimerList::FireNext()
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

inline bool CTimerList::IsSet(int id) const
{
    return std::any_of(m_entries.begin(), m_entries.end(), [id](const Entry& e) { return e.id == id; });
}

inline uint64_t CTimerList::NextDue() const
{
    const Entry* next = Earliest();
    return next ? next->due : UINT64_MAX;
}

inline unsigned CTimerList::Period(int id) const
{
    for (const Entry& e : m_entries)
        if (e.id == id)
            return e.period;
    return 0;
}
