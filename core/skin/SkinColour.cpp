#include "skin/SkinColour.h"

#include <cstring>

#include "skin/SkinBlock.h"

bool CSkinColour::Parse(CSkinReader& reader)
{
    if (!ReadSkinOpenBrace(reader))
        return false;
    int32_t numbers[3] = {};
    int count = 0;
    for (;;) {
        const char* word = reader.NextWord();
        if (!word)
            return false;
        if (std::strcmp(word, "}") == 0)
            break;
        if (count == 3)
            return false;
        numbers[count++] = SkinNumber(word);
    }
    if (count == 1)
        m_value = static_cast<uint32_t>(numbers[0]);
    else if (count == 3)
        m_value = FromRgb(numbers[0], numbers[1], numbers[2]);
    else
        return false;
    return true;
}

uint32_t CSkinColour::FromRgb(int32_t red, int32_t green, int32_t blue)
{
    return (static_cast<uint32_t>(red) & 0xFF) | (static_cast<uint32_t>(green) & 0xFF) << 8 |
           (static_cast<uint32_t>(blue) & 0xFF) << 16;
}
