#include "trace/PerfTimer.h"

#include <cctype>
#include <cstdio>
#include <cstring>

CPerfTimer::CPerfTimer(const ICounterSource& counter)
    : m_counter(&counter), m_frequency(counter.Frequency()), m_start(counter.Count())
{
}

namespace {

// The elapsed time split once, so every directive reads the same instant.
struct Elapsed {
    int64_t ticks;
    int64_t frequency;
    int64_t seconds;
};

int64_t PowerOfTen(int width)
{
    int64_t power = 1;
    while (width-- > 0)
        power *= 10;
    return power;
}

// Formats one directive into text; false for a letter that isn't one.
bool FormatDirective(char letter, int width, const Elapsed& e, char* text, size_t size)
{
    switch (letter) {
    case 'M':
        std::snprintf(text, size, "%02d", static_cast<int>(e.seconds / 60 % 60));
        return true;
    case 'S':
        std::snprintf(text, size, "%02d", static_cast<int>(e.seconds % 60));
        return true;
    case 'm':
        std::snprintf(text, size, "%02lld", static_cast<long long>(e.seconds / 60));
        return true;
    case 's':
        std::snprintf(text, size, "%02lld", static_cast<long long>(e.seconds));
        return true;
    case 'f': {
        // The remainder keeps the product small: ticks x 10^9 would overflow
        // within minutes on a fast counter.
        const int64_t fraction = e.ticks % e.frequency * PowerOfTen(width) / e.frequency;
        std::snprintf(text, size, "%0*lld", width, static_cast<long long>(fraction));
        return true;
    }
    case '%':
        std::snprintf(text, size, "%%");
        return true;
    default:
        return false;
    }
}

} // namespace

int FormatElapsed(const CPerfTimer& timer, char* out, size_t size, const char* pattern)
{
    if (size == 0)
        return 0;
    Elapsed e;
    e.frequency = timer.Frequency() > 0 ? timer.Frequency() : 1;
    // A counter that went backwards reads as no time at all.
    const int64_t ticks = timer.Elapsed();
    e.ticks = ticks > 0 ? ticks : 0;
    e.seconds = e.ticks / e.frequency;

    const size_t room = size - 1;
    size_t used = 0;
    const char* p = pattern;
    while (*p && used < room) {
        if (*p != '%') {
            out[used++] = *p++;
            continue;
        }
        ++p;
        int width = 1;
        if (std::isdigit(static_cast<unsigned char>(*p)))
            width = *p++ - '0';
        if (!*p)
            break;
        char text[32];
        if (FormatDirective(*p++, width, e, text, sizeof text)) {
            const size_t n = std::strlen(text);
            if (n <= room - used) {
                std::memcpy(out + used, text, n);
                used += n;
            }
        }
    }
    out[used] = '\0';
    return static_cast<int>(used);
}
