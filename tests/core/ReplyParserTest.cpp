#include <gtest/gtest.h>

#include "comm/ReplyParser.h"
#include "comm/ServerMessage.h"

// The answers "OK" and "BAD" are pinned on the wire by the place-order session's tests.
TEST(ServerMessage, ClassifiedByTheirBeginningAndLength)
{
    const std::pair<const char*, ServerMessageKind> cases[] = {
        {"REPLY~1*1*0~", ServerMessageKind::Reply}, {"REPLYX", ServerMessageKind::Reply},
        {"EXEUPDATE~", ServerMessageKind::Update},  {"REPLY", ServerMessageKind::Other},
        {"reply~", ServerMessageKind::Other},
    };
    for (const auto& [message, kind] : cases)
        EXPECT_EQ(ClassifyServerMessage(message), kind) << message;
}

TEST(ReplyParser, FieldsThatFitNoFormAreRefused)
{
    for (const char* field : {"ABC12*2", "ABC12*2*", "*2*0", "ABC12*x*0", "ABC12*2 *0", "REPLY", "ORDER NUMBE",
                              "FLAGS", "MEMO"}) {
        ReplyField out;
        EXPECT_FALSE(ParseReplyField(field, out)) << field;
    }
}

// The plain forms are read in OrderReply's tests. A line result is tried first,
// even in a field that starts like an order number; an order number skips one
// separator; the last P of the flags wins.
TEST(ReplyParser, EachFormAndWhatItCarries)
{
    using Kind = ReplyField::Kind;
    const std::string code(5000, 'C');
    const struct {
        std::string field;
        Kind kind;
        std::string text;
        int32_t quantity, status;
        bool hasPriceFlag, showPrice;
    } cases[] = {
        {"X 9* 5* -3 trailing", Kind::LineResult, "X 9", 5, -3, false, false},
        {code + "*99999999999999999999*7", Kind::LineResult, code, INT32_MAX, 7, false, false},
        {"ORDER NUMBER 1*2*3", Kind::LineResult, "ORDER NUMBER 1", 2, 3, false, false},
        {"ORDER NUMBER:A/7", Kind::OrderNumber, "A/7", 0, 0, false, false},
        {"ORDER NUMBER", Kind::OrderNumber, "", 0, 0, false, false},
        {"FLAGS -p+p", Kind::Flags, "", 0, 0, true, true},
        {"MEMO Closed on Monday*", Kind::Memo, "Closed on Monday*", 0, 0, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.field.substr(0, 40));
        ReplyField out;
        ASSERT_TRUE(ParseReplyField(c.field, out));
        EXPECT_EQ(out.kind, c.kind);
        EXPECT_EQ(out.text, c.text);
        EXPECT_EQ(out.quantity, c.quantity);
        EXPECT_EQ(out.status, c.status);
        EXPECT_EQ(out.hasPriceFlag, c.hasPriceFlag);
        EXPECT_EQ(out.showPrice, c.showPrice);
    }
}
