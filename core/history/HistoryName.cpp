#include "history/HistoryName.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>

#include "base/StrFormat.h"
#include "text/NumberScan.h"
#include "text/SafeNamePart.h"

namespace {

constexpr const char* kFolderPrefix = "History\\";
// Longest order number read back from a name.
constexpr size_t kMaxOrderNumberRead = 255;

bool Expect(const char*& p, char c)
{
    if (*p != c)
        return false;
    ++p;
    return true;
}

void SkipSpace(const char*& p)
{
    while (std::isspace(static_cast<unsigned char>(*p)))
        ++p;
}

bool Within(int value, int low, int high)
{
    return value >= low && value <= high;
}

// Replaces the colon at offset of an order node's text by a full stop.
void ColonToStop(std::string& text, size_t offset)
{
    if (offset < text.size() && text[offset] == ':')
        text[offset] = '.';
}

} // namespace

std::string SanitiseOrderNumber(const std::string& text)
{
    return SafeNamePart(text, kMaxOrderNumberText);
}

std::string HistoryFileTitle(const std::tm& when, const std::string& orderNumber)
{
    char stamp[64];
    const size_t n = std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H.%M.%S", &when);
    return std::string(stamp, n) + " (" + SanitiseOrderNumber(orderNumber) + ").dat";
}

std::string HistoryFileName(const std::tm& when, const std::string& orderNumber)
{
    return kFolderPrefix + HistoryFileTitle(when, orderNumber);
}

bool ParseHistoryName(const std::string& fileName, HistoryName& name)
{
    const char* p = fileName.c_str();
    int32_t v[6];
    bool ok = ScanDecimal(p, v[0]) && Expect(p, '-') && ScanDecimal(p, v[1]) && Expect(p, '-') &&
              ScanDecimal(p, v[2]);
    SkipSpace(p);
    ok = ok && ScanDecimal(p, v[3]) && Expect(p, '.') && ScanDecimal(p, v[4]) && Expect(p, '.') &&
         ScanDecimal(p, v[5]);
    // Only real dates and times: the tree needs a month's name, and the
    // rebuilt name needs two-digit times.
    if (!ok || !Within(v[1], 1, 12) || !Within(v[2], 1, 31) || !Within(v[3], 0, 23) || !Within(v[4], 0, 59) ||
        !Within(v[5], 0, 60))
        return false;
    name.year = v[0];
    name.month = v[1];
    name.day = v[2];
    name.hour = v[3];
    name.minute = v[4];
    name.second = v[5];
    name.orderNumber.clear();
    SkipSpace(p);
    if (Expect(p, '(')) {
        const size_t length = std::strcspn(p, ")");
        name.orderNumber.assign(p, std::min(length, kMaxOrderNumberRead));
    }
    return true;
}

std::string HistoryOrderTitle(int year, int month, int day, const std::string& nodeText)
{
    std::string time = nodeText;
    ColonToStop(time, 2);
    ColonToStop(time, 5);
    return StrFormat("%d-%02d-%02d %s.dat", year, month, day, time.c_str());
}

std::string HistoryOrderPath(int year, int month, int day, const std::string& nodeText)
{
    return kFolderPrefix + HistoryOrderTitle(year, month, day, nodeText);
}
