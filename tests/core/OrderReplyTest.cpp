#include <gtest/gtest.h>

#include <optional>

#include "OrderLines.h"
#include "TempDir.h"
#include "comm/OrderReply.h"

namespace {

class OrderReply : public TempDirTest {
protected:
    ReplyOutcome Apply(const std::string& reply, ExchangeEnd end = ExchangeEnd::Confirmed)
    {
        std::filesystem::remove(PathOf("Current.dat")); // the lines are in memory only
        order->Load(PathOf("Current.dat").c_str());      // names the order file
        order->Setup(ListKind::Order);
        order->SetView(&saves);
        return ProcessReply(reply, end, *order, *response, counter);
    }

    void Reset()
    {
        // Fresh lists, not set up, so lines of one code stay apart.
        order.emplace();
        response.emplace();
    }

    std::string Summary(const CItemList& list) const
    {
        std::string out;
        for (int i = 0; i < list.Count(); ++i) {
            const ItemRecord& r = *list.At(i);
            out += r.code + ":" + std::to_string(r.quantity) + ":" + std::to_string(r.statusClass) + ":" +
                   r.statusText + ";";
        }
        return out;
    }

    SaveCounter saves;
    std::optional<CItemList> order{std::in_place};
    std::optional<CItemList> response{std::in_place};
    int32_t counter = 0;
};

} // namespace

// A confirmed reply, a failed exchange failing every line, no answer keeping
// the whole order and moving the counter on, and the order file holding what
// is still wanted are pinned end to end (tests/wine/test_send.py). A reply
// whose closing exchange failed stands as the server stored it, and the order
// counter wraps instead of overflowing.
TEST_F(OrderReply, AnUnconfirmedReplyStandsAndTheCounterWraps)
{
    counter = INT32_MAX;
    AddLine(*order, "ABC12", 2);
    AddLine(*order, "X9", 1);
    const ReplyOutcome outcome = Apply("REPLY~ORDER NUMBER 123~ABC12*2*0~", ExchangeEnd::Unconfirmed);
    EXPECT_EQ(Summary(*response), "ABC12:2:0:Ok;X9:1:0:Failed;");
    EXPECT_EQ(Summary(*order), "X9:1:0:;");
    EXPECT_EQ(outcome.orderNumber.value_or("none"), "123");
    EXPECT_EQ(counter, INT32_MIN);
}

// A part delivery keeps the remainder, never less than nothing or more than
// asked; a refusal keeps the line with its class. Unknown and negative result
// codes are refusals too. The order is saved once per reply, not once per
// refused line.
TEST_F(OrderReply, EachResultLeavesItsLinesRemainderClassAndText)
{
    for (const char* code : {"P", "Q", "A", "B", "C", "S1", "S7", "S99", "SN"})
        AddLine(*order, code, 8);
    Apply("REPLY~P*5*3~Q*8*3~A*20*3~B*-5*3~C*-2147483648*3~S1*1*1~S7*1*7~S99*1*99~SN*1*-1~");
    EXPECT_EQ(Summary(*order), "P:3:1:;B:8:1:;C:8:1:;S1:8:3:;S7:8:2:;S99:8:3:;SN:8:3:;");
    EXPECT_EQ(Summary(*response), "P:8:0:5 Ordered;Q:8:0:8 Ordered;A:8:0:20 Ordered;B:8:0:-5 Ordered;"
                                 "C:8:0:-2147483648 Ordered;S1:8:0:Item Not Found;S7:8:0:Out Of Stock;"
                                 "S99:8:0:SERVER ERROR;SN:8:0:SERVER ERROR;");
    EXPECT_EQ(saves.saves, 1);
}

// The results of a code answer its lines in order, one each; a result with no
// line of its code left to answer, or for a code not ordered, changes nothing.
TEST_F(OrderReply, EachResultOfACodeAnswersTheNextLineOfIt)
{
    struct Case {
        std::vector<std::pair<std::string, int>> lines;
        std::string reply, response, order;
    };
    const Case cases[] = {
        {{{"A", 1}, {"A", 2}}, "REPLY~A*1*7~", "A:1:0:Out Of Stock;A:2:0:Failed;", "A:1:2:;A:2:0:;"},
        {{{"A", 1}, {"B", 4}, {"A", 2}},
         "REPLY~A*1*0~A*1*3~",
         "A:1:0:Ok;B:4:0:Failed;A:2:0:1 Ordered;",
         "B:4:0:;A:1:1:;"},
        {{{"A", 1}}, "REPLY~ZZ*1*0~A*1*0~A*1*7~" + std::string(300, 'L') + "*1*0~", "A:1:0:Ok;", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reply);
        Reset();
        for (const auto& [code, quantity] : c.lines)
            AddLine(*order, code, quantity);
        Apply(c.reply);
        EXPECT_EQ(Summary(*response), c.response);
        EXPECT_EQ(Summary(*order), c.order);
    }
}

// Runs of "~" separate once, and fields that fit no form are skipped. Every
// memo shows in one box, one a line, cut with an ellipsis when a person could
// not read it all: 100,000 memos were 100,000 boxes to close.
TEST_F(OrderReply, FlagsAndMemosAreHandedOver)
{
    AddLine(*order, "A", 1);
    ReplyOutcome outcome =
        Apply("~~REPLY~MEMO First~~~junk~FLAGS +P~ORDER NUMBER 1~MEMO Second~A*1~FLAGS -P~ORDER NUMBER 2~");
    EXPECT_EQ(outcome.memo, "First\r\nSecond");
    EXPECT_EQ(outcome.showPrice, std::optional<bool>(false));
    EXPECT_EQ(outcome.orderNumber.value_or(""), "2");
    EXPECT_FALSE(Apply("REPLY~FLAGS +X~").showPrice);

    std::string many = "REPLY~";
    for (int i = 0; i < 100000; ++i)
        many += "MEMO M" + std::to_string(i) + "~";
    outcome = Apply(many);
    EXPECT_EQ(outcome.memoCount, 100000);
    EXPECT_EQ(outcome.memo.substr(0, 8), "M0\r\nM1\r\n");
    EXPECT_EQ(outcome.memo.substr(outcome.memo.size() - 6), "M29\r\n\x85");
    // Paper has room for every memo.
    EXPECT_EQ(outcome.memoInFull.substr(outcome.memoInFull.size() - 14), "M99998\r\nM99999");
    outcome = Apply("REPLY~MEMO Short~MEMO " + std::string(kMemoShownChars * 2, 'L') + "~MEMO Late~");
    EXPECT_EQ(outcome.memo, "Short\r\n" + std::string(kMemoShownChars - 7, 'L') + "\x85");
}
