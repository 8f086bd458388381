#pragma once
#include <cstdint>
#include <ctime>
#include <deque>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "ReceivedOrder.h"

class COrderStore;
struct ProductRow;

// The status codes a reply line carries, as the pharmacy's program reads them.
enum LineStatus : int {
    kDelivered = 0,
    kItemNotFound = 1,
    kDiscontinued = 2,
    kPartDelivered = 3,
    kUnreadableLine = 4, // "SERVER ERROR 1": the line's quantity could not be read
    kRefusedLine = 5,    // "SERVER ERROR 2": the order was refused whole; the line stays in the pharmacy's order
    kUnknownAccount = 6,
    kOutOfStock = 7,
};

struct LineAnswer {
    std::string code;
    int64_t quantity = 0; // supplied for 0 and 3, as ordered otherwise
    int status = kDelivered;
};

// What the desk decided for one received order.
struct OrderOutcome {
    bool stored = false;        // false: the store failed and nothing was applied
    bool knownAccount = false;
    bool replayed = false;      // the same order again after a lost reply: answered as before
    int64_t orderNumber = 0;    // 0 when none was given
    double clientVersion = 0;
    std::string account;
    std::vector<LineAnswer> lines;
    std::string reply;          // the REPLY message, empty when nothing can be answered
    std::string refused;        // why the order was refused whole, unstored; empty when it wasn't
};

// Why an order was refused whole: the log's words and the pharmacy's.
struct Refusal {
    std::string reason; // for the log; empty when the order may be stored
    std::string memo;   // shown by the pharmacy's program with the reply
};

// What one account may place: a flood from a client that knows an account
// number must not fill the disk nor keep the store from everyone else. The
// rate is counted per account and address, so a stranger who floods an
// account's number does not lock the pharmacy itself out.
struct DeskLimits {
    size_t maxLines = 2000;   // lines in one order
    int ordersPerMinute = 10; // orders stored for one account from one address in any 60 seconds
};

// An order sent again unconfirmed is answered as before only this long after
// it was first stored.
constexpr int64_t kResendWindowSeconds = 600;

// The wholesaler's rules for one line, given the product (null when unknown)
// and its stock; newStock receives the stock after the line.
LineAnswer DecideLine(const OrderedLine& line, const ProductRow* product, int64_t* newStock);

// "REPLY~ORDER NUMBER n~code*qty*status~...~FLAGS +P~MEMO text~"; bytes of
// the memo that the link can't carry are left out.
std::string ComposeReply(const OrderOutcome& outcome, bool showPrice, const std::string& memo);

// Whether a reply line can carry this code back unchanged: the link can't
// carry ETB, ETX or a zero byte, cuts at 0xAC, nor the reply's own separators.
bool CanEchoCode(const std::string& code);

// One piece of work for the desk: an order to answer, or the confirmation
// that the client took the reply to an earlier one.
struct DeskRequest {
    int64_t confirm = 0; // the order number confirmed; 0 for an order
    std::string message;
    std::string address; // the client's address, without its port
};

// Answers received orders against the store. Each order and its stock
// changes stand or fall together; a batch shares one transaction, so one
// disk sync serves every order that arrived meanwhile.
class COrderDesk {
public:
    explicit COrderDesk(COrderStore& store, DeskLimits limits = DeskLimits()) : m_store(store), m_limits(limits) {}

    // One outcome per request, in order (confirmations get an empty one).
    std::vector<OrderOutcome> AnswerBatch(const std::vector<DeskRequest>& requests, time_t now);
    OrderOutcome Answer(const std::string& message, time_t now, const std::string& address = std::string());
    // The pharmacy's program took the reply: a later identical order is a new one.
    void Confirm(int64_t orderNumber);

private:
    OrderOutcome AnswerOne(const DeskRequest& request, time_t now);
    bool ApplyLines(const ParsedOrder& order, const std::string& message, time_t now, OrderOutcome* outcome);
    // Why this order of a known account may not be stored now.
    Refusal Refuse(const ParsedOrder& order, const std::string& address, time_t now);

    COrderStore& m_store;
    DeskLimits m_limits;
    // Stored orders' times, by account and address.
    std::map<std::pair<std::string, std::string>, std::deque<time_t>> m_recent;
};
