#include "trace/CounterSource.h"

#include <chrono>

int64_t CSteadyCounter::Count() const
{
    using namespace std::chrono;
    return duration_cast<nanoseconds>(steady_clock::now().time_since_epoch()).count();
}
