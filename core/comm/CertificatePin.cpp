#include "comm/CertificatePin.h"

namespace {
int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}
} // namespace

bool CCertificatePin::Parse(const std::string& text)
{
    m_set = false;
    Digest digest{};
    size_t digits = 0;
    for (const char c : text) {
        if (c == ':' || c == ' ')
            continue;
        const int value = HexValue(c);
        if (value < 0 || digits == 2 * digest.size())
            return false;
        digest[digits / 2] = static_cast<uint8_t>(digest[digits / 2] << 4 | value);
        ++digits;
    }
    if (digits != 2 * digest.size())
        return false;
    m_digest = digest;
    m_set = true;
    return true;
}
