#include "data/ProductImport.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <unordered_set>

#include "base/StrFormat.h"
#include "data/DelimitedText.h"
#include "text/FieldText.h"

namespace {

constexpr size_t kColumns = 6;
// Four such fields and the numbers fit well inside one data-file line, which
// is read in pieces of kMaxDataLine: a longer line came back as a bogus record.
constexpr size_t kMaxFieldLength = 255;
// Below this "%f" stays short, and no product costs more.
constexpr double kMaxAmount = 1000000;

bool IsNumber(const std::string& text, double& value)
{
    if (text.empty())
        return false;
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    while (*end == ' ')
        ++end;
    // "nan" and "inf" read as numbers but would be written as no number at all.
    return *end == '\0' && std::isfinite(value);
}

// An amount past any product's would be written longer than a data-file line holds.
bool IsAmount(double value)
{
    return std::fabs(value) < kMaxAmount;
}

bool EndsWith(const std::string& s, const char* tail)
{
    std::string t(tail);
    if (s.size() < t.size())
        return false;
    for (size_t i = 0; i < t.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(s[s.size() - t.size() + i])) != t[i])
            return false;
    return true;
}

} // namespace

CProductImport::Format CProductImport::FormatFor(const std::string& fileName)
{
    return EndsWith(fileName, ".tsv") || EndsWith(fileName, ".txt") ? Format::Tsv : Format::Csv;
}

bool CProductImport::Fail(int row, const std::string& what)
{
    m_error = StrFormat("row %d: %s", row, what.c_str());
    m_products.clear();
    return false;
}

bool CProductImport::Parse(const std::string& text, Format format)
{
    m_products.clear();
    m_error.clear();
    m_duplicates = 0;
    size_t pos = 0;
    std::vector<std::string> fields;
    for (int row = 1; pos < text.size(); ++row) {
        if (!SplitDelimitedRow(text, pos, format, fields))
            return Fail(row, "a quoted field is not closed");
        if (fields.size() == 1 && TrimField(fields[0]).empty())
            continue;
        if (!TakeRow(fields, row))
            return false;
    }
    std::unordered_set<std::string> seen;
    for (const ItemRecord& r : m_products)
        if (!seen.insert(r.code).second)
            ++m_duplicates;
    return true;
}

bool CProductImport::TakeRow(const std::vector<std::string>& fields, int row)
{
    if (fields.size() != kColumns)
        return Fail(row, StrFormat("%zu columns where 6 belong (code, second code, size, price, discount, "
                                   "description)", fields.size()));
    ItemRecord r;
    std::string price = TrimField(fields[3]);
    std::string discount = TrimField(fields[4]);
    bool priceOk = IsNumber(price, r.price);
    bool discountOk = discount.empty() || IsNumber(discount, r.discount);
    if (!priceOk && !discountOk && m_products.empty() && row == 1)
        return true; // a header row
    if (!priceOk)
        return Fail(row, "the price '" + price + "' is not a number");
    if (!discountOk)
        return Fail(row, "the discount '" + discount + "' is not a number");
    if (!IsAmount(r.price) || r.price < 0)
        return Fail(row, StrFormat("the price '%s' is not from 0 to %.0f", price.c_str(), kMaxAmount));
    if (!IsAmount(r.discount))
        return Fail(row, StrFormat("the discount '%s' is not within %.0f", discount.c_str(), kMaxAmount));
    r.code = TrimField(fields[0]);
    r.auxText = TrimField(fields[1]);
    r.size = TrimField(fields[2]);
    r.description = TrimField(fields[5]);
    if (r.code.empty())
        return Fail(row, "the item code is empty");
    const std::string* texts[] = {&r.code, &r.auxText, &r.size, &r.description};
    auto tooLong = [](const std::string* f) { return f->size() > kMaxFieldLength; };
    if (std::any_of(std::begin(texts), std::end(texts), tooLong))
        return Fail(row, StrFormat("a field is longer than %zu characters", kMaxFieldLength));
    // The code is sent in the order; the other fields only share its control-byte rule.
    if (!IsFieldText(r.code))
        return Fail(row, "the item code holds a '~' or a control character");
    if (std::any_of(std::begin(texts), std::end(texts),
                    [](const std::string* f) { return HoldsControlBytes(*f); }))
        return Fail(row, "a field holds a control character (a TAB, a line end or the like)");
    m_products.push_back(std::move(r));
    return true;
}
