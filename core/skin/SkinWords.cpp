#include "skin/SkinWords.h"

#include <cstdlib>

namespace {

int32_t Clamp32(long long value)
{
    if (value > INT32_MAX)
        return INT32_MAX;
    if (value < INT32_MIN)
        return INT32_MIN;
    return static_cast<int32_t>(value);
}

char Upper(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

} // namespace

bool SkinWordIs(const char* word, const char* keyword)
{
    for (; *word && *keyword; ++word, ++keyword)
        if (Upper(*word) != Upper(*keyword))
            return false;
    return *word == *keyword;
}

int32_t SkinNumber(const char* word)
{
    return Clamp32(std::strtoll(word, nullptr, 0));
}

int32_t SkinDecimal(const char* word, const char** end)
{
    const char* p = word;
    const bool negative = *p == '-';
    if (*p == '-' || *p == '+')
        ++p;
    long long value = 0;
    for (; *p >= '0' && *p <= '9'; ++p)
        if (value <= INT32_MAX)  // past the range the digits no longer matter
            value = value * 10 + (*p - '0');
    if (end)
        *end = p;
    return Clamp32(negative ? -value : value);
}

int32_t SkinWrap(int64_t value)
{
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(value)));
}
