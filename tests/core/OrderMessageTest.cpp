#include <gtest/gtest.h>

#include <utility>

#include "OrderLines.h"
#include "comm/OrderMessage.h"

namespace {

OrderMessageInputs Inputs(const CItemList* order)
{
    OrderMessageInputs in;
    in.databaseTime = 1700000000;
    in.startTime = 1700003600;
    in.systemTags = "*WinXP (2.5.1.2600)";
    in.account = "4711";
    in.notes = "Urgent";
    in.order = order;
    return in;
}

} // namespace

// Lines go in list order with signed quantities; lines of one code stay apart
// as a list that is not set up holds them. A dial-up order's "*RAS" is pinned
// end to end (tests/wine/test_dialup.py).
TEST(OrderMessage, FieldsOfTheExampleOrder)
{
    CItemList order;
    AddLine(order, "ABC12", 2);
    AddLine(order, "X9", 1);
    AddLine(order, "ABC12", -3);
    EXPECT_EQ(ComposeOrderFields(Inputs(&order)),
              (std::vector<std::string>{"10~", "0~", "QN~", "1.600~",
                                        "QUARN  1.600*1700000000*1700003600*WinXP (2.5.1.2600)*INET~",
                                        "ORDER SET 666~", "ACC 4711~", "ORDER NOTES Urgent~", "ABC12*2~", "X9*1~",
                                        "ABC12*-3~"}));
    EXPECT_STREQ(ConnectionTag(1, 0), "*MODEM");
}

// The notes field ends at a "~" and loses control bytes other than line breaks;
// the untouched placeholder sends no notes field at all.
TEST(OrderMessage, NotesPlaceholderTildeAndErasedNotes)
{
    const std::pair<std::string, const char*> cases[] = {
        {kNotesPlaceholder, "ACC 4711~"},
        {"a~b", "ORDER NOTES a~"},
        {"a\x03" "b", "ORDER NOTES ab~"},
        {"", "ORDER NOTES ~"},
        {"line one\r\nline two", "ORDER NOTES line one\r\nline two~"},
    };
    for (const auto& [notes, field] : cases) {
        OrderMessageInputs in = Inputs(nullptr);
        in.notes = notes;
        EXPECT_EQ(ComposeOrderFields(in).back(), field) << notes;
    }
}

// A "~" added fields of the sender's choosing; a control byte broke the link's framing.
TEST(OrderMessage, NoAccountOrCodeAddsAFieldOrBreaksTheFraming)
{
    CItemList order;
    AddLine(order, "A~ACC 9999", 1);
    AddLine(order, "B\x03", 1);
    AddLine(order, "C", 2);
    OrderMessageInputs in = Inputs(&order);
    in.account = "4711~ACC 9999";
    const auto fields = ComposeOrderFields(in);
    EXPECT_EQ(std::vector<std::string>(fields.end() - 3, fields.end()),
              (std::vector<std::string>{"ACC 4711~", "ORDER NOTES Urgent~", "C*2~"}));
}
