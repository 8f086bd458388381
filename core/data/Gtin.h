#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// GTINs, the product numbers behind a pack's barcode. EAN-8, UPC-A (12
// digits), EAN-13 and GTIN-14 are one number written with fewer or more
// leading zeros; the last digit checks the others.

// The check digit ('0' to '9') for the digits before it: weights 3 and 1
// alternating from the right, so leading zeros change nothing.
char GtinCheckDigit(std::string_view digits);

// 8, 12, 13 or 14 digits as the 14-digit form; "" for any other text.
std::string Gtin14(std::string_view digits);

// 8, 12, 13 or 14 digits whose check digit agrees. All zeros agree: such a
// number is read, and no product has it.
bool GtinChecks(std::string_view text);

// The number of a GTIN whose check digit agrees, as a key that is the same
// for every form of it; 0 for any other text (and for all zeros, which no
// product is indexed under).
uint64_t GtinNumber(std::string_view text);
