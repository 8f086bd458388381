#include "text/NumberScan.h"

#include <cctype>
#include <cstdint>

namespace {

bool IsSpace(char c)
{
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

bool ScanDecimal(const char*& p, int32_t& value)
{
    const char* s = p;
    while (IsSpace(*s))
        ++s;
    const bool negative = *s == '-';
    if (*s == '-' || *s == '+')
        ++s;
    if (!IsDigit(*s))
        return false;
    const int64_t limit = negative ? -static_cast<int64_t>(INT32_MIN) : INT32_MAX;
    int64_t magnitude = 0;
    for (; IsDigit(*s); ++s) {
        if (magnitude < limit)
            magnitude = magnitude * 10 + (*s - '0');
    }
    if (magnitude > limit)
        magnitude = limit;
    value = static_cast<int32_t>(negative ? -magnitude : magnitude);
    p = s;
    return true;
}

int32_t DecimalValue(const char* text)
{
    int32_t value = 0;
    return ScanDecimal(text, value) ? value : 0;
}
