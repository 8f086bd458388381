#include <gtest/gtest.h>

#include <string>

#include "text/FormatControls.h"

namespace {

std::string Readable(const std::string& bytes)
{
    return FormatControls(bytes.data(), bytes.size());
}

} // namespace

TEST(FormatControls, LinkControlsAreNamed)
{
    EXPECT_EQ(Readable("\x02" "ABC\x17" "X"), "{STX}ABC{ETB}X");
    EXPECT_EQ(Readable("\x01\x03\x04\x05\x10\x15\x1e"), "{SOH}{ETX}{EOT}{ENQ}{DLE}{NAK}{ITB}");
    EXPECT_EQ(Readable("\x10" "0\x10" "1"), "{DLE}0{DLE}1");
}

TEST(FormatControls, AnOpeningBraceIsEscapedSoNamesStayUnambiguous)
{
    EXPECT_EQ(Readable("{STX}"), "{{}STX}");
    EXPECT_EQ(Readable("}"), "}");
}

TEST(FormatControls, OtherNonPrintingBytesInBlankPaddedHex)
{
    EXPECT_EQ(Readable("\r\n"), "{x d}{x a}");
    EXPECT_EQ(Readable(std::string(1, '\0')), "{x 0}");
    EXPECT_EQ(Readable("\x7f\x80\xff"), "{x7f}{x80}{xff}");
    EXPECT_EQ(Readable("\x1f"), "{x1f}");
}

TEST(FormatControls, PrintableBytesStandForThemselves)
{
    EXPECT_EQ(Readable(" ~OK~"), " ~OK~");
    EXPECT_EQ(FormatControls(nullptr, 0), "");
}
