#pragma once
#include <cstdint>

// Reads a decimal number the way scanf's "%d" and atol do: leading white
// space, an optional sign, then digits up to the first other character. A
// value beyond 32 bits is clamped instead of overflowing. On success p moves
// past the digits; without a digit p stays and the result is false.
bool ScanDecimal(const char*& p, int32_t& value);

// atol of text: the leading number, 0 when there is none.
int32_t DecimalValue(const char* text);

// atof of text. Plain decimals such as "12.500000" (the data files' own form)
// take a fast path that gives exactly strtod's value; anything else goes to strtod.
double RealValue(const char* text);
