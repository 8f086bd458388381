#pragma once
#include <cstdint>
#include <string>

#include "data/ItemList.h"

// No pharmacy orders more than this of one pack by intent: a larger quantity
// is asked about once when it is typed, and named when the order is sent.
constexpr int32_t kLargeQuantity = 999;

inline bool IsLargeQuantity(int32_t quantity)
{
    return quantity > kLargeQuantity;
}

// The question for a line just given a large quantity.
std::string LargeQuantityQuestion(const ItemRecord& line);

// "Do you want to send this order?", with the order's large lines named.
std::string SendQuestion(const CItemList& order);
