#include <gtest/gtest.h>

#include "base/StrFormat.h"
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

namespace {

// What a field carries, in one line.
std::string Carried(const std::string& field)
{
    ReplyField out;
    if (!ParseReplyField(field, out))
        return "refused";
    static const char* const kKinds[] = {"line", "number", "flags", "memo"};
    return StrFormat("%s '%s' %d %d %d%d", kKinds[static_cast<int>(out.kind)], out.text.c_str(), out.quantity,
                     out.status, out.hasPriceFlag, out.showPrice);
}

} // namespace

// The plain forms are read in OrderReply's tests. A line result is tried first,
// even in a field that starts like an order number; an order number skips one
// separator; the last P of the flags wins. Fields that fit no form are refused.
TEST(ReplyParser, EachFormAndWhatItCarries)
{
    const std::string code(5000, 'C');
    const std::pair<std::string, std::string> cases[] = {
        {"X 9* 5* -3 trailing", "line 'X 9' 5 -3 00"},
        {code + "*99999999999999999999*7", "line '" + code + "' 2147483647 7 00"},
        {"ORDER NUMBER 1*2*3", "line 'ORDER NUMBER 1' 2 3 00"},
        {"ORDER NUMBER:A/7", "number 'A/7' 0 0 00"},
        {"ORDER NUMBER", "number '' 0 0 00"},
        {"FLAGS -p+p", "flags '' 0 0 11"},
        {"MEMO Closed on Monday*", "memo 'Closed on Monday*' 0 0 00"},
    };
    for (const auto& [field, carried] : cases)
        EXPECT_EQ(Carried(field), carried) << field.substr(0, 40);
    for (const char* field : {"ABC12*2", "ABC12*2*", "*2*0", "ABC12*x*0", "ABC12*2 *0", "REPLY", "ORDER NUMBE",
                              "FLAGS", "MEMO"})
        EXPECT_EQ(Carried(field), "refused") << field;
}
