#include "history/HistoryTexts.h"

#include "base/StrFormat.h"

namespace {

const char* const kTreeMonths[] = {"December", "January", "Febuary", "March",     "April",   "May",     "June",
                                   "July",     "August",  "September", "October", "November", "December"};

const char* const kMonths[] = {"January", "February", "March",     "April",   "May",      "June",
                               "July",    "August",   "September", "October", "November", "December"};

} // namespace

const char* MonthTreeName(int month)
{
    return month >= 0 && month <= 12 ? kTreeMonths[month] : "";
}

const char* MonthName(int month)
{
    return month >= 1 && month <= 12 ? kMonths[month - 1] : "";
}

std::string DayText(int day)
{
    static const char* const kEndings[] = {"st", "nd", "rd"};
    const int last = day % 10;
    const bool takesEnding = (day < 4 || day >= 21) && last >= 1 && last <= 3;
    return StrFormat("%d%s", day, takesEnding ? kEndings[last - 1] : "th");
}

std::string OrderNodeText(int hour, int minute, int second, const std::string& orderNumber)
{
    return StrFormat("%02d:%02d:%02d (%s)", hour, minute, second, orderNumber.c_str());
}

std::string OrderNodeText(int hour, int minute, int second, int orderNumber)
{
    return StrFormat("%02d:%02d:%02d (%d)", hour, minute, second, orderNumber);
}
