#include "data/RecordFormat.h"

#include <cstring>

#include "base/StrFormat.h"
#include "text/NumberScan.h"

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


ItemRecord ParseRecordLine(ListKind kind, char* line)
{
    ItemRecord r;
    CFieldSplitter f;
    r.code = f.NextField(line, "\t");
    if (kind == ListKind::Products) {
        r.auxText = f.NextField(nullptr, "\t");
        r.size = f.NextField(nullptr, "\t");
        r.price = RealValue(f.NextField(nullptr, "\t"));
        r.discount = RealValue(f.NextField(nullptr, "\t"));
        r.description = f.NextField(nullptr, "\t");
        return r;
    }
    r.size = f.NextField(nullptr, "\t");
    r.price = RealValue(f.NextField(nullptr, "\t"));
    r.quantity = DecimalValue(f.NextField(nullptr, "\t"));
    r.discount = RealValue(f.NextField(nullptr, "\t"));
    r.description = f.NextField(nullptr, "\t");
    if (kind == ListKind::Order)
        r.statusClass = DecimalValue(f.NextField(nullptr, "\t"));
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
