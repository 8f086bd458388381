// Supplier product lists in CSV and TSV: any bytes.
#include <cstdint>
#include <string>

#include "data/ProductImport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string text(reinterpret_cast<const char*>(data), size);
    CProductImport import;
    import.Parse(text, CProductImport::Format::Csv);
    import.Parse(text, CProductImport::Format::Tsv);
    return 0;
}
