#include "data/Gtin.h"

namespace {

constexpr size_t kGtin14Length = 14;

bool AllDigits(std::string_view text)
{
    for (char c : text)
        if (c < '0' || c > '9')
            return false;
    return !text.empty();
}

} // namespace

char GtinCheckDigit(std::string_view digits)
{
    int sum = 0;
    int weight = 3;
    for (size_t i = digits.size(); i-- > 0;) {
        sum += (digits[i] - '0') * weight;
        weight = 4 - weight;
    }
    return static_cast<char>('0' + (10 - sum % 10) % 10);
}

std::string Gtin14(std::string_view digits)
{
    const size_t n = digits.size();
    if (!AllDigits(digits) || (n != 8 && n != 12 && n != 13 && n != kGtin14Length))
        return std::string();
    return std::string(kGtin14Length - n, '0') + std::string(digits);
}

uint64_t GtinNumber(std::string_view text)
{
    const std::string gtin = Gtin14(text);
    if (gtin.empty() || GtinCheckDigit(std::string_view(gtin).substr(0, kGtin14Length - 1)) != gtin.back())
        return 0;
    uint64_t number = 0;
    for (char c : gtin)
        number = number * 10 + static_cast<uint64_t>(c - '0');
    return number;
}
