#include "ReceivedOrder.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "comm/ServerMessage.h"

namespace {

bool StartsWith(const std::string& text, const char* prefix)
{
    return text.compare(0, strlen(prefix), prefix) == 0;
}

// A signed decimal that fills the whole text and fits 32 bits.
bool ReadQuantity(const std::string& text, int32_t* quantity)
{
    if (text.empty() || text.size() > 11)
        return false;
    size_t i = text[0] == '-' || text[0] == '+' ? 1 : 0;
    if (i == text.size())
        return false;
    for (size_t k = i; k < text.size(); ++k)
        if (text[k] < '0' || text[k] > '9')
            return false;
    const long long value = strtoll(text.c_str(), nullptr, 10);
    if (value < INT32_MIN || value > INT32_MAX)
        return false;
    *quantity = static_cast<int32_t>(value);
    return true;
}

OrderedLine ReadLine(const std::string& field)
{
    const size_t star = field.find('*');
    OrderedLine line;
    line.code = field.substr(0, star);
    line.readable = ReadQuantity(field.substr(star + 1), &line.quantity);
    return line;
}

double ReadVersion(const std::vector<std::string>& fields)
{
    if (fields.size() < 4 || fields[0] != "10" || fields[2] != "QN")
        return 0;
    return strtod(fields[3].c_str(), nullptr);
}

} // namespace

ParsedOrder ParseOrderMessage(const std::string& message)
{
    ParsedOrder order;
    const std::vector<std::string> fields = SplitFields(message);
    order.clientVersion = ReadVersion(fields);
    for (const std::string& field : fields) {
        if (StartsWith(field, "QUARN "))
            order.header = field;
        else if (StartsWith(field, "ACC "))
            order.account = field.substr(4);
        else if (StartsWith(field, "ORDER NOTES ")) {
            order.hasNotes = true;
            order.notes = field.substr(12);
        } else if (field.find('*') != std::string::npos)
            order.lines.push_back(ReadLine(field));
    }
    return order;
}
