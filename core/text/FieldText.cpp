#include "text/FieldText.h"

#include <algorithm>

namespace {

bool IsControl(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
}

bool Refused(char c)
{
    return c == '~' || IsControl(c);
}

} // namespace

bool HoldsControlBytes(const std::string& text)
{
    return std::any_of(text.begin(), text.end(), IsControl);
}

bool IsFieldText(const std::string& text)
{
    return std::none_of(text.begin(), text.end(), Refused);
}

std::string FieldTextPrefix(const std::string& text)
{
    return text.substr(0, static_cast<size_t>(std::find_if(text.begin(), text.end(), Refused) - text.begin()));
}

std::string FreeFieldText(const std::string& text)
{
    std::string out = text.substr(0, text.find('~'));
    out.erase(std::remove_if(out.begin(), out.end(),
                             [](char c) { return IsControl(c) && c != '\t' && c != '\r' && c != '\n'; }),
              out.end());
    return out;
}
