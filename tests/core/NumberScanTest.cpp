#include <gtest/gtest.h>

#include "text/NumberScan.h"

TEST(NumberScan, ReadsLikeAtol)
{
    EXPECT_EQ(DecimalValue("1140"), 1140);
    EXPECT_EQ(DecimalValue(" \t-42abc"), -42);
    EXPECT_EQ(DecimalValue("+7"), 7);
    EXPECT_EQ(DecimalValue(""), 0);
    EXPECT_EQ(DecimalValue("x1"), 0);
    EXPECT_EQ(DecimalValue("- 1"), 0);
}

TEST(NumberScan, ClampsInsteadOfOverflowing)
{
    EXPECT_EQ(DecimalValue("2147483647"), 2147483647);
    EXPECT_EQ(DecimalValue("2147483648"), 2147483647);
    EXPECT_EQ(DecimalValue("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(DecimalValue("-99999999999999999999999"), -2147483647 - 1);
}

TEST(NumberScan, MovesPastTheNumberOnlyWhenItReadOne)
{
    const char* text = " 76, 2";
    int32_t value = 0;
    ASSERT_TRUE(ScanDecimal(text, value));
    EXPECT_EQ(value, 76);
    EXPECT_STREQ(text, ", 2");
    const char* none = " ,";
    EXPECT_FALSE(ScanDecimal(none, value));
    EXPECT_STREQ(none, " ,");
    EXPECT_EQ(value, 76);
}
