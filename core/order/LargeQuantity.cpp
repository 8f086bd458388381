#include "order/LargeQuantity.h"

#include "base/StrFormat.h"

namespace {

constexpr char kAskSend[] = "Do you want to send this order?";
constexpr char kAskLarge[] = "Do you want to order %d of\n%s?";
constexpr char kLargeLine[] = "\n%d x %s";
constexpr char kMoreLargeLines[] = "\nand %d more over %d";
// The question box shows four lines of about 35 characters: the question and
// at most two lines named, then a count of the rest.
constexpr size_t kDescriptionChars = 26;
constexpr int kNamedLines = 2;

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
    std::string question = kAskSend;
    int large = 0;
    for (int i = 0; i < order.Count(); ++i) {
        const ItemRecord& line = *order.At(i);
        if (!IsLargeQuantity(line.quantity))
            continue;
        if (large++ < kNamedLines)
            question += StrFormat(kLargeLine, line.quantity, Described(line).c_str());
    }
    if (large > kNamedLines)
        question += StrFormat(kMoreLargeLines, large - kNamedLines, kLargeQuantity);
    return question;
}
