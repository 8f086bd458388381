#include "DemoSeed.h"

#include "OrderStore.h"
#include "demo/DemoCatalogue.h"

namespace {

// Stock from the product's place in the catalogue, so every fresh database
// is the same: 3% discontinued, 8% out of stock, 9% down to a few packs.
void ChooseStock(size_t index, ProductRow* product)
{
    uint32_t h = static_cast<uint32_t>(index) * 2654435761u;
    h ^= h >> 15;
    const uint32_t roll = h % 100;
    product->discontinued = roll < 3;
    if (roll < 11)
        product->stock = 0;
    else if (roll < 20)
        product->stock = 1 + (h >> 8) % 4;
    else
        product->stock = 20 + (h >> 8) % 480;
}

const AccountRow kDemoAccounts[] = {
    {"4711", "Riverside Pharmacy", true, ""},
    {"1001", "Hillside Chemist", true, "Deliveries this week arrive on Thursday."},
    {"1002", "Market Street Pharmacy", false, ""},
    {"DEMO", "Demonstration account", true, "Welcome to Quarn ordering. Orders on this account are not delivered."},
};

} // namespace

bool SeedDemoData(COrderStore& store, size_t catalogueSize)
{
    if (store.ProductCount() != 0)
        return store.ProductCount() > 0;
    if (!store.Begin())
        return false;
    const std::vector<ItemRecord> catalogue = MakeDemoCatalogue(catalogueSize);
    for (size_t i = 0; i < catalogue.size(); ++i) {
        const ItemRecord& item = catalogue[i];
        ProductRow product{item.code, item.description, item.size, item.price, 0, false};
        ChooseStock(i, &product);
        store.AddProduct(product);
    }
    for (const AccountRow& account : kDemoAccounts)
        store.AddAccount(account);
    return store.Commit();
}
