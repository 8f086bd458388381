#include "comm/ReplyParser.h"

#include <cctype>

#include "comm/ServerMessage.h"
#include "text/NumberScan.h"

namespace {

const char kOrderNumberWord[] = "ORDER NUMBER";
const size_t kOrderNumberWordLength = sizeof kOrderNumberWord - 1;

bool StartsWith(const std::string& text, const char* word, size_t length)
{
    return text.compare(0, length, word, length) == 0;
}

// "%[^*]*%d*%d" with all three conversions made: a code of at least one
// character up to the first "*", then two "*"-led numbers; anything after
// the status is ignored.
bool ScanLineResult(const std::string& field, ReplyField& out)
{
    const size_t star = field.find('*');
    if (star == 0 || star == std::string::npos)
        return false;
    const char* p = field.c_str() + star + 1;
    if (!ScanDecimal(p, out.quantity) || *p != '*')
        return false;
    ++p;
    if (!ScanDecimal(p, out.status))
        return false;
    out.kind = ReplyField::Kind::LineResult;
    out.text = field.substr(0, star);
    return true;
}

// The text after the 12 letters and one separator; a field that stops at the
// letters has no number either.
void ReadOrderNumber(const std::string& field, ReplyField& out)
{
    out.kind = ReplyField::Kind::OrderNumber;
    out.text = field.size() > kOrderNumberWordLength + 1 ? field.substr(kOrderNumberWordLength + 1) : "";
}

// Pairs of a sign and a letter, taken at every position: the last P decides.
void ReadFlags(const std::string& pairs, ReplyField& out)
{
    out.kind = ReplyField::Kind::Flags;
    for (size_t i = 0; i + 1 < pairs.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(pairs[i + 1])) == 'P') {
            out.hasPriceFlag = true;
            out.showPrice = pairs[i] == '+';
        }
    }
}

} // namespace

bool ParseReplyField(const std::string& field, ReplyField& out)
{
    out = ReplyField();
    if (ScanLineResult(field, out))
        return true;
    if (StartsWith(field, kOrderNumberWord, kOrderNumberWordLength)) {
        ReadOrderNumber(field, out);
        return true;
    }
    if (StartsWith(field, "FLAGS ", 6)) {
        ReadFlags(field.substr(6), out);
        return true;
    }
    if (StartsWith(field, "MEMO ", 5)) {
        out.kind = ReplyField::Kind::Memo;
        out.text = field.substr(5);
        return true;
    }
    return false;
}

std::vector<ReplyField> ParseReply(const std::string& reply)
{
    std::vector<ReplyField> fields;
    ReplyField field;
    for (const std::string& text : SplitFields(reply))
        if (ParseReplyField(text, field))
            fields.push_back(field);
    return fields;
}
