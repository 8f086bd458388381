#include "order/OrderImport.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <memory>

#include "base/StrFormat.h"
#include "data/DelimitedText.h"
#include "order/LargeQuantity.h"
#include "order/ScanCode.h"

namespace {

constexpr size_t kShownLimit = 32;
constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";
constexpr size_t kMostQuantityDigits = 9;  // within 32 bits, and far over the bound

bool HasDigit(const std::string& text)
{
    return std::any_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool IsDigits(const std::string& text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool IsBlank(const std::vector<std::string>& fields)
{
    return std::all_of(fields.begin(), fields.end(), [](const std::string& f) { return TrimField(f).empty(); });
}

// A field as a message names it: on one line, cut to what the box holds.
std::string Shown(const std::string& text)
{
    std::string out = text.substr(0, kShownLimit);
    for (char& c : out)
        if (static_cast<unsigned char>(c) < ' ' || c == 0x7F)
            c = '?';
    return text.size() > kShownLimit ? out + "..." : out;
}

// The scan's notices put the code on a line of their own.
std::string OnOneLine(std::string text)
{
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

// A first row that names its columns ("Item,Qty") is no order line.
bool IsHeader(const std::vector<std::string>& fields)
{
    return fields.size() >= 2 && !TrimField(fields[1]).empty() && !HasDigit(fields[1]);
}

// The packs a quantity field asks for, or the reason it can't be used.
bool ReadQuantity(const std::string& field, int32_t& quantity, std::string& reason)
{
    const std::string text = TrimField(field);
    if (text.empty()) {
        reason = "No quantity";
        return false;
    }
    if (!IsDigits(text)) {
        reason = StrFormat("The quantity '%s' is not a whole number of packs", Shown(text).c_str());
        return false;
    }
    const std::string digits = text.substr(std::min(text.find_first_not_of('0'), text.size()));
    const long value = digits.size() > kMostQuantityDigits ? LONG_MAX : std::strtol(digits.c_str(), nullptr, 10);
    if (value > kLargeQuantity)
        reason = StrFormat("The quantity %s is over %d", Shown(digits).c_str(), kLargeQuantity);
    else if (value == 0)
        reason = "The quantity 0 orders nothing";
    quantity = static_cast<int32_t>(std::min<long>(value, kLargeQuantity));
    return reason.empty();
}

} // namespace

bool COrderImport::Fail(const std::string& what)
{
    m_error = what;
    m_rows.clear();
    return false;
}

bool COrderImport::ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return Fail("The list can't be opened.");
    // One byte more than a list may hold tells an over-long file from a full one.
    std::string text(kMaxOrderListBytes + 1, '\0');
    in.read(&text[0], static_cast<std::streamsize>(text.size()));
    if (in.bad())
        return Fail("The list can't be read.");
    text.resize(static_cast<size_t>(in.gcount()));
    return Read(text);
}

bool COrderImport::Read(const std::string& text)
{
    m_rows.clear();
    m_error.clear();
    if (text.size() > kMaxOrderListBytes)
        return Fail(StrFormat("The list is over %zu KiB: no re-order list is.", kMaxOrderListBytes / 1024));
    const size_t zero = text.find('\0');
    if (zero != std::string::npos)
        return Fail(StrFormat("Line %d holds a zero byte: the file is no list of text.",
                              1 + static_cast<int>(std::count(text.begin(), text.begin() + zero, '\n'))));
    const TextFormat format = text.substr(0, text.find('\n')).find('\t') != std::string::npos ? TextFormat::Tsv
                                                                                            : TextFormat::Csv;
    int line = 1;
    bool first = true;
    // Spreadsheets save "UTF-8 CSV" with a byte-order mark, which is no part of the first code.
    for (size_t pos = text.rfind(kByteOrderMark, 0) == 0 ? sizeof kByteOrderMark - 1 : 0; pos < text.size();) {
        const size_t start = pos;
        Row row{line, {}};
        if (!SplitDelimitedRow(text, pos, format, row.fields))
            return Fail(StrFormat("Line %d: a quoted field is not closed.", line));
        line += static_cast<int>(std::count(text.begin() + start, text.begin() + pos, '\n'));
        if (IsBlank(row.fields))
            continue;
        const bool header = first && IsHeader(row.fields);
        first = false;
        if (!header)
            m_rows.push_back(std::move(row));
    }
    return true;
}

void COrderImport::Match(const CItemList& products, const CItemList& order)
{
    m_lines.clear();
    m_unused.clear();
    m_taken.clear();
    for (const Row& row : m_rows)
        MatchRow(row, products, order);
}

// A known item code first, as the stock system names the supplier's products;
// then the scanning rules for a pack's barcode.
const ItemRecord* COrderImport::FindProduct(const std::string& code, const CItemList& products,
                                            std::string& reason) const
{
    if (const ItemRecord* product = products.FindByCode(code))
        return product;
    const ScanLookup lookup = LookUpScan(products, code);
    switch (lookup.outcome) {
    case ScanOutcome::One:
        return lookup.products.front();
    case ScanOutcome::Several:
        // Which of them is meant only the pharmacist can say: the search offers them for a scan.
        reason = StrFormat("The code %s is on %zu products", Shown(code).c_str(), lookup.products.size());
        break;
    case ScanOutcome::Refused:
        reason = OnOneLine(lookup.message);
        break;
    case ScanOutcome::Words:
        reason = StrFormat("No product with the code %s", Shown(code).c_str());
        break;
    }
    return nullptr;
}

void COrderImport::MatchRow(const Row& row, const CItemList& products, const CItemList& order)
{
    const std::string code = TrimField(row.fields[0]);
    std::string reason = code.empty() ? "No item code" : std::string();
    const ItemRecord* product = code.empty() ? nullptr : FindProduct(code, products, reason);
    int32_t quantity = 0;
    if (product && !ReadQuantity(row.fields.size() > 1 ? row.fields[1] : std::string(), quantity, reason))
        product = nullptr;
    if (!product) {
        m_unused.push_back({row.line, reason});
        return;
    }
    // The line the row raises: as the order holds it, plus the rows before this one.
    int64_t& taken = m_taken[product->code];
    const ItemRecord* line = order.FindByCode(product->code);
    const int64_t total = (line ? line->quantity : 0) + taken + quantity;
    if (total > kLargeQuantity) {
        m_unused.push_back({row.line, StrFormat("The line of %s would hold %lld, over %d", Shown(product->code).c_str(),
                                                static_cast<long long>(total), kLargeQuantity)});
        return;
    }
    taken += quantity;
    ItemRecord added = *product;
    added.quantity = quantity;
    m_lines.push_back(std::move(added));
}

void COrderImport::AddTo(CItemList& order) const
{
    std::vector<std::unique_ptr<ItemRecord>> lines;
    lines.reserve(m_lines.size());
    for (const ItemRecord& line : m_lines)
        lines.push_back(std::make_unique<ItemRecord>(line));
    order.AddRecords(std::move(lines));
}

std::string COrderImport::Report(size_t shown) const
{
    if (m_unused.empty())
        return m_lines.empty() ? "The list holds no order lines." : std::string();
    std::string text = StrFormat("%zu rows of the list joined the order. Not taken:\n", m_lines.size());
    for (size_t i = 0; i < m_unused.size() && i < shown; ++i)
        text += StrFormat("\nLine %d: %s", m_unused[i].line, m_unused[i].reason.c_str());
    if (m_unused.size() > shown)
        text += StrFormat("\n... and %zu more rows", m_unused.size() - shown);
    return text;
}
