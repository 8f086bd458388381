#pragma once
#include <cstdint>

// A high-resolution tick counter: the performance counter in the program,
// a hand-turned counter in tests.
class ICounterSource {
public:
    virtual ~ICounterSource() = default;
    virtual int64_t Count() const = 0;
    // Ticks per second; always above zero.
    virtual int64_t Frequency() const = 0;
};

// The standard library's steady clock in nanosecond ticks, for tools and the
// server, which have no performance counter of their own.
class CSteadyCounter : public ICounterSource {
public:
    int64_t Count() const override;
    int64_t Frequency() const override { return 1000000000; }
};
