#include "OrderDesk.h"

#include "OrderStore.h"
#include "base/StrFormat.h"

namespace {

constexpr time_t kRateSeconds = 60;

} // namespace

LineAnswer DecideLine(const OrderedLine& line, const ProductRow* product, int64_t* newStock)
{
    LineAnswer answer{line.code, line.quantity, kDelivered};
    *newStock = product ? product->stock : 0;
    if (!line.readable || line.quantity <= 0)
        answer.status = kUnreadableLine;
    else if (!product)
        answer.status = kItemNotFound;
    else if (product->discontinued)
        answer.status = kDiscontinued;
    else if (product->stock <= 0)
        answer.status = kOutOfStock;
    else if (product->stock < line.quantity) {
        answer.status = kPartDelivered;
        answer.quantity = product->stock;
        *newStock = 0;
    } else
        *newStock = product->stock - line.quantity;
    return answer;
}

namespace {

// The link can't carry ETB, ETX or a zero byte, cuts blocks at 0xAC, and "~" ends a field.
bool CanTravel(unsigned char c)
{
    return c != 0 && c != 0x03 && c != 0x17 && c != 0xAC && c != '~';
}

} // namespace

bool CanEchoCode(const std::string& code)
{
    if (code.empty())
        return false;
    for (unsigned char c : code)
        if (!CanTravel(c) || c == '*')
            return false;
    return true;
}

std::string ComposeReply(const OrderOutcome& outcome, bool showPrice, const std::string& memo)
{
    std::string reply = "REPLY~";
    if (outcome.orderNumber)
        reply += StrFormat("ORDER NUMBER %lld~", static_cast<long long>(outcome.orderNumber));
    for (const LineAnswer& line : outcome.lines)
        if (CanEchoCode(line.code))
            reply += StrFormat("%s*%lld*%d~", line.code.c_str(), static_cast<long long>(line.quantity), line.status);
    if (outcome.knownAccount)
        reply += showPrice ? "FLAGS +P~" : "FLAGS -P~";
    std::string text;
    for (unsigned char c : memo)
        if (CanTravel(c))
            text.push_back(static_cast<char>(c));
    if (!text.empty())
        reply += "MEMO " + text + "~";
    return reply;
}

std::vector<OrderOutcome> COrderDesk::AnswerBatch(const std::vector<DeskRequest>& requests, time_t now)
{
    std::vector<OrderOutcome> outcomes(requests.size());
    if (!m_store.Begin())
        return outcomes;
    for (size_t i = 0; i < requests.size(); ++i) {
        if (requests[i].confirm) {
            m_store.Savepoint();
            m_store.ConfirmOrder(requests[i].confirm);
            m_store.ReleaseSavepoint();
        } else
            outcomes[i] = AnswerOne(requests[i], now);
    }
    // One sync of the disk for the whole batch; no reply leaves before it.
    if (!m_store.Commit())
        for (OrderOutcome& outcome : outcomes) {
            outcome.stored = false;
            outcome.reply.clear();
        }
    return outcomes;
}

OrderOutcome COrderDesk::Answer(const std::string& message, time_t now, const std::string& address)
{
    return AnswerBatch({DeskRequest{0, message, address}}, now).front();
}

void COrderDesk::Confirm(int64_t orderNumber)
{
    AnswerBatch({DeskRequest{orderNumber, std::string(), std::string()}}, time(nullptr));
}

namespace {

// Every line gets the one status: nothing of the order is stored or applied.
void AnswerEveryLine(const ParsedOrder& order, int status, OrderOutcome* outcome)
{
    for (const OrderedLine& line : order.lines)
        outcome->lines.push_back({line.code, line.quantity, status});
}

} // namespace

// One order inside the batch's transaction, whole or not at all.
OrderOutcome COrderDesk::AnswerOne(const DeskRequest& request, time_t now)
{
    const ParsedOrder order = ParseOrderMessage(request.message);
    OrderOutcome outcome;
    outcome.account = order.account;
    outcome.clientVersion = order.clientVersion;
    if (!m_store.Savepoint())
        return outcome;
    AccountRow account;
    std::string previous;
    outcome.knownAccount = m_store.FindAccount(order.account, &account);
    if (!outcome.knownAccount) {
        AnswerEveryLine(order, kUnknownAccount, &outcome);
        outcome.reply = ComposeReply(outcome, false, std::string());
    } else if (m_store.FindUnconfirmed(order.account, request.message, now - kResendWindowSeconds,
                                       &outcome.orderNumber, &previous)) {
        outcome.replayed = true;
        outcome.reply = previous;
    } else if (const Refusal refusal = Refuse(order, request.address, now); !refusal.reason.empty()) {
        // Answered, so the pharmacy sees why and keeps every line for later.
        outcome.refused = refusal.reason;
        AnswerEveryLine(order, kRefusedLine, &outcome);
        outcome.reply = ComposeReply(outcome, account.showPrice, refusal.memo);
    } else if (ApplyLines(order, request.message, now, &outcome)) {
        outcome.reply = ComposeReply(outcome, account.showPrice, account.memo);
        m_store.SetReply(outcome.orderNumber, outcome.reply);
    }
    outcome.stored = m_store.ReleaseSavepoint();
    if (outcome.stored && outcome.orderNumber && !outcome.replayed)
        m_recent[{order.account, request.address}].push_back(now);
    if (!outcome.stored) {
        outcome.orderNumber = 0;
        outcome.lines.clear();
        outcome.reply.clear();
    }
    return outcome;
}

Refusal COrderDesk::Refuse(const ParsedOrder& order, const std::string& address, time_t now)
{
    if (order.lines.size() > m_limits.maxLines)
        return {StrFormat("order refused: %zu lines, at most %zu", order.lines.size(), m_limits.maxLines),
                StrFormat("Too many lines in one order (at most %zu): please send it in parts.", m_limits.maxLines)};
    const auto found = m_recent.find({order.account, address});
    if (found == m_recent.end())
        return Refusal();
    std::deque<time_t>& recent = found->second;
    while (!recent.empty() && recent.front() <= now - kRateSeconds)
        recent.pop_front();
    if (recent.empty())
        m_recent.erase(found);
    else if (recent.size() >= static_cast<size_t>(m_limits.ordersPerMinute))
        return {StrFormat("order refused: at most %d orders a minute from one address for the account",
                          m_limits.ordersPerMinute),
                "Too many orders in a minute, try again shortly."};
    return Refusal();
}

bool COrderDesk::ApplyLines(const ParsedOrder& order, const std::string& message, time_t now,
                            OrderOutcome* outcome)
{
    const OrderRow row{order.account, static_cast<int64_t>(now), order.clientVersion, message, order.notes};
    outcome->orderNumber = m_store.InsertOrder(row);
    int index = 0;
    for (const OrderedLine& line : order.lines) {
        if (m_store.Failed())
            return false;
        ProductRow product;
        // A line the reply can't name is never supplied: the pharmacy would not know.
        const bool known = line.readable && CanEchoCode(line.code) && m_store.FindProduct(line.code, &product);
        int64_t stock = 0;
        LineAnswer answer = DecideLine(line, known ? &product : nullptr, &stock);
        if (known && stock != product.stock)
            m_store.SetStock(line.code, stock);
        const bool supplied = answer.status == kDelivered || answer.status == kPartDelivered;
        const int64_t quantitySupplied = supplied ? answer.quantity : 0;
        m_store.InsertLine(outcome->orderNumber,
                           OrderLineRow{++index, line.code, line.quantity, answer.status, quantitySupplied});
        outcome->lines.push_back(std::move(answer));
    }
    return !m_store.Failed();
}
