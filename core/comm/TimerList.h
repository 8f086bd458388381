#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include "comm/LinkPorts.h"

// A portable list of repeating timers against a millisecond clock that its
// owner moves on: the simulated clock of the tests, and the timers of a host
// whose event loop waits until NextDue. Firing a timer calls the handler given
// at construction with its id; the handler may set and kill timers.
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
