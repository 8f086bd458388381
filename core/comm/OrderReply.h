#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class CItemList;

// What the reply leaves for the windows to do.
struct ReplyOutcome {
    std::optional<std::string> orderNumber; // the last order number the reply gave
    std::optional<bool> showPrice;          // the price column, when the reply's flags named it
    std::vector<std::string> memos;         // to show, in order, before the response
};

// Applies the server's reply to the order, the record side of ProcessReply:
//  - every order line is copied into response, marked "Failed" and class 0;
//    response must not be set up yet, so lines of the same code stay apart;
//  - only after an orderly end is the reply read: a line result answers the
//    first line of its code not answered yet, giving its response copy the
//    status text and the order line its outcome: 0 removes it, 3 keeps what
//    wasn't delivered (class 1), 7 is out of stock (class 2), anything else
//    unavailable (class 3); a result for a code without such a line is ignored;
//  - the order is saved, and the order counter goes up by one in every case.
ReplyOutcome ProcessReply(const std::string& reply, bool orderlyEnd, CItemList& order, CItemList& response,
                          int32_t& orderCounter);
