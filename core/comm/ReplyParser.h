#pragma once
#include <cstdint>
#include <string>
#include <vector>

// One field of the server's order reply that means something.
struct ReplyField {
    enum class Kind { LineResult, OrderNumber, Flags, Memo };
    Kind kind = Kind::LineResult;
    std::string text;      // LineResult: item code; OrderNumber: the number; Memo: the memo
    int32_t quantity = 0;  // LineResult
    int32_t status = 0;    // LineResult: the order-line status code
    bool hasPriceFlag = false; // Flags: a P was among the pairs
    bool showPrice = false;    // Flags: the last P's sign was "+"
};

// Reads a reply field by field. Each field is tried as a line result
// ("code*quantity*status"), an order number ("ORDER NUMBER n"), flags
// ("FLAGS +P") and a memo ("MEMO text"), in that order; the first form that
// fits decides, and fields that fit none (the word REPLY among them) are left out.
// Item codes, numbers and memos may be of any length.
std::vector<ReplyField> ParseReply(const std::string& reply);

// One field alone; false when it fits none of the forms.
bool ParseReplyField(const std::string& field, ReplyField& out);
