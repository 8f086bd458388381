#include "order/ClockTexts.h"

#include "base/StrFormat.h"

namespace {
constexpr uint32_t kRed = 0x0000FF;
constexpr uint32_t kBlack = 0x000000;
const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                               "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
} // namespace

CutOffDisplay CutOffText(int next, int firstOfDay)
{
    if (next == -2)
        return {"Not Configured", kRed};
    if (next == -1)
        return {StrFormat("Tomorrow %.02d:%.02d", firstOfDay / 60, firstOfDay % 60), kRed};
    return {StrFormat("Today: %.02d:%.02d", next / 60, next % 60), kBlack};
}

std::string DateText(const std::tm& local)
{
    // "%d-%b-%Y" in the C locale, spelled out so no locale can change it.
    int month = local.tm_mon >= 0 && local.tm_mon < 12 ? local.tm_mon : 0;
    return StrFormat("%02d-%s-%d", local.tm_mday, kMonths[month], local.tm_year + 1900);
}

std::string TimeText(const std::tm& local)
{
    return StrFormat("%02d:%02d", local.tm_hour, local.tm_min);
}

bool DatabaseNeedsUpdate(const std::tm* fileLocal, const std::tm& nowLocal)
{
    if (!fileLocal)
        return true;
    long months = (nowLocal.tm_year * 12L + nowLocal.tm_mon) - (fileLocal->tm_year * 12L + fileLocal->tm_mon);
    return months > 1 || (months == 1 && nowLocal.tm_mday >= 10);
}
