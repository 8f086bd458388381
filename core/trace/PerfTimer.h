#pragma once
#include <cstddef>
#include <cstdint>

#include "trace/CounterSource.h"

// A stopwatch over a tick counter. The counter must outlive the timer.
class CPerfTimer {
public:
    explicit CPerfTimer(const ICounterSource& counter);

    void Reset() { m_start = m_counter->Count(); }
    // Ticks since construction or the last Reset.
    int64_t Elapsed() const { return m_counter->Count() - m_start; }
    int64_t Frequency() const { return m_frequency; }

private:
    const ICounterSource* m_counter;
    int64_t m_frequency;
    int64_t m_start;
};

// Writes the time elapsed on timer into out (size characters, the closing
// zero included) in the form of pattern and returns the characters written.
// Directives: %M minutes within the hour, %S seconds within the minute,
// %m whole minutes, %s whole seconds, %<digit>f that many digits of the
// fraction of a second, %% a percent sign. A directive that doesn't fit the
// room left is dropped; an unknown one writes nothing.
int FormatElapsed(const CPerfTimer& timer, char* out, size_t size, const char* pattern);
