#include <gtest/gtest.h>

#include <cstdint>

#include "skin/SkinCoord.h"
#include "skin/SkinWords.h"

namespace {

struct Resolved {
    const char* word;
    int32_t extent;
    int32_t value;
};

TEST(SkinCoord, ResolvesItsNumberAndAnchorFlagsAgainstTheExtentUnlikeOtherNumbers)
{
    const Resolved cases[] = {
        {"10", 200, 10}, {"-5R", 200, 195}, {"b", 80, 80}, {"-7c", 201, 93}, {"50%", 200, 100}, {"25%B", 200, 250},
        {"10CR", 200, 10},    // centre and far edge have no combined meaning
        {"010", 200, 10},     // coordinates are decimal
        {"2147483647R", 1, INT32_MIN}, // 32-bit arithmetic wraps
        {"2147483647%", 2147483647, 0},
        {"99999999999", 200, INT32_MAX}, // the number is clamped to 32 bits
    };
    for (const Resolved& c : cases)
        EXPECT_EQ(CSkinCoord::FromWord(c.word).Resolve(c.extent), c.value) << c.word << " in " << c.extent;
    // Other numbers are C integers of any base, clamped as well.
    EXPECT_EQ(SkinNumber("010"), 8);
    EXPECT_EQ(SkinNumber("0xFFFFFFFFFF"), INT32_MAX);
}

} // namespace
