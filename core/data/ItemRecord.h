#pragma once
#include <cstdint>
#include <string>

// The role a record list plays; the numbers are the original's and are kept.
enum class ListKind { Products = 0, Order = 1, SearchResults = 2, Response = 4, HistoryView = 5 };

// One product, order line, search hit, response line or history line.
// A record belongs to exactly one list and moves between lists by copying.
struct ItemRecord {
    std::string code;
    std::string auxText;     // second product-file column: kept and written back, never shown
    std::string size;
    double price = 0;
    double discount = 0;     // shown only, never used in arithmetic
    int32_t quantity = 0;
    std::string description;
    std::string statusText;
    int32_t statusClass = 0; // 0 no result, 1 part fulfilled, 2 out of stock, 3 not supplied
};

// Longest line a data file is read in; longer lines arrive in pieces.
constexpr size_t kMaxDataLine = 2560;
