#include "comm/OrderReply.h"

#include <algorithm>
#include <deque>
#include <memory>
#include <unordered_map>

#include "comm/ReplyParser.h"
#include "data/ItemList.h"
#include "text/StatusText.h"

const char kUnconfirmedText[] = "Received but not confirmed";
const char kNoAnswerText[] = "No answer from the server: the order may have arrived";
const char kNoAnswerLineText[] = "No answer";

namespace {

enum : int32_t { kDelivered = 0, kPartDelivered = 3, kOutOfStock = 7 };
enum : int32_t { kClassPartFulfilled = 1, kClassOutOfStock = 2, kClassUnavailable = 3 };

// A response copy and the order line it was made from. The results of a code
// answer its lines in order, the first result the first line, the next the
// next, so a line the server delivered never stays "Failed" in the response.
struct ResponseSlot {
    ItemRecord* copy;
    ItemRecord* line;
};
using SlotsByCode = std::unordered_map<std::string, std::deque<ResponseSlot>>;

SlotsByCode CopyUnanswered(const CItemList& order, CItemList& response, const char* text)
{
    SlotsByCode slots;
    for (int i = 0; i < order.Count(); ++i) {
        auto copy = std::make_unique<ItemRecord>(*order.At(i));
        copy->statusClass = 0;
        copy->statusText = text;
        slots[copy->code].push_back({copy.get(), order.At(i)});
        response.AddRecord(std::move(copy));
    }
    return slots;
}

// What stays wanted after a part delivery: never below nothing, never above
// what was asked for, whatever quantity the server names.
int32_t Remainder(int32_t ordered, int32_t delivered)
{
    const int64_t left = static_cast<int64_t>(ordered) - delivered;
    return static_cast<int32_t>(std::clamp<int64_t>(left, 0, std::max<int32_t>(ordered, 0)));
}

void ApplyLineResult(const ReplyField& result, CItemList& order, SlotsByCode& slots)
{
    auto it = slots.find(result.text);
    if (it == slots.end() || it->second.empty())
        return; // not in the order, or every line of the code has its answer
    const ResponseSlot slot = it->second.front();
    it->second.pop_front();
    slot.copy->statusText = StatusText(result.status, result.quantity);
    ItemRecord* line = slot.line;
    const int index = order.IndexOf(line);
    if (index < 0)
        return;
    switch (result.status) {
    case kDelivered:
        order.DeleteLine(index);
        return;
    case kPartDelivered:
        line->quantity = Remainder(line->quantity, result.quantity);
        line->statusClass = kClassPartFulfilled;
        break;
    case kOutOfStock: line->statusClass = kClassOutOfStock; break;
    default: line->statusClass = kClassUnavailable; break;
    }
    order.RefreshLine(index); // saved once, after the whole reply
}

// A reply may carry any number of memos: all of them go into one box rather
// than one box each, and the box holds what a person can read, the rest cut
// with an ellipsis (0x85 in the program's Windows-1252 texts).
void AddMemo(const std::string& memo, ReplyOutcome& outcome)
{
    const char kEllipsis[] = "\x85";
    const int index = outcome.memoCount++;
    outcome.memoInFull += (index > 0 ? "\r\n" : "") + memo;
    if (index > kMemoShownLines || outcome.memo.size() > kMemoShownChars)
        return; // already cut
    if (index == kMemoShownLines) {
        outcome.memo += "\r\n";
        outcome.memo += kEllipsis;
        return;
    }
    if (index > 0)
        outcome.memo += "\r\n";
    outcome.memo.append(memo, 0, kMemoShownChars + 1 - std::min(outcome.memo.size(), kMemoShownChars));
    if (outcome.memo.size() > kMemoShownChars) {
        outcome.memo.resize(kMemoShownChars);
        outcome.memo += kEllipsis;
    }
}

void ApplyField(const ReplyField& field, CItemList& order, SlotsByCode& slots, ReplyOutcome& outcome)
{
    switch (field.kind) {
    case ReplyField::Kind::LineResult: ApplyLineResult(field, order, slots); break;
    case ReplyField::Kind::OrderNumber: outcome.orderNumber = field.text; break;
    case ReplyField::Kind::Flags:
        if (field.hasPriceFlag)
            outcome.showPrice = field.showPrice;
        break;
    case ReplyField::Kind::Memo: AddMemo(field.text, outcome); break;
    }
}

} // namespace

ReplyOutcome ProcessReply(const std::string& reply, ExchangeEnd end, CItemList& order, CItemList& response,
                          int32_t& orderCounter)
{
    ReplyOutcome outcome;
    outcome.end = end;
    SlotsByCode slots = CopyUnanswered(order, response, end == ExchangeEnd::NoAnswer ? kNoAnswerLineText : "Failed");
    if (end == ExchangeEnd::Confirmed || end == ExchangeEnd::Unconfirmed) {
        for (const ReplyField& field : ParseReply(reply))
            ApplyField(field, order, slots, outcome);
    }
    if (!order.FileName().empty()) // an order never loaded has no file to keep
        order.Save();
    // The counter wraps as the 32-bit setting always has, rather than overflow.
    orderCounter = static_cast<int32_t>(static_cast<uint32_t>(orderCounter) + 1u);
    return outcome;
}
