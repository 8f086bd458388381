#pragma once
#include <cstdint>

// A position of the skin script, resolved against an extent: a width for
// horizontal coordinates, a height for vertical ones.
//   10    ten from the left or top        -10R  ten left of the right edge
//   R, B  the far edge                    0C    the centre
//   50%   half the extent                 25%B  a quarter beyond the far edge
class CSkinCoord {
public:
    enum Flags : uint8_t { kFar = 1, kCentre = 2, kPercent = 4 };

    CSkinCoord() = default;
    CSkinCoord(int32_t value, uint8_t flags) : m_value(value), m_flags(flags) {}

    // A decimal number and then any of % (percentage), R or B (far edge), C (centre).
    static CSkinCoord FromWord(const char* word);
    int32_t Resolve(int32_t extent) const;

    int32_t Value() const { return m_value; }
    uint8_t Flags() const { return m_flags; }

private:
    int32_t m_value = 0;
    uint8_t m_flags = 0;
};
