#pragma once
#include <cstdint>
#include <optional>
#include <string>

class CItemList;

// How an exchange ended, as far as the order is concerned.
enum class ExchangeEnd {
    Confirmed,   // the reply came and the closing exchange completed
    Unconfirmed, // a whole reply came and was answered "OK", then the line failed: the
                 // server stores an order before it replies, so the reply stands
    NoAnswer,    // no reply once the order's last block had gone (the line lost, the link given up,
                 // the deadline passed, a cancel): the order may have arrived
    Failed,      // no reply: the order stays as it was
};

// What the windows show for the ends that are not plain.
extern const char kUnconfirmedText[]; // "Received but not confirmed"
extern const char kNoAnswerText[];    // "No answer from the server: the order may have arrived"
// The response line's status text after NoAnswer, where "Failed" would invite a second delivery.
extern const char kNoAnswerLineText[];

// What the reply leaves for the windows to do.
struct ReplyOutcome {
    ExchangeEnd end = ExchangeEnd::Failed;
    std::optional<std::string> orderNumber; // the last order number the reply gave
    std::optional<bool> showPrice;          // the price column, when the reply's flags named it
    // Every memo of the reply for one box before the response, one a line, in
    // order; cut at kMemoShownLines lines or kMemoShownChars characters, ending
    // with an ellipsis then. Empty when the reply gave none.
    std::string memo;
    std::string memoInFull; // every memo, one a line, uncut: for paper
    int memoCount = 0; // the memos the reply gave, shown or not
};

constexpr int kMemoShownLines = 30;
constexpr size_t kMemoShownChars = 3000;

// Applies the server's reply to the order, the record side of ProcessReply:
//  - every order line is copied into response, marked "Failed" (kNoAnswerLineText
//    after NoAnswer) and class 0; response must not be set up yet, so lines of
//    the same code stay apart;
//  - only when it stands (Confirmed or Unconfirmed) is the reply read: a line result answers the
//    first line of its code not answered yet, giving its response copy the
//    status text and the order line its outcome: 0 removes it, 3 keeps what
//    wasn't delivered (class 1), 7 is out of stock (class 2), anything else
//    unavailable (class 3); a result for a code without such a line is ignored;
//  - the order is saved once, and the order counter goes up by one in every case.
ReplyOutcome ProcessReply(const std::string& reply, ExchangeEnd end, CItemList& order, CItemList& response,
                          int32_t& orderCounter);
