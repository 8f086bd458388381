#include "order/LargeQuantity.h"

#include <vector>

#include "base/StrFormat.h"

namespace {

constexpr char kAskSend[] = "Do you want to send this order?";
constexpr char kAskLarge[] = "Do you want to order %d of\n%s?";
constexpr char kLargeLine[] = "\n%d x %s";
constexpr char kMoreLargeLines[] = "\nand %d more over %d";
// The question box shows three lines of about 35 characters: below the
// question, two large lines, or one and the count of the rest.
constexpr size_t kDescriptionChars = 26;
constexpr size_t kLinesBelow = 2;

std::string Described(const ItemRecord& line)
{
    std::string text = line.description.substr(0, kDescriptionChars);
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

} // namespace

std::string LargeQuantityQuestion(const ItemRecord& line)
{
    return StrFormat(kAskLarge, line.quantity, Described(line).c_str());
}

std::string SendQuestion(const CItemList& order)
{
    std::vector<const ItemRecord*> large;
    for (int i = 0; i < order.Count(); ++i)
        if (IsLargeQuantity(order.At(i)->quantity))
            large.push_back(order.At(i));
    const size_t named = large.size() <= kLinesBelow ? large.size() : kLinesBelow - 1;
    std::string question = kAskSend;
    for (size_t i = 0; i < named; ++i)
        question += StrFormat(kLargeLine, large[i]->quantity, Described(*large[i]).c_str());
    if (large.size() > named)
        question += StrFormat(kMoreLargeLines, static_cast<int>(large.size() - named), kLargeQuantity);
    return question;
}
