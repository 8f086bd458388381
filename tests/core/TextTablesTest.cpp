#include <gtest/gtest.h>

#include <string>

#include "text/RasStateName.h"
#include "text/SocketErrorText.h"
#include "text/StatusText.h"
#include "text/TapiTexts.h"

TEST(StatusText, KnownCodesAndThePartDeliveredQuantity)
{
    EXPECT_EQ(StatusText(0, 5), "Ok");
    EXPECT_EQ(StatusText(1, 5), "Item Not Found");
    EXPECT_EQ(StatusText(3, 12), "12 Ordered");
    EXPECT_EQ(StatusText(3, -2), "-2 Ordered");
    EXPECT_EQ(StatusText(6, 0), "Unknown Account");
    EXPECT_EQ(StatusText(7, 1), "Out Of Stock");
}

TEST(StatusText, UnknownAndNegativeCodesAreServerErrors)
{
    EXPECT_EQ(StatusText(8, 1), "SERVER ERROR");
    EXPECT_EQ(StatusText(-1, 1), "SERVER ERROR");
    EXPECT_EQ(StatusText(-2147483647 - 1, 1), "SERVER ERROR");
    EXPECT_EQ(StatusText(4, 1), "SERVER ERROR 1");
    EXPECT_EQ(StatusText(5, 1), "SERVER ERROR 2");
}

TEST(SocketErrorText, CommonFailuresReadAsTheUserSeesThem)
{
    EXPECT_STREQ(SocketErrorText(0), "Ok");
    EXPECT_STREQ(SocketErrorText(10035), "Would Block");
    EXPECT_STREQ(SocketErrorText(10060), "Connection timed out");
    EXPECT_STREQ(SocketErrorText(10061), "Connection refused");
    EXPECT_STREQ(SocketErrorText(10047), "Address family not supported by protocol family");
    EXPECT_STREQ(SocketErrorText(10092), "WINSOCK.DLL version out of range");
    EXPECT_STREQ(SocketErrorText(11004), "Valid name, no data record of requested type");
}

TEST(SocketErrorText, GapsInTheWinsockNumbersAreUnknown)
{
    for (int code : {10059, 10062, 10063, 10066, 10108, 11005, -1, 1})
        EXPECT_STREQ(SocketErrorText(code), "Unknown Error") << code;
}

TEST(RasStateName, ProgressStatesKeepTheirOwnSpelling)
{
    EXPECT_STREQ(RasStateName(0), "Opening Port");
    EXPECT_STREQ(RasStateName(3), "DeviceConnected");
    EXPECT_STREQ(RasStateName(12), "Authenticate Acknolledge");
    EXPECT_STREQ(RasStateName(16), "Wating for Modem Reset");
    EXPECT_STREQ(RasStateName(18), "Projected");
    EXPECT_STREQ(RasStateName(0x1003), "Password Expired");
    EXPECT_STREQ(RasStateName(0x2000), "Connected");
    EXPECT_STREQ(RasStateName(0x2001), "Disconnected");
}

TEST(RasStateName, StatesOutsideTheTableAreUnknown)
{
    for (uint32_t state : {19u, 0x0FFFu, 0x1004u, 0x2002u, 0x3000u})
        EXPECT_STREQ(RasStateName(state), "<unknown state>") << state;
}

TEST(TapiTexts, ErrorTextsIncludingTheirMisspellings)
{
    EXPECT_STREQ(Tapi::ErrorText(0), "Ok");
    EXPECT_STREQ(Tapi::ErrorText(0x80000019), "Invalid Call Paramaters");
    EXPECT_STREQ(Tapi::ErrorText(0x80000020), "Invalid Confrence Call Handle");
    EXPECT_STREQ(Tapi::ErrorText(0x80000044), "NO Memory");
    EXPECT_STREQ(Tapi::ErrorText(0x80000048), "Operation Failed");
    EXPECT_STREQ(Tapi::ErrorText(0x80000049), "Operation Unavailable");
    EXPECT_STREQ(Tapi::ErrorText(0x80000052), "Re Initialse");
    EXPECT_STREQ(Tapi::ErrorText(0x8000005C), "Dial Voice Detected");
}

TEST(TapiTexts, UnlistedErrorsAndMessagesAreUnknown)
{
    for (uint32_t code : {0x80000004u, 0x80000031u, 0x8000005Du, 1u})
        EXPECT_STREQ(Tapi::ErrorText(code), "<unknown error>") << code;
    for (uint32_t message : {14u, 18u, 20u, 26u})
        EXPECT_STREQ(Tapi::MessageName(message), "<unknown error>") << message;
    EXPECT_STREQ(Tapi::MessageName(2), "Call State");
    EXPECT_STREQ(Tapi::MessageName(13), "Request");
    EXPECT_STREQ(Tapi::MessageName(19), "Create");
    EXPECT_STREQ(Tapi::MessageName(25), "Remove");
}

TEST(TapiTexts, CallStatesAreSingleBits)
{
    EXPECT_STREQ(Tapi::CallStateName(0x1), "Idle");
    EXPECT_STREQ(Tapi::CallStateName(0x100), "Connected");
    EXPECT_STREQ(Tapi::CallStateName(0x4000), "Disconnected");
    EXPECT_STREQ(Tapi::CallStateName(0x8000), "unknown");
    EXPECT_STREQ(Tapi::CallStateName(0), "");
    EXPECT_STREQ(Tapi::CallStateName(0x3), "");
    EXPECT_STREQ(Tapi::CallStateName(0x10000), "");
}

TEST(TapiTexts, DetailDependsOnTheState)
{
    EXPECT_STREQ(Tapi::CallStateDetail(0x40, 0x1), "Station");
    EXPECT_STREQ(Tapi::CallStateDetail(0x4000, 0x1), "Normal");
    EXPECT_STREQ(Tapi::CallStateDetail(0x4000, 0x20), "Busy");
    EXPECT_STREQ(Tapi::CallStateDetail(0x4000, 0x1000), "No Dial Tone");
    EXPECT_STREQ(Tapi::CallStateDetail(0x2, 0x2), "Inactive");
    EXPECT_STREQ(Tapi::CallStateDetail(0x100, 0x1), "Active");
    EXPECT_STREQ(Tapi::CallStateDetail(0x8, 0x20), "Unavailable");
    EXPECT_STREQ(Tapi::CallStateDetail(0x80, 0x2), "Customer Irregularity");
}

TEST(TapiTexts, DetailNotListedForItsStateIsEmpty)
{
    EXPECT_STREQ(Tapi::CallStateDetail(0x40, 0x10), "");
    EXPECT_STREQ(Tapi::CallStateDetail(0x100, 0x4), "");
    EXPECT_STREQ(Tapi::CallStateDetail(0x10, 0x1), "");
    EXPECT_STREQ(Tapi::CallStateDetail(0x4000, 0x2000), "");
}

TEST(TapiTexts, PrivilegeNames)
{
    EXPECT_STREQ(Tapi::PrivilegeName(0), "No Change");
    EXPECT_STREQ(Tapi::PrivilegeName(4), "Owner");
    EXPECT_STREQ(Tapi::PrivilegeName(0x40), "Busy");
    EXPECT_STREQ(Tapi::PrivilegeName(2), "");
}
