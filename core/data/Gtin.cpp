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

bool IsGtin(std::string_view text)
{
    const size_t n = text.size();
    return AllDigits(text) && (n == 8 || n == 12 || n == 13 || n == kGtin14Length);
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
    if (!IsGtin(digits))
        return std::string();
    return std::string(kGtin14Length - digits.size(), '0') + std::string(digits);
}

bool GtinChecks(std::string_view text)
{
    return IsGtin(text) && GtinCheckDigit(text.substr(0, text.size() - 1)) == text.back();
}

// Read in place, without the 14-digit copy: every product's two codes pass
// through here while a database of 100,000 products loads.
uint64_t GtinNumber(std::string_view text)
{
    if (!GtinChecks(text))
        return 0;
    uint64_t number = 0;
    for (char c : text)
        number = number * 10 + static_cast<uint64_t>(c - '0');
    return number;
}
