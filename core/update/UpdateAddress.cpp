#include "update/UpdateAddress.h"

#include <cstring>

namespace {

constexpr char kScheme[] = "https://";
constexpr size_t kSchemeLength = sizeof kScheme - 1;

bool IsSchemeHttps(const std::string& address)
{
    if (address.size() < kSchemeLength)
        return false;
    for (size_t i = 0; i < kSchemeLength; ++i)
        if ((address[i] | 0x20) != kScheme[i]) // the scheme is read in either case; ':' and '/' keep their value
            return false;
    return true;
}

// A host name, with a port if any: no user name ("@"), no spaces, nothing a
// shell could read as an option or a path.
bool IsHostChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' || c == '-' ||
           c == ':';
}

// Printable ASCII without the characters a URL never holds unescaped.
bool IsPathChar(char c)
{
    return c > ' ' && c < 0x7f && std::strchr("\"<>\\^`{|}", c) == nullptr;
}

} // namespace

bool IsUpdateAddressAccepted(const std::string& address)
{
    if (!IsSchemeHttps(address))
        return false;
    const size_t hostEnd = address.find_first_of("/?#", kSchemeLength);
    const size_t end = hostEnd == std::string::npos ? address.size() : hostEnd;
    if (end == kSchemeLength || address[kSchemeLength] == '-' || address[kSchemeLength] == ':')
        return false;
    for (size_t i = kSchemeLength; i < address.size(); ++i)
        if (!(i < end ? IsHostChar(address[i]) : IsPathChar(address[i])))
            return false;
    return true;
}
