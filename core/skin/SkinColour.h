#pragma once
#include <cstdint>

class CSkinReader;

// A colour of the script, 0x00BBGGRR, written as a block: "{ value }" or
// "{ red green blue }".
class CSkinColour {
public:
    static constexpr uint32_t kUnset = 0xFFFFFFFF;

    CSkinColour() = default;
    explicit CSkinColour(uint32_t value) : m_value(value) {}

    // False for a missing "{", an empty block, two numbers, or a fourth number.
    bool Parse(CSkinReader& reader);

    uint32_t Value() const { return m_value; }
    bool IsSet() const { return m_value != kUnset; }
    // The colour, or fallback when the script gave none.
    uint32_t Or(uint32_t fallback) const { return IsSet() ? m_value : fallback; }

    static uint32_t FromRgb(int32_t red, int32_t green, int32_t blue);

private:
    uint32_t m_value = kUnset;
};
