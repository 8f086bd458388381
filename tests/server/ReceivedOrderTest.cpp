#include <gtest/gtest.h>

#include "ReceivedOrder.h"

namespace {

// The version, the account and the lines, as the client sends them, are read
// by every exchange of the loopback tests and the order desk's.
TEST(ParseOrderMessage, ReadsTheFieldsTheClientSendsAndToleratesWhatItGetsWrong)
{
    const ParsedOrder order = ParseOrderMessage(
        "10~0~QN~1.600~QUARN  1.600*1700000000*1700000100*WinXP (2.5.1.2600)*INET~ORDER SET 666~ACC 4711~"
        "ORDER NOTES Urgent * before noon\r\nthanks~ABC12*2~X9*1~");
    EXPECT_EQ("QUARN  1.600*1700000000*1700000100*WinXP (2.5.1.2600)*INET", order.header);
    EXPECT_TRUE(order.hasNotes);
    EXPECT_EQ("Urgent * before noon\r\nthanks", order.notes);

    // What a client might get wrong is tolerated.
    const ParsedOrder odd = ParseOrderMessage("~~ACC ~ORDER NOTES ~A*x~B*99999999999~C*-3~D**2~E*+4~~");
    EXPECT_DOUBLE_EQ(0, odd.clientVersion) << "no preamble";
    EXPECT_EQ("", odd.account);
    EXPECT_TRUE(odd.hasNotes);
    EXPECT_EQ("", odd.notes);
    std::vector<bool> readable;
    for (const OrderedLine& line : odd.lines)
        readable.push_back(line.readable);
    EXPECT_EQ((std::vector<bool>{false, false, true, false, true}), readable) << "B's quantity is too large";
}

} // namespace
