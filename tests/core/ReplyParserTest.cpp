#include <gtest/gtest.h>

#include "comm/ReplyParser.h"
#include "comm/ServerMessage.h"

TEST(ServerMessage, ClassifiedByTheirBeginningAndLength)
{
    EXPECT_EQ(ClassifyServerMessage("REPLY~1*1*0~"), ServerMessageKind::Reply);
    EXPECT_EQ(ClassifyServerMessage("REPLY"), ServerMessageKind::Other);
    EXPECT_EQ(ClassifyServerMessage("REPLYX"), ServerMessageKind::Reply);
    EXPECT_EQ(ClassifyServerMessage("EXEUPDATE"), ServerMessageKind::Other);
    EXPECT_EQ(ClassifyServerMessage("EXEUPDATE~"), ServerMessageKind::Update);
    EXPECT_EQ(ClassifyServerMessage("reply~"), ServerMessageKind::Other);
    EXPECT_EQ(ClassifyServerMessage(""), ServerMessageKind::Other);
    EXPECT_STREQ(ServerMessageAnswer(ServerMessageKind::Reply), "OK");
    EXPECT_STREQ(ServerMessageAnswer(ServerMessageKind::Update), "OK");
    EXPECT_STREQ(ServerMessageAnswer(ServerMessageKind::Other), "BAD");
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

bool Fits(const std::string& field)
{
    ReplyField out;
    return ParseReplyField(field, out);
}

} // namespace

TEST(ReplyParser, LineResultNeedsAllThreeParts)
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
    EXPECT_FALSE(Fits("ABC12*2"));
    EXPECT_FALSE(Fits("ABC12*2*"));
    EXPECT_FALSE(Fits("*2*0"));
    EXPECT_FALSE(Fits("ABC12*x*0"));
    EXPECT_FALSE(Fits("ABC12*2 *0"));
    EXPECT_FALSE(Fits("REPLY"));
}

TEST(ReplyParser, ItemCodesAndNumbersOfAnyLength)
{
    const std::string code(5000, 'C');
    ReplyField r = Parse(code + "*99999999999999999999*7");
    EXPECT_EQ(r.text, code);
    EXPECT_EQ(r.quantity, INT32_MAX);
    EXPECT_EQ(r.status, 7);
}

TEST(ReplyParser, OrderNumberSkipsOneSeparator)
{
    EXPECT_EQ(Parse("ORDER NUMBER 123").text, "123");
    EXPECT_EQ(Parse("ORDER NUMBER:A/7").text, "A/7");
    EXPECT_EQ(Parse("ORDER NUMBER ").text, "");
    EXPECT_EQ(Parse("ORDER NUMBER").kind, ReplyField::Kind::OrderNumber);
    EXPECT_EQ(Parse("ORDER NUMBER").text, "");
    EXPECT_FALSE(Fits("ORDER NUMBE"));
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
    EXPECT_FALSE(Fits("FLAGS"));
}

TEST(ReplyParser, MemoKeepsItsText)
{
    ReplyField r = Parse("MEMO Closed on Monday*");
    EXPECT_EQ(r.kind, ReplyField::Kind::Memo);
    EXPECT_EQ(r.text, "Closed on Monday*");
    EXPECT_EQ(Parse("MEMO ").text, "");
    EXPECT_FALSE(Fits("MEMO"));
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
