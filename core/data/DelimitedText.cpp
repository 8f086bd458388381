#include "data/DelimitedText.h"

bool SplitDelimitedRow(const std::string& text, size_t& pos, TextFormat format, std::vector<std::string>& fields)
{
    const char separator = format == TextFormat::Tsv ? '\t' : ',';
    fields.assign(1, std::string());
    bool quoted = false;
    for (; pos < text.size(); ++pos) {
        char c = text[pos];
        if (quoted) {
            if (c == '"' && pos + 1 < text.size() && text[pos + 1] == '"')
                fields.back() += text[++pos];
            else if (c == '"')
                quoted = false;
            else
                fields.back() += c;
        } else if (c == '"' && format == TextFormat::Csv) {
            quoted = true;
        } else if (c == separator) {
            fields.emplace_back();
        } else if (c == '\n') {
            ++pos;
            return true;
        } else {
            fields.back() += c;
        }
    }
    return !quoted;
}

std::string TrimField(const std::string& field)
{
    size_t b = field.find_first_not_of(" \r");
    size_t e = field.find_last_not_of(" \r");
    return b == std::string::npos ? std::string() : field.substr(b, e - b + 1);
}
