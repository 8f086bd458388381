#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "text/RasStateName.h"
#include "text/SocketErrorText.h"
#include "text/StatusText.h"
#include "text/TapiTexts.h"

TEST(StatusText, KnownCodesThePartDeliveredQuantityAndServerErrors)
{
    const struct {
        int code, quantity;
        const char* text;
    } cases[] = {
        {0, 5, "Ok"}, {1, 5, "Item Not Found"}, {3, 12, "12 Ordered"}, {3, -2, "-2 Ordered"},
        {6, 0, "Unknown Account"}, {7, 1, "Out Of Stock"}, {4, 1, "SERVER ERROR 1"}, {5, 1, "SERVER ERROR 2"},
        {8, 1, "SERVER ERROR"}, {-1, 1, "SERVER ERROR"}, {-2147483647 - 1, 1, "SERVER ERROR"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StatusText(c.code, c.quantity), c.text) << c.code;
}

// The tables themselves are data; what is tested is the lookup: the first and
// last entries of each range, and every gap between ranges.
TEST(SocketErrorText, RangeEndsAndGapsInTheWinsockNumbers)
{
    const std::pair<int, const char*> cases[] = {
        {0, "Ok"}, {10035, "Would Block"}, {10092, "WINSOCK.DLL version out of range"},
        {11004, "Valid name, no data record of requested type"},
    };
    for (const auto& [code, text] : cases)
        EXPECT_STREQ(SocketErrorText(code), text) << code;
    for (int code : {10059, 10062, 10063, 10066, 10108, 11005, -1, 1})
        EXPECT_STREQ(SocketErrorText(code), "Unknown Error") << code;
}

TEST(RasStateName, RangeEndsAndGaps)
{
    const std::pair<uint32_t, const char*> cases[] = {
        {0, "Opening Port"}, {18, "Projected"}, {0x1003, "Password Expired"}, {0x2001, "Disconnected"},
    };
    for (const auto& [state, text] : cases)
        EXPECT_STREQ(RasStateName(state), text) << state;
    for (uint32_t state : {19u, 0x0FFFu, 0x1004u, 0x2002u, 0x3000u})
        EXPECT_STREQ(RasStateName(state), "<unknown state>") << state;
}

TEST(TapiTexts, RangeEndsAndGaps)
{
    const std::pair<uint32_t, const char*> errors[] = {
        {0, "Ok"}, {0x80000019, "Invalid Call Paramaters"}, {0x8000005C, "Dial Voice Detected"},
        {0x80000004, "<unknown error>"}, {0x80000031, "<unknown error>"}, {0x8000005D, "<unknown error>"},
        {1, "<unknown error>"},
    };
    for (const auto& [code, text] : errors)
        EXPECT_STREQ(Tapi::ErrorText(code), text) << code;
    const std::pair<uint32_t, const char*> messages[] = {
        {2, "Call State"}, {13, "Request"}, {19, "Create"}, {25, "Remove"},
        {14, "<unknown error>"}, {18, "<unknown error>"}, {20, "<unknown error>"}, {26, "<unknown error>"},
    };
    for (const auto& [message, text] : messages)
        EXPECT_STREQ(Tapi::MessageName(message), text) << message;
    for (const auto& [privilege, text] : {std::pair<uint32_t, const char*>{0, "No Change"}, {0x40, "Busy"}, {2, ""}})
        EXPECT_STREQ(Tapi::PrivilegeName(privilege), text) << privilege;
}

TEST(TapiTexts, CallStatesAreSingleBitsAndTheirDetailDependsOnTheState)
{
    const std::pair<uint32_t, const char*> states[] = {
        {0x1, "Idle"}, {0x8000, "unknown"}, {0, ""}, {0x3, ""}, {0x10000, ""},
    };
    for (const auto& [state, text] : states)
        EXPECT_STREQ(Tapi::CallStateName(state), text) << state;
    const struct {
        uint32_t state, detail;
        const char* text;
    } details[] = {
        {0x40, 0x1, "Station"}, {0x4000, 0x20, "Busy"}, {0x100, 0x1, "Active"},
        // A detail not listed for its state is empty.
        {0x40, 0x10, ""}, {0x100, 0x4, ""}, {0x10, 0x1, ""}, {0x4000, 0x2000, ""},
    };
    for (const auto& c : details)
        EXPECT_STREQ(Tapi::CallStateDetail(c.state, c.detail), c.text) << c.state << "/" << c.detail;
}
