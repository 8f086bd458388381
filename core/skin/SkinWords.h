#pragma once
#include <cstdint>

// Word helpers shared by every block of the skin script.

// Keywords are compared without regard to (ASCII) case.
bool SkinWordIs(const char* word, const char* keyword);
// A plain number: a C integer with automatic base (decimal, 0x hexadecimal,
// leading-0 octal), held to the 32-bit range like a 32-bit strtol.
int32_t SkinNumber(const char* word);
// A decimal integer with optional sign, held to the 32-bit range; the
// characters after it are left for the caller.
int32_t SkinDecimal(const char* word, const char** end = nullptr);
// Signed 32-bit arithmetic that wraps instead of overflowing.
int32_t SkinWrap(int64_t value);
