#include <gtest/gtest.h>

#include "ReceivedOrder.h"

namespace {

TEST(ParseOrderMessage, ReadsTheFieldsTheClientSends)
{
    const ParsedOrder order = ParseOrderMessage(
        "10~0~QN~1.600~QUARN  1.600*1700000000*1700000100*WinXP (2.5.1.2600)*INET~ORDER SET 666~ACC 4711~"
        "ORDER NOTES Urgent * before noon\r\nthanks~ABC12*2~X9*1~");
    EXPECT_DOUBLE_EQ(1.6, order.clientVersion);
    EXPECT_EQ("QUARN  1.600*1700000000*1700000100*WinXP (2.5.1.2600)*INET", order.header);
    EXPECT_EQ("4711", order.account);
    EXPECT_TRUE(order.hasNotes);
    EXPECT_EQ("Urgent * before noon\r\nthanks", order.notes);
    ASSERT_EQ(2u, order.lines.size());
    EXPECT_EQ("ABC12", order.lines[0].code);
    EXPECT_EQ(2, order.lines[0].quantity);
    EXPECT_TRUE(order.lines[0].readable);
    EXPECT_EQ("X9", order.lines[1].code);
}

TEST(ParseOrderMessage, ToleratesWhatAClientMightGetWrong)
{
    const ParsedOrder order = ParseOrderMessage("~~ACC ~ORDER NOTES ~A*x~B*99999999999~C*-3~D**2~E*+4~~");
    EXPECT_DOUBLE_EQ(0, order.clientVersion) << "no preamble";
    EXPECT_EQ("", order.account);
    EXPECT_TRUE(order.hasNotes);
    EXPECT_EQ("", order.notes);
    ASSERT_EQ(5u, order.lines.size());
    EXPECT_FALSE(order.lines[0].readable);
    EXPECT_FALSE(order.lines[1].readable) << "too large for the quantity";
    EXPECT_TRUE(order.lines[2].readable);
    EXPECT_EQ(-3, order.lines[2].quantity);
    EXPECT_FALSE(order.lines[3].readable);
    EXPECT_TRUE(order.lines[4].readable);
    EXPECT_EQ(4, order.lines[4].quantity);
}

} // namespace
