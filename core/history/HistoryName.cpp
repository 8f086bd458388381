#include "history/HistoryName.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>

#include "base/StrFormat.h"
#include "text/NumberScan.h"
#include "text/SafeNamePart.h"

namespace {

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
    return std::string(kHistoryFolder) + HistoryFileTitle(when, orderNumber);
}

bool ScanHistoryName(const std::string& fileName, HistoryName& name)
{
    const char* p = fileName.c_str();
    // The separator before each number after the first; a space matches any run of white space.
    static const char kSeparators[] = {'\0', '-', '-', ' ', '.', '.'};
    int* const fields[] = {&name.year, &name.month, &name.day, &name.hour, &name.minute, &name.second};
    for (size_t i = 0; i < 6; ++i) {
        int32_t value = 0;
        if (kSeparators[i] == ' ')
            SkipSpace(p);
        else if (kSeparators[i] && !Expect(p, kSeparators[i]))
            return false;
        if (!ScanDecimal(p, value))
            return false;
        *fields[i] = value;
    }
    name.orderNumber.clear();
    SkipSpace(p);
    if (Expect(p, '(')) {
        const size_t length = std::strcspn(p, ")");
        name.orderNumber.assign(p, std::min(length, kMaxOrderNumberRead));
    }
    return true;
}

bool ParseHistoryName(const std::string& fileName, HistoryName& name)
{
    HistoryName read;
    // Only real dates and times: the tree needs a month's name, and the
    // rebuilt name needs two-digit times.
    if (!ScanHistoryName(fileName, read) || !Within(read.month, 1, 12) || !Within(read.day, 1, 31) ||
        !Within(read.hour, 0, 23) || !Within(read.minute, 0, 59) || !Within(read.second, 0, 60))
        return false;
    name = read;
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
    return std::string(kHistoryFolder) + HistoryOrderTitle(year, month, day, nodeText);
}
