// Text typed onto the order grid's entry row, as a scanner (or anyone) may send it.
#include <cstdint>
#include <string_view>
#include <vector>

#include "data/Gtin.h"
#include "order/ScanCode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<Gs1Element> elements;
    (void)ParseGs1(text, elements);

    const ScannedCode code = ReadScannedCode(text);
    // A product number is looked up only with 14 digits and a check digit that agrees.
    if (code.kind == ScanKind::Gtin && (code.gtin.size() != 14 || !GtinChecks(code.gtin)))
        __builtin_trap();
    if (code.kind == ScanKind::BadCheckDigit && GtinChecks(code.gtin))
        __builtin_trap();
    static CItemList products;
    const ScanLookup lookup = LookUpScan(products, text);
    if ((lookup.outcome == ScanOutcome::Words) != (code.kind == ScanKind::Words))
        __builtin_trap();
    return 0;
}
