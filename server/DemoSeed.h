#pragma once
#include <cstddef>

class COrderStore;

// Fills an empty store with the demo catalogue (stock levels that give every
// kind of answer: plenty, a few, none, discontinued) and the demo accounts.
// A store that already holds products is left as it is.
bool SeedDemoData(COrderStore& store, size_t catalogueSize);
