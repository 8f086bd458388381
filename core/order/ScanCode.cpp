#include "order/ScanCode.h"

#include "base/StrFormat.h"
#include "data/Gtin.h"

namespace {

// The notice box holds about 35 characters a line: the code goes on a line of its own.
constexpr char kNoProduct[] = "No product with the code\n%s";
constexpr char kWrongCheckDigit[] = "Wrong check digit in the code\n%s";
constexpr char kUnreadable[] = "This code can't be read:\n%s";
constexpr size_t kShownLimit = 32;
constexpr size_t kGtinLength = 14;
constexpr size_t kProductNumberAiLength = 2;
constexpr size_t kSymbologyIdLength = 3;

// The AIs whose data is the number of the pack itself: 01, and 03 for a
// made-to-order item. (02 numbers the packs inside a case, not the case.)
bool IsProductNumberAi(std::string_view ai)
{
    return ai == "01" || ai == "03";
}

// These identifiers announce a GS1 element string (Code 128, DataMatrix, QR
// code, DataBar): what follows is never a bare product number, even when it
// is 8 to 14 digits, such as an expiry date "17260107".
bool AnnouncesElementString(std::string_view id)
{
    return id == "]C1" || id == "]d2" || id == "]Q3" || id == "]e0";
}

// Application identifiers by their first two digits, which tell the length of
// the AI and whether its data has a predefined length (no separator follows)
// or runs to the next group separator. Unassigned prefixes are refused.
struct AiPrefix {
    int first, last;  // two-digit prefix range
    size_t aiDigits;
    size_t fixedLength;  // 0 for variable length
    size_t maxLength;
};

const AiPrefix kAiPrefixes[] = {
    {0, 0, 2, 18, 18},  {1, 3, 2, 14, 14},  {10, 10, 2, 0, 20}, {11, 13, 2, 6, 6},  {15, 17, 2, 6, 6},
    {20, 20, 2, 2, 2},  {21, 22, 2, 0, 20}, {23, 23, 3, 0, 28}, {24, 25, 3, 0, 30}, {30, 30, 2, 0, 8},
    {31, 36, 4, 6, 6},  {37, 37, 2, 0, 8},  {39, 39, 4, 0, 18}, {40, 40, 3, 0, 30}, {41, 41, 3, 13, 13},
    {42, 42, 3, 0, 20}, {43, 43, 4, 0, 70}, {70, 70, 4, 0, 30}, {71, 71, 3, 0, 20}, {72, 72, 4, 0, 30},
    {80, 80, 4, 0, 90}, {81, 82, 4, 0, 70}, {90, 90, 2, 0, 30}, {91, 99, 2, 0, 90},
};

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsDigits(std::string_view text)
{
    for (char c : text)
        if (!IsDigit(c))
            return false;
    return true;
}

// Patient names and addresses run longer than the 30 characters of their group.
struct LongAi {
    std::string_view ai;
    size_t maxLength;
};

const LongAi kLongAis[] = {{"7253", 40}, {"7254", 40}, {"7256", 90}, {"7257", 70}, {"7259", 40}};

size_t MaxLength(const AiPrefix& prefix, std::string_view ai)
{
    for (const LongAi& entry : kLongAis)
        if (entry.ai == ai)
            return entry.maxLength;
    return prefix.maxLength;
}

const AiPrefix* FindAiPrefix(std::string_view text)
{
    if (text.size() < 2 || !IsDigit(text[0]) || !IsDigit(text[1]))
        return nullptr;
    const int prefix = (text[0] - '0') * 10 + (text[1] - '0');
    for (const AiPrefix& entry : kAiPrefixes)
        if (prefix >= entry.first && prefix <= entry.last)
            return &entry;
    return nullptr;
}

// The GS1 character set is printable ASCII without the space.
bool IsGs1Data(std::string_view data)
{
    for (char c : data)
        if (c <= ' ' || c > '~')
            return false;
    return true;
}

// Reads one element at the start of text and moves past it.
bool ReadElement(std::string_view& text, Gs1Element& element)
{
    const AiPrefix* prefix = FindAiPrefix(text);
    if (!prefix || text.size() < prefix->aiDigits || !IsDigits(text.substr(0, prefix->aiDigits)))
        return false;
    element.ai = std::string(text.substr(0, prefix->aiDigits));
    text.remove_prefix(prefix->aiDigits);
    const size_t length = prefix->fixedLength ? prefix->fixedLength : text.find(kGroupSeparator);
    const std::string_view data = text.substr(0, length);
    if (prefix->fixedLength ? (data.size() != length || !IsDigits(data))
                            : (data.empty() || data.size() > MaxLength(*prefix, element.ai) || !IsGs1Data(data)))
        return false;
    element.data = std::string(data);
    text.remove_prefix(data.size());
    return true;
}

// A scanner's framing (control characters other than the group separator)
// and the spaces around the code are not part of it.
std::string WithoutFraming(std::string_view text)
{
    std::string out;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte >= ' ' && byte != 0x7F) || c == kGroupSeparator)
            out += c;
    }
    const size_t first = out.find_first_not_of(' ');
    if (first == std::string::npos)
        return std::string();
    return out.substr(first, out.find_last_not_of(' ') - first + 1);
}

