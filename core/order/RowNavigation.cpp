#include "order/RowNavigation.h"

#include <cctype>
#include <climits>

int QuantityFromText(const std::string& text)
{
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        ++i;
    long long value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i)
        if ((value = value * 10 + (text[i] - '0')) > INT_MAX)
            return negative ? INT_MIN : INT_MAX;
    return static_cast<int>(negative ? -value : value);
}

int KeepRowOnPage(int current, int topRow, int rowsPerPage)
{
    if (current < topRow)
        return topRow;
    if (current >= topRow + rowsPerPage)
        return topRow + rowsPerPage - 1;
    return current;
}
