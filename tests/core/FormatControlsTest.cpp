#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "text/FormatControls.h"

// Link controls are named, other non-printing bytes shown in blank-padded hex,
// and an opening brace escaped so the names stay unambiguous.
TEST(FormatControls, BytesAsTheTraceShowsThem)
{
    const std::pair<std::string, const char*> cases[] = {
        {"\x02" "ABC\x17" "X", "{STX}ABC{ETB}X"},
        {"\x01\x03\x04\x05\x10\x15\x1e", "{SOH}{ETX}{EOT}{ENQ}{DLE}{NAK}{ITB}"},
        {"{STX}", "{{}STX}"},
        {"\r\n", "{x d}{x a}"},
        {"\x7f\x80\xff\x1f", "{x7f}{x80}{xff}{x1f}"},
    };
    for (const auto& [bytes, text] : cases)
        EXPECT_EQ(FormatControls(bytes.data(), bytes.size()), text) << text;
}
