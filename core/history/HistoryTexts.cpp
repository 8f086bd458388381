#include "history/HistoryTexts.h"

#include "base/StrFormat.h"
#include "text/StatusText.h"

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

std::string OrderSummary(const HistoryName& name)
{
    return StrFormat("Order Number: %s\r\nPlaced On %02d %s %04d at %02d:%02d.%02d", name.orderNumber.c_str(),
                     name.day, MonthName(name.month), name.year, name.hour, name.minute, name.second);
}

int HistoryLineClass(const std::string& statusText)
{
    enum : int { kCodeOk = 0, kCodeOutOfStock = 7 };
    enum : int { kClassNone = 0, kClassPartFulfilled = 1, kClassOutOfStock = 2, kClassUnavailable = 3 };
    static const std::string kPartDeliveredEnding = " Ordered";
    if (statusText.empty() || statusText == "Failed" || statusText == StatusText(kCodeOk, 0))
        return kClassNone;
    if (statusText == StatusText(kCodeOutOfStock, 0))
        return kClassOutOfStock;
    const size_t ending = kPartDeliveredEnding.size();
    if (statusText.size() > ending && statusText.compare(statusText.size() - ending, ending, kPartDeliveredEnding) == 0)
        return kClassPartFulfilled;
    return kClassUnavailable;
}
