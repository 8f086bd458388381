#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "data/ItemList.h"

// Codes a handheld scanner types onto the order grid's entry row, followed by
// Enter: the number of a pack's barcode (EAN-8, UPC-A, EAN-13, GTIN-14) or
// the GS1 element string of its 2D code, from which the product number
// (AI 01) is taken. Scanners may put a symbology identifier such as "]d2"
// first; variable-length fields end at the group separator.

constexpr char kGroupSeparator = '\x1D';

struct Gs1Element {
    std::string ai;
    std::string data;
};

// Splits an element string (without symbology identifier) into its elements.
// False, with the elements read so far, for an unassigned or cut-off AI, a
// cut-off or non-numeric fixed-length field, an empty or over-long
// variable-length field, or a character outside printable ASCII.
bool ParseGs1(std::string_view text, std::vector<Gs1Element>& elements);

enum class ScanKind {
    Words,          // no code: the text goes to the word search
    Gtin,           // a product number whose check digit agrees
    BadCheckDigit,  // shaped like a product number, but its check digit disagrees
    Unreadable,     // scanner output without a usable product number
};

struct ScannedCode {
    ScanKind kind = ScanKind::Words;
    std::string gtin;   // 14 digits (Gtin, BadCheckDigit)
    std::string shown;  // the code as the user is told it
};

// Reads the whole text of the entry row as a code, when it is one: 8, 12, 13
// or 14 digits, "01" or "03" and 14 digits opening an element string, an
// element string with a group separator, or anything after a symbology
// identifier. After the identifiers of GS1 symbols ("]C1", "]d2", "]Q3",
// "]e0") only an element string is read, and the product number is that of
// its AI 01 or 03. Spaces around it and control characters other than the
// group separator (a scanner's prefixes and suffixes) are ignored.
ScannedCode ReadScannedCode(std::string_view text);

// What a scan on the entry row comes to.
enum class ScanOutcome { Words, One, Several, Refused };

struct ScanLookup {
    ScanOutcome outcome = ScanOutcome::Words;
    std::vector<ItemRecord*> products;  // One, Several: the products of the code
    std::string message;                // Refused: what the user is told
};

// Reads the text as a code and looks it up among the products by item code
// and second code.
ScanLookup LookUpScan(const CItemList& products, std::string_view text);
