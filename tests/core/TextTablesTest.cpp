#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "text/RasStateName.h"
#include "text/SocketErrorText.h"
#include "text/StatusText.h"
#include "text/TapiTexts.h"

// The tables themselves are data. "Ok", "Item Not Found", "n Ordered", "Out Of
// Stock" and "SERVER ERROR" for unknown codes show in OrderReply's tests, and
// "Unknown Account" end to end (tests/wine/test_send.py); here the server
// errors. What is tested is each lookup: a known number (a socket error in the
// place-order session's tests, telephony errors and call details end to end in
// tests/wine/test_modem.py), and one the table doesn't hold.
TEST(TextTables, KnownAndUnknownNumbers)
{
    EXPECT_EQ(StatusText(4, 1), "SERVER ERROR 1");
    EXPECT_EQ(StatusText(INT32_MIN, 1), "SERVER ERROR");
    EXPECT_STREQ(SocketErrorText(-1), "Unknown Error");
    EXPECT_STREQ(RasStateName(0x2001), "Disconnected");
    EXPECT_STREQ(RasStateName(19), "<unknown state>");
    EXPECT_STREQ(Tapi::ErrorText(0x8000005D), "<unknown error>");
    EXPECT_STREQ(Tapi::MessageName(13), "Request");
    EXPECT_STREQ(Tapi::PrivilegeName(0x40), "Busy");
    EXPECT_STREQ(Tapi::PrivilegeName(2), "");
    // Call states are single bits; a detail not listed for its state is empty.
    EXPECT_STREQ(Tapi::CallStateName(0x3), "");
    EXPECT_STREQ(Tapi::CallStateDetail(0x40, 0x10), "");
}
