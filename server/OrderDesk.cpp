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
            outcomes[i] = AnswerOne(requests[i].message, now);
    }
    // One sync of the disk for the whole batch; no reply leaves before it.
    if (!m_store.Commit())
        for (OrderOutcome& outcome : outcomes) {
            outcome.stored = false;
            outcome.reply.clear();
        }
    return outcomes;
}

OrderOutcome COrderDesk::Answer(const std::string& message, time_t now)
{
    return AnswerBatch({DeskRequest{0, message}}, now).front();
}

void COrderDesk::Confirm(int64_t orderNumber)
{
    AnswerBatch({DeskRequest{orderNumber, std::string()}}, time(nullptr));
}

// One order inside the batch's transaction, whole or not at all.
OrderOutcome COrderDesk::AnswerOne(const std::string& message, time_t now)
{
    const ParsedOrder order = ParseOrderMessage(message);
    OrderOutcome outcome;
    outcome.account = order.account;
    outcome.clientVersion = order.clientVersion;
    if (!m_store.Savepoint())
        return outcome;
    AccountRow account;
    std::string previous;
    outcome.knownAccount = m_store.FindAccount(order.account, &account);
    if (!outcome.knownAccount) {
        AnswerUnknownAccount(order, &outcome);
    } else if (m_store.FindUnconfirmed(order.account, message, now - kResendWindowSeconds, &outcome.orderNumber,
                                       &previous)) {
        outcome.replayed = true;
        outcome.reply = previous;
    } else {
        outcome.refused = Refusal(order, now); // then nothing is stored and nothing answered
        if (outcome.refused.empty() && ApplyLines(order, message, now, &outcome)) {
            outcome.reply = ComposeReply(outcome, account.showPrice, account.memo);
            m_store.SetReply(outcome.orderNumber, outcome.reply);
        }
    }
    outcome.stored = m_store.ReleaseSavepoint();
    if (outcome.stored && outcome.orderNumber && !outcome.replayed)
        m_recent[order.account].push_back(now);
    if (!outcome.stored) {
        outcome.orderNumber = 0;
        outcome.lines.clear();
        outcome.reply.clear();
    }
    return outcome;
}

std::string COrderDesk::Refusal(const ParsedOrder& order, time_t now)
{
    if (order.lines.size() > m_limits.maxLines)
        return StrFormat("order refused: %zu lines, at most %zu", order.lines.size(), m_limits.maxLines);
    std::deque<time_t>& recent = m_recent[order.account];
    while (!recent.empty() && recent.front() <= now - kRateSeconds)
        recent.pop_front();
    if (recent.size() >= static_cast<size_t>(m_limits.ordersPerMinute))
        return StrFormat("order refused: %d orders from the account within a minute", m_limits.ordersPerMinute);
    return std::string();
}

void COrderDesk::AnswerUnknownAccount(const ParsedOrder& order, OrderOutcome* outcome) const
{
    for (const OrderedLine& line : order.lines)
        outcome->lines.push_back({line.code, line.quantity, kUnknownAccount});
    outcome->reply = ComposeReply(*outcome, false, std::string());
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
