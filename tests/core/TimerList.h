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

    explicit CTimerList(Handler handler) : m_handler(std::move(handler)) {}

    void SetTimer(int id, unsigned periodMs) override
    {
        KillTimer(id);
        m_entries.push_back({id, periodMs, m_now + periodMs, m_sequence++});
    }

    void KillTimer(int id) override
    {
        m_entries.erase(std::remove_if(m_entries.begin(), m_entries.end(), [id](const Entry& e) { return e.id == id; }),
                        m_entries.end());
    }

    // Moves the clock to nowMs, firing every timer that falls due on the way in
    // time order, a repeating one as often as it falls due.
    void AdvanceTo(uint64_t nowMs)
    {
        for (auto due = Earliest(); due != m_entries.end() && due->due <= nowMs; due = Earliest()) {
            m_now = std::max(m_now, due->due);
            // A period of 0 would fire for ever at one instant: it waits a millisecond.
            due->due = m_now + std::max(due->period, 1u);
            due->order = m_sequence++;
            m_handler(due->id);
        }
        m_now = std::max(m_now, nowMs);
    }

    void Advance(uint64_t ms) { AdvanceTo(m_now + ms); }
    uint64_t Now() const { return m_now; }

    bool IsSet(int id) const
    {
        return std::any_of(m_entries.begin(), m_entries.end(), [id](const Entry& e) { return e.id == id; });
    }

    // When the earliest timer falls due; UINT64_MAX when none is set.
    uint64_t NextDue() const
    {
        const auto next = std::min_element(m_entries.begin(), m_entries.end(), Sooner);
        return next == m_entries.end() ? UINT64_MAX : next->due;
    }

private:
    struct Entry {
        int id;
        unsigned period;
        uint64_t due;
        uint64_t order; // ties fire in the order the timers were set or last fired
    };

    static bool Sooner(const Entry& a, const Entry& b) { return a.due != b.due ? a.due < b.due : a.order < b.order; }
    std::vector<Entry>::iterator Earliest() { return std::min_element(m_entries.begin(), m_entries.end(), Sooner); }

    Handler m_handler;
    uint64_t m_now = 0;
    uint64_t m_sequence = 0;
    std::vector<Entry> m_entries;
};
