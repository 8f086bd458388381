#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "data/ItemRecord.h"

// A realistic pharmacy catalogue made from fixed word lists and a fixed
// seed, so the demo, the tests, the server and the benchmarks all see the
// same products: unique 7-digit item codes, barcodes, pack sizes, prices,
// discounts and descriptions such as "PARACETAMOL TABLETS 500MG".
std::vector<ItemRecord> MakeDemoCatalogue(size_t count, uint32_t seed = 1);

// The size the demo installs by default.
constexpr size_t kDemoCatalogueSize = 30000;
