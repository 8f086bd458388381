#include <gtest/gtest.h>

#include "comm/ReplyParser.h"
#include "comm/ServerMessage.h"

// The answers "OK" and "BAD" are pinned on the wire by the place-order session's tests.
TEST(ServerMessage, ClassifiedByTheirBeginningAndLength)
{
    const std::pair<const char*, ServerMessageKind> cases[] = {
        {"REPLY~1*1*0~", ServerMessageKind::Reply}, {"REPLYX", ServerMessageKind::Reply},
        {"EXEUPDATE~", ServerMessageKind::Update},  {"REPLY", ServerMessageKind::Other},
        {"EXEUPDATE", ServerMessageKind::Other},    {"reply~", ServerMessageKind::Other},
        {"", ServerMessageKind::Other},
    };
    for (const auto& [message, kind] : cases)
        EXPECT_EQ(ClassifyServerMessage(message), kind) << message;
}

TEST(ServerMessage, RunsOfTildesSeparateOnce)
{
    EXPECT_EQ(SplitFields("~~REPLY~~~A*1*0~"), (std::vector<std::string>{"REPLY", "A*1*0"}));
    EXPECT_TRUE(SplitFields("~~~").empty());
    EXPECT_EQ(SplitFields("X"), std::vector<std::string>{"X"});
}

namespace {

ReplyField Parse(const std::string& field)
{
    ReplyField out;
    EXPECT_TRUE(ParseReplyField(field, out)) << field;
    return out;
}

} // namespace

TEST(ReplyParser, FieldsThatFitNoFormAreRefused)
{
    for (const char* field : {"ABC12*2", "ABC12*2*", "*2*0", "ABC12*x*0", "ABC12*2 *0", "REPLY", "ORDER NUMBE",
                              "FLAGS", "MEMO"}) {
        ReplyField out;
        EXPECT_FALSE(ParseReplyField(field, out)) << field;
    }
}

TEST(ReplyParser, LineResultsOfAnyLength)
{
    ReplyField r = Parse("ABC12*2*0");
    EXPECT_EQ(r.kind, ReplyField::Kind::LineResult);
    EXPECT_EQ(r.text, "ABC12");
    EXPECT_EQ(r.quantity, 2);
    EXPECT_EQ(r.status, 0);
    r = Parse("X 9* 5* -3 trailing");
    EXPECT_EQ(r.text, "X 9");
    EXPECT_EQ(r.quantity, 5);
    EXPECT_EQ(r.status, -3);
    const std::string code(5000, 'C');
    r = Parse(code + "*99999999999999999999*7");
    EXPECT_EQ(r.text, code);
    EXPECT_EQ(r.quantity, INT32_MAX);
    EXPECT_EQ(r.status, 7);
}

TEST(ReplyParser, OrderNumberSkipsOneSeparator)
{
    EXPECT_EQ(Parse("ORDER NUMBER 123").text, "123");
    EXPECT_EQ(Parse("ORDER NUMBER:A/7").text, "A/7");
    EXPECT_EQ(Parse("ORDER NUMBER ").text, "");
    const ReplyField bare = Parse("ORDER NUMBER");
    EXPECT_EQ(bare.kind, ReplyField::Kind::OrderNumber);
    EXPECT_EQ(bare.text, "");
    // A line result comes first, even in a field that starts like an order number.
    EXPECT_EQ(Parse("ORDER NUMBER 1*2*3").kind, ReplyField::Kind::LineResult);
}

TEST(ReplyParser, FlagsWalkSignLetterPairsAndTheLastPWins)
{
    ReplyField r = Parse("FLAGS +P");
    EXPECT_EQ(r.kind, ReplyField::Kind::Flags);
    EXPECT_TRUE(r.hasPriceFlag);
    EXPECT_TRUE(r.showPrice);
    EXPECT_FALSE(Parse("FLAGS -P").showPrice);
    EXPECT_TRUE(Parse("FLAGS -p+p").showPrice);
    EXPECT_FALSE(Parse("FLAGS +P-X*P").showPrice);
    EXPECT_FALSE(Parse("FLAGS +X").hasPriceFlag);
    EXPECT_FALSE(Parse("FLAGS P").hasPriceFlag);
}

TEST(ReplyParser, MemoKeepsItsText)
{
    ReplyField r = Parse("MEMO Closed on Monday*");
    EXPECT_EQ(r.kind, ReplyField::Kind::Memo);
    EXPECT_EQ(r.text, "Closed on Monday*");
    EXPECT_EQ(Parse("MEMO ").text, "");
}

TEST(ReplyParser, WholeReplyKeepsTheFieldsThatFit)
{
    const auto fields = ParseReply("REPLY~ORDER NUMBER 123~ABC12*2*0~~junk~FLAGS +P~MEMO hi~X9*5*3~");
    ASSERT_EQ(fields.size(), 5u);
    EXPECT_EQ(fields[0].kind, ReplyField::Kind::OrderNumber);
    EXPECT_EQ(fields[1].text, "ABC12");
    EXPECT_EQ(fields[2].kind, ReplyField::Kind::Flags);
    EXPECT_EQ(fields[3].text, "hi");
    EXPECT_EQ(fields[4].status, 3);
}