// The code as a message shows it: separators as spaces, cut to a line.
std::string Shown(std::string_view code)
{
    std::string out(code.substr(0, kShownLimit));
    for (char& c : out)
        if (c == kGroupSeparator)
            c = ' ';
    return code.size() > kShownLimit ? out + "..." : out;
}

ScannedCode Checked(const std::string& gtin, std::string_view shown)
{
    ScannedCode code;
    code.kind = GtinChecks(gtin) ? ScanKind::Gtin : ScanKind::BadCheckDigit;
    code.gtin = gtin;
    code.shown = Shown(shown);
    return code;
}

ScannedCode Unreadable(std::string_view text)
{
    ScannedCode code;
    code.kind = ScanKind::Unreadable;
    code.shown = Shown(text);
    return code;
}

// "]", the symbology's letter and a modifier digit, as a scanner sends them
// first when so set up ("]d2" a GS1 DataMatrix, "]E0" an EAN-13).
bool HasSymbologyId(std::string_view text)
{
    const auto letter = static_cast<unsigned char>(text.size() > 1 ? text[1] : 0);
    return text.size() >= 3 && text[0] == ']' && ((letter | 0x20) >= 'a' && (letter | 0x20) <= 'z') &&
           IsDigit(text[2]);
}

bool OpensWithProductNumber(std::string_view text)
{
    const size_t elementLength = kProductNumberAiLength + kGtinLength;
    return text.size() >= elementLength && IsProductNumberAi(text.substr(0, kProductNumberAiLength)) &&
           IsDigits(text.substr(0, elementLength));
}

// The whole element string must read: a scanner that garbled part of it may
// have garbled the product number too.
ScannedCode ReadElementString(std::string_view body, std::string_view scanned)
{
    std::vector<Gs1Element> elements;
    if (!ParseGs1(body, elements))
        return Unreadable(scanned);
    for (const Gs1Element& element : elements)
        if (IsProductNumberAi(element.ai))
            return Checked(element.data, element.data);
    return Unreadable(scanned);
}

} // namespace

bool ParseGs1(std::string_view text, std::vector<Gs1Element>& elements)
{
    elements.clear();
    while (!text.empty()) {
        // A separator after a fixed-length field, or first of all, is allowed and means nothing.
        if (text[0] == kGroupSeparator) {
            text.remove_prefix(1);
            continue;
        }
        Gs1Element element;
        if (!ReadElement(text, element))
            return false;
        elements.push_back(std::move(element));
    }
    return !elements.empty();
}

ScannedCode ReadScannedCode(std::string_view text)
{
    const std::string cleaned = WithoutFraming(text);
    std::string_view body = cleaned;
    if (body.empty() || body[0] != ']') {
        const std::string gtin = Gtin14(body);
        if (!gtin.empty())
            return Checked(gtin, body);
        if (body.find(kGroupSeparator) == std::string_view::npos && !OpensWithProductNumber(body))
            return ScannedCode();
        return ReadElementString(body, cleaned);
    }
    if (!HasSymbologyId(body))
        return Unreadable(cleaned);
    const std::string_view id = body.substr(0, kSymbologyIdLength);
    body.remove_prefix(kSymbologyIdLength);
    const std::string gtin = AnnouncesElementString(id) ? std::string() : Gtin14(body);
    return gtin.empty() ? ReadElementString(body, cleaned) : Checked(gtin, body);
}

ScanLookup LookUpScan(const CItemList& products, std::string_view text)
{
    const ScannedCode code = ReadScannedCode(text);
    ScanLookup lookup;
    if (code.kind == ScanKind::Words)
        return lookup;
    lookup.outcome = ScanOutcome::Refused;
    if (code.kind == ScanKind::BadCheckDigit) {
        lookup.message = StrFormat(kWrongCheckDigit, code.shown.c_str());
    } else if (code.kind == ScanKind::Unreadable) {
        lookup.message = StrFormat(kUnreadable, code.shown.c_str());
    } else {
        lookup.products = products.FindByGtin(GtinNumber(code.gtin));
        if (lookup.products.empty())
            lookup.message = StrFormat(kNoProduct, code.shown.c_str());
        else
            lookup.outcome = lookup.products.size() == 1 ? ScanOutcome::One : ScanOutcome::Several;
    }
    return lookup;
}
