#include "text/NumberScan.h"

#include <cctype>
#include <cstdint>
#include <cstdlib>

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

double RealValue(const char* text)
{
    // Digits, one optional point and more digits, ended by the text's end: with
    // at most 15 digits the digits and the power of ten are both exact doubles,
    // so one division is correctly rounded, as strtod is.
    static const double kPowers[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8,
                                     1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    const char* s = text;
    const bool negative = *s == '-';
    if (negative)
        ++s;
    int64_t digits = 0;
    int count = 0;
    int decimals = -1;
    for (; *s; ++s) {
        if (IsDigit(*s) && count < 15) {
            digits = digits * 10 + (*s - '0');
            ++count;
            if (decimals >= 0)
                ++decimals;
        } else if (*s == '.' && decimals < 0) {
            decimals = 0;
        } else {
            return std::strtod(text, nullptr);
        }
    }
    if (count == 0)
        return std::strtod(text, nullptr);
    double value = static_cast<double>(digits) / kPowers[decimals > 0 ? decimals : 0];
    return negative ? -value : value;
}
