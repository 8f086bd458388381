// The order server's reading of an Order message from any client, and the
// reply it composes from it: no crash, and nothing in the reply that the link
// could not carry back unchanged.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "OrderDesk.h"
#include "ReceivedOrder.h"
#include "OrderStore.h"
#include "comm/ServerMessage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string message(reinterpret_cast<const char*>(data), size);
    const ParsedOrder order = ParseOrderMessage(message);
    OrderOutcome outcome;
    outcome.knownAccount = size % 2 == 0;
    outcome.orderNumber = static_cast<int64_t>(size);
    ProductRow product{"", "", "", 1.0, static_cast<int64_t>(size % 7), size % 5 == 0};
    for (const OrderedLine& line : order.lines) {
        int64_t stock = 0;
        outcome.lines.push_back(DecideLine(line, line.code.size() % 3 ? &product : nullptr, &stock));
        if (stock < 0 || stock > product.stock)
            abort();
        product.stock = stock;
    }
    const std::string reply = ComposeReply(outcome, true, order.notes);
    for (unsigned char c : reply)
        if (c == 0 || c == 0x03 || c == 0x17 || c == 0xAC)
            abort();
    // Every line whose code can travel comes back as a field of its own.
    size_t echoed = 0;
    for (const LineAnswer& line : outcome.lines)
        echoed += CanEchoCode(line.code) ? 1 : 0;
    if (SplitFields(reply).size() < 1 + echoed)
        abort();
    return 0;
}
