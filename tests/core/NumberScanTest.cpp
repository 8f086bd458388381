#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <utility>

#include "text/NumberScan.h"

// Read as atol reads, but clamped at the 32-bit ends instead of overflowing.
// Where a scan stops shows in the hot key's and the reply's parsing.
TEST(NumberScan, ReadsLikeAtolAndClamps)
{
    const std::pair<const char*, int32_t> cases[] = {
        {" \t-42abc", -42}, {"+7", 7}, {"x1", 0}, {"- 1", 0},
        {"2147483647", 2147483647}, {"2147483648", 2147483647}, {"-99999999999999999999999", -2147483647 - 1},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(DecimalValue(text), value) << text;
}

TEST(NumberScan, RealValueIsExactlyStrtodsValue)
{
    const char* texts[] = {"2.675", "-3.14159", "9999999.999999", ".5", "1234567890123456.7", "1e3", " 7.5", "abc",
                           "-", "3.141592653589793238", "1,5"};
    for (const char* text : texts)
        EXPECT_EQ(RealValue(text), std::strtod(text, nullptr)) << "'" << text << "'";
    // Every price the data files can hold in cents and tenths of a cent.
    for (int cents = 0; cents < 200000; cents += 7) {
        char text[32];
        std::snprintf(text, sizeof text, "%f", cents / 1000.0);
        ASSERT_EQ(RealValue(text), std::strtod(text, nullptr)) << text;
    }
}
