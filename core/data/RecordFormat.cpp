#include "data/RecordFormat.h"

#include "base/StrFormat.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

char* CFieldSplitter::NextField(char* text, const char* delimiters)
{
    static char empty[1] = "";
    if (text)
        m_rest = text;
    if (!m_rest)
        return empty;
    char* start = m_rest;
    char* cut = std::strpbrk(start, delimiters);
    if (cut) {
        *cut = '\0';
        m_rest = cut + 1;
    } else {
        m_rest = nullptr;
    }
    return start;
}

namespace {

// atol with the result clamped to 32 bits instead of overflowing.
int32_t ToInt(const char* text)
{
    long long value = std::strtoll(text, nullptr, 10);
    if (value > INT32_MAX)
        return INT32_MAX;
    if (value < INT32_MIN)
        return INT32_MIN;
    return static_cast<int32_t>(value);
}

double ToDouble(const char* text)
{
    return std::strtod(text, nullptr);
}

} // namespace

ItemRecord ParseRecordLine(ListKind kind, char* line)
{
    ItemRecord r;
    CFieldSplitter f;
    r.code = f.NextField(line, "\t");
    if (kind == ListKind::Products) {
        r.auxText = f.NextField(nullptr, "\t");
        r.size = f.NextField(nullptr, "\t");
        r.price = ToDouble(f.NextField(nullptr, "\t"));
        r.discount = ToDouble(f.NextField(nullptr, "\t"));
        r.description = f.NextField(nullptr, "\t");
        return r;
    }
    r.size = f.NextField(nullptr, "\t");
    r.price = ToDouble(f.NextField(nullptr, "\t"));
    r.quantity = ToInt(f.NextField(nullptr, "\t"));
    r.discount = ToDouble(f.NextField(nullptr, "\t"));
    r.description = f.NextField(nullptr, "\t");
    if (kind == ListKind::Order)
        r.statusClass = ToInt(f.NextField(nullptr, "\t"));
    else
        r.statusText = f.NextField(nullptr, "\t");
    return r;
}

std::string FormatRecordLine(ListKind kind, const ItemRecord& r)
{
    switch (kind) {
    case ListKind::Products:
        return StrFormat("%s\t%s\t%s\t%f\t%f\t%s\n", r.code.c_str(), r.auxText.c_str(), r.size.c_str(),
                      r.price, r.discount, r.description.c_str());
    case ListKind::Order:
        return StrFormat("%s\t%s\t%f\t%d\t%f\t%s\t%d\n", r.code.c_str(), r.size.c_str(), r.price,
                      static_cast<int>(r.quantity), r.discount, r.description.c_str(),
                      static_cast<int>(r.statusClass));
    default:
        return StrFormat("%s\t%s\t%f\t%d\t%f\t%s\t%s\n", r.code.c_str(), r.size.c_str(), r.price,
                      static_cast<int>(r.quantity), r.discount, r.description.c_str(),
                      r.statusText.c_str());
    }
}
