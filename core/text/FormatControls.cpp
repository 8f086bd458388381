#include "text/FormatControls.h"

#include <cstdint>
#include <cstdio>

#include "text/CodeText.h"

namespace {

const CodeText kNamedBytes[] = {
    {0x01, "{SOH}"},
    {0x02, "{STX}"},
    {0x03, "{ETX}"},
    {0x04, "{EOT}"},
    {0x05, "{ENQ}"},
    {0x10, "{DLE}"},
    {0x15, "{NAK}"},
    {0x17, "{ETB}"},
    {0x1E, "{ITB}"},
    {'{', "{{}"},
};

void AppendByte(std::string& out, uint8_t byte)
{
    if (const char* name = FindCodeText(kNamedBytes, byte, nullptr)) {
        out += name;
    } else if (byte < 0x20 || byte >= 0x7F) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "{x%2x}", byte);
        out += hex;
    } else {
        out += static_cast<char>(byte);
    }
}

} // namespace

std::string FormatControls(const void* data, size_t count)
{
    const auto* bytes = static_cast<const uint8_t*>(data);
    std::string out;
    out.reserve(count);
    for (size_t i = 0; i < count; ++i)
        AppendByte(out, bytes[i]);
    return out;
}
