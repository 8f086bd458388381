#pragma once
#include <cstdint>
#include <string>
#include <vector>

// One order line as the pharmacy sent it ("code*quantity~").
struct OrderedLine {
    std::string code;
    int32_t quantity = 0;
    bool readable = false; // the quantity was a plain decimal number that fits
};

// What the server needs from an Order message. Fields it doesn't know are
// skipped, so a newer client still gets its lines answered.
struct ParsedOrder {
    double clientVersion = 0; // from the preamble "10~0~QN~1.600~"; 0 when missing
    std::string header;       // "QUARN  1.600*...*...*WinXP*INET", for the log
    std::string account;      // empty when the message names none
    bool hasNotes = false;
    std::string notes;
    std::vector<OrderedLine> lines;
};

ParsedOrder ParseOrderMessage(const std::string& message);
