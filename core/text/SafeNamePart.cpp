#include "text/SafeNamePart.h"

#include <cstring>

namespace {

bool IsUnsafe(unsigned char c)
{
    // Parentheses too: a history name's order number ends at the first ')'.
    return c < 0x20 || c >= 0x7F || std::strchr("<>:\"/\\|?*()", c) != nullptr;
}

bool IsDoubleDot(const std::string& text, size_t i)
{
    return text[i] == '.' && ((i > 0 && text[i - 1] == '.') || (i + 1 < text.size() && text[i + 1] == '.'));
}

} // namespace

std::string SafeNamePart(const std::string& text, size_t maxLength)
{
    std::string safe = text.substr(0, maxLength);
    for (size_t i = 0; i < safe.size(); ++i) {
        if (IsUnsafe(static_cast<unsigned char>(safe[i])) || IsDoubleDot(text, i))
            safe[i] = '_';
    }
    return safe;
}
