// The server's reply is outside input: read against an order holding every
// code it names, it must leave sound lists whatever it says.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "OrderLines.h"
#include "comm/OrderReply.h"
#include "comm/ReplyParser.h"
#include "data/ItemList.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string reply(reinterpret_cast<const char*>(data), size);
    CItemList order;
    int32_t quantity = 1;
    for (const ReplyField& field : ParseReply(reply)) {
        if (field.kind != ReplyField::Kind::LineResult)
            continue;
        AddLine(order, field.text, quantity);
        quantity = quantity * 3 % 1000 + 1;
    }
    order.Setup(ListKind::Order);
    const int lines = order.Count();

    CItemList response;
    int32_t counter = 0;
    ProcessReply(reply, ExchangeEnd::Confirmed, order, response, counter);
    if (response.Count() != lines || order.Count() > lines || counter != 1)
        std::abort();
    for (int i = 0; i < order.Count(); ++i)
        if (order.At(i)->quantity < 0 || order.At(i)->statusClass < 0 || order.At(i)->statusClass > 3)
            std::abort();
    for (int i = 0; i < response.Count(); ++i)
        if (response.At(i)->statusText.empty())
            std::abort();
    return 0;
}
